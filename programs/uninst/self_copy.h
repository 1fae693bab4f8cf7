#pragma once

#include <optional>
#include <string>
#include <vector>

// uninst.exe lies in the folder it removes, and a running program's file
// cannot be deleted. So the program copies itself to the temporary folder,
// runs that copy with its own arguments and a marker, and waits for it. Paths
// and arguments are UTF-8, as everywhere in the core.
namespace uninst {

// The full path of the running program; empty when the system cannot say.
std::string ownPath();

// Runs the temporary copy with `arguments` (the original's own, then the
// marker and the original's path) and waits for it. Answers the copy's exit
// code, or nothing when the copy could not be made or started. The copy is
// deleted once it has ended; when it cannot be, at the next restart.
std::optional<int> runTemporaryCopy(const std::vector<std::string>& arguments);

// In the copy, before the removal: the original, still running while it
// waits, is renamed out of the install folder into the temporary folder
// (which works on a running program's file, where a delete does not) and
// scheduled for deletion at the next restart. False when it stays where it was.
bool moveOriginalAside(const std::string& original);

// Deletes the temporary copies earlier runs left (a run that was stopped,
// an original set aside that no restart has removed yet); those still
// running cannot be deleted and stay.
void removeEarlierCopies();

} // namespace uninst
