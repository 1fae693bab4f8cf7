#pragma once

#include <string>
#include <vector>

namespace doubles {

// One ordered list of what every double was asked to change on the machine
// ("mkdir X", "place X", "delete X", "queue X", "shortcut X", "conduit",
// "registry NAME"), so that a test can check the order across services. A
// double notes nothing until it is given a journal.
using Events = std::vector<std::string>;

// What a double throws when the machine loses power: no std::exception, so
// nothing in the programs catches it, and the run simply stops there.
struct PowerLost {};

class Journaled {
public:
    Events* journal = nullptr;
    // The changes still to be made before the power goes: the change that
    // finds it at zero is never made.
    int* powerLeft = nullptr;

protected:
    void note(std::string event) const {
        if (powerLeft != nullptr && (*powerLeft)-- == 0) {
            throw PowerLost{};
        }
        if (journal != nullptr) {
            journal->push_back(std::move(event));
        }
    }
};

} // namespace doubles
