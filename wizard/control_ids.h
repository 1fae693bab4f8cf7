#pragma once

// The identifiers of the wizard's page controls, as its page table places
// them. Tests that drive setup.exe find the controls by them; keep them
// stable.
namespace q4p::window_ids {

inline constexpr int kDirName = 1101;
inline constexpr int kDrive = 1102;
inline constexpr int kDirList = 1103;
inline constexpr int kListUsers = 1201;
inline constexpr int kListaFicheiros = 1301;
inline constexpr int kIncompleteList = 1401;

} // namespace q4p::window_ids
