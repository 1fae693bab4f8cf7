#pragma once

#include <string>
#include <vector>

namespace doubles {

// One ordered list of what every double was asked to change on the machine
// ("mkdir X", "place X", "delete X", "queue X", "shortcut X", "conduit",
// "registry NAME"), so that a test can check the order across services. A
// double notes nothing until it is given a journal.
using Events = std::vector<std::string>;

class Journaled {
public:
    Events* journal = nullptr;

protected:
    void note(std::string event) const {
        if (journal != nullptr) {
            journal->push_back(std::move(event));
        }
    }
};

} // namespace doubles
