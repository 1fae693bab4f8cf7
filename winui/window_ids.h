#pragma once

// Control identifiers every program's window shares. Tests that drive a
// program find the controls by them; keep them stable.
namespace q4p::window_ids {

inline constexpr int kNext = 1;   // IDOK: Enter presses it
inline constexpr int kCancel = 2; // IDCANCEL: Esc presses it
inline constexpr int kBack = 1001;
// Page windows: kFirstPage + the page's index in the program's page table. A
// page window's text is its tag (never drawn); exactly the current page is
// visible.
inline constexpr int kFirstPage = 2000;
// The static controls that carry a page's text, a run each (the title's runs,
// then the body's), and the labels before the page's inputs.
inline constexpr int kPageTitle = 3000;
inline constexpr int kPageText = 3001;
inline constexpr int kLabel = 3002;

} // namespace q4p::window_ids
