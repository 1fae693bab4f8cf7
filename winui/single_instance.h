#pragma once

#include "platform/win32/scoped_handle.h"
#include "platform/win32/win32.h"

#include <string>

namespace winui {

// One copy of a program per user session: the first start holds a named mutex
// for its lifetime; a second start finds it held, brings the first one's
// window to the front and ends. Two setups at once would both install and
// register the conduit twice.
class SingleInstance {
public:
    // `name` without a namespace; the mutex lives in the session's ("Local\").
    explicit SingleInstance(const wchar_t* name);
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // False when another copy of this session holds the mutex.
    bool first() const { return first_; }
    // Restores and raises the other copy's main window (its class and caption
    // are both `caption`, as MainWindow makes them), when it has one yet.
    static void bringOtherToFront(const std::string& caption);

private:
    platform::win32::KernelHandle mutex_;
    bool first_ = true;
};

} // namespace winui
