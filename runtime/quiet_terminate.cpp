#include <cstdlib>

// libstdc++'s default std::terminate handler prints the demangled type of the
// uncaught exception to stderr. A windowed program has no stderr, and the
// demangler alone is an eighth of setup.exe: this definition replaces the
// library's, and ends the program the same way without the message.
namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
} // namespace __gnu_cxx
