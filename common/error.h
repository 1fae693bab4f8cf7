#pragma once

#include <exception>
#include <string>
#include <utility>

namespace common {

// The core's one error type. A procedure that fails raises it; the procedures
// that skip a failing step (page preparation, the drive change, the
// installation run) and the probes catch it. Nothing ever looks at anything
// but the fact that it was raised.
//
// It derives from std::exception itself rather than std::runtime_error: the
// library's error classes keep their text in the old copy-on-write string,
// whose whole instantiation would come into every program for them.
class SetupError : public std::exception {
public:
    explicit SetupError(std::string message) : message_(std::move(message)) {}
    explicit SetupError(const char* message) : message_(message) {}

    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Runs a step whose failure the caller deliberately passes over, and answers
// whether it succeeded. `reason` says why the failure may be ignored at that
// place; it is written for the reader and costs the program nothing. Only the
// core's own error is passed over: anything else (a programming error, memory
// exhausted) goes on to the caller.
template <typename Step> bool ignoreFailure(const char* reason, Step&& step) {
    static_cast<void>(reason);
    try {
        step();
        return true;
    } catch (const SetupError&) {
        return false;
    }
}

// The text the registry read fails with.
inline constexpr const char* kKeyUnavailable = "Key unavailable";

} // namespace common
