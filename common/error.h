#pragma once

#include <stdexcept>
#include <string>

namespace common {

// The core's one error type. A procedure that fails raises it; the procedures
// that skip a failing step (page preparation, the drive change, the
// installation run) and the probes catch it. Nothing ever looks at anything
// but the fact that it was raised.
class SetupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The text the registry read fails with.
inline constexpr const char* kKeyUnavailable = "Key unavailable";

} // namespace common
