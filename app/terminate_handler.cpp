// What an exception that nothing catches does to the program: it ends, as it would anyway.
//
// The C++ runtime's own handler names the exception's type on stderr, which a windowed program
// does not have, and to name it links in a whole demangler: about 70 KB, more than a quarter of
// the 32-bit program. Defining the handler here keeps the runtime's copy out of the link.
#include <windows.h>

#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    ::OutputDebugStringA("mirlTTY: ended by an exception that nothing caught\n");
    std::abort();
}

}  // namespace __gnu_cxx
