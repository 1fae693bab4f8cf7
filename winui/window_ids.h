#pragma once

// Control identifiers of the wizard window. Tests that drive setup.exe find the
// controls by them; keep them stable.
namespace window_ids {

inline constexpr int kNext = 1;   // IDOK: Enter presses it
inline constexpr int kCancel = 2; // IDCANCEL: Esc presses it
inline constexpr int kBack = 1001;
inline constexpr int kDirName = 1101;
inline constexpr int kDrive = 1102;
inline constexpr int kDirList = 1103;
inline constexpr int kListUsers = 1201;
inline constexpr int kListaFicheiros = 1301;
inline constexpr int kIncompleteList = 1401;
// Page windows: kFirstPage + the page's index in wizard::FrameId order. A page
// window's text is its tag (never drawn); exactly the current page is visible.
inline constexpr int kFirstPage = 2000;

} // namespace window_ids
