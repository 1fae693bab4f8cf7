#pragma once

#include "platform/machine.h"

#include <memory>

namespace platform::win32 {

// Every real service of the machine, owned together. The outside libraries are
// loaded from the setup program's own folder, by full path, for each call.
class Win32Machine {
public:
    Win32Machine();
    ~Win32Machine();
    Win32Machine(const Win32Machine&) = delete;
    Win32Machine& operator=(const Win32Machine&) = delete;

    platform::Machine& machine();

private:
    struct Services;
    std::unique_ptr<Services> services_;
    std::unique_ptr<platform::Machine> machine_;
};

// Removes the current folder from the library search and, where the system
// offers it, restricts default searches to the system folder. Call first thing
// at start-up; older systems without those functions still run.
void hardenLibrarySearch();

// COM on the calling thread for its lifetime; uninitialises only when its own
// initialisation succeeded.
class ComApartment {
public:
    ComApartment();
    ~ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_ = false;
};

// COM on the calling thread from the first call that needs it until the
// owner's end: the spreadsheet's automation and every outside library (which
// may use COM itself, as the shortcut maker does) start it, through start(),
// just before they are used. A run that never gets that far never loads COM.
// One owner at a time, made by the program on its one thread.
class DelayedComApartment {
public:
    DelayedComApartment();
    ~DelayedComApartment();
    DelayedComApartment(const DelayedComApartment&) = delete;
    DelayedComApartment& operator=(const DelayedComApartment&) = delete;

    // Starts the owner's apartment, once; does nothing without an owner (the
    // caller then keeps COM on the thread itself, as the tests do).
    static void start();
    bool started() const { return apartment_ != nullptr; }

private:
    std::unique_ptr<ComApartment> apartment_;
};

} // namespace platform::win32
