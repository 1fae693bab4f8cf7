#pragma once

#include "platform/win32/win32.h"

namespace platform::win32 {

// One setup per user session: the first start holds a named mutex for its
// lifetime; a second start finds it held, brings the first one's window to
// the front and ends. Two setups at once would both install and register the
// conduit twice.
class SingleInstance {
public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another setup of this session holds the mutex.
    bool first() const { return first_; }
    // Restores and raises the other setup's window, when it has one yet.
    static void bringOtherToFront();

private:
    HANDLE mutex_ = nullptr;
    bool first_ = true;
};

} // namespace platform::win32
