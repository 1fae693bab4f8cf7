#pragma once

// The identifiers of the uninstaller's page controls, as its page table places
// them. Tests that drive uninst.exe find the controls by them; keep them stable.
namespace q4p::window_ids {

inline constexpr int kFolderList = 1501; // uninstConfirm: the folders it removes from
inline constexpr int kStayList = 1502;   // uninstDone: what stays, why, and how to remove it

} // namespace q4p::window_ids
