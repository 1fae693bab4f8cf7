#include "platform/win32/ole_calls.h"
#include "platform/win32/win32.h"
#include "platform/win32/win32_machine.h"

namespace platform::win32 {

// S_FALSE (already initialised on this thread) still takes a reference that
// must be given back. RPC_E_CHANGED_MODE means another apartment type owns the
// thread: we took nothing and must give nothing back.
ComApartment::ComApartment() : initialised_(SUCCEEDED(ole::coInitialize())) {}

ComApartment::~ComApartment() {
    if (initialised_) {
        ole::coUninitialize();
    }
}

namespace {

DelayedComApartment* owner = nullptr;

} // namespace

DelayedComApartment::DelayedComApartment() {
    owner = this;
}

DelayedComApartment::~DelayedComApartment() {
    apartment_.reset();
    if (owner == this) {
        owner = nullptr;
    }
}

void DelayedComApartment::start() {
    if (owner != nullptr && !owner->apartment_) {
        owner->apartment_ = std::make_unique<ComApartment>();
    }
}

} // namespace platform::win32
