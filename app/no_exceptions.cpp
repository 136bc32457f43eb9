// The C++ library's throw helpers, as the program has them: it throws and catches nothing, so
// what would be thrown ends it at once, as an exception that nothing catches does (see
// terminate_handler.cpp). Defined here, they keep the library's own out of the link, and with
// them its exception classes, both of its string implementations and the unwinder's share of
// the program (about 20 KB of the 32-bit one).
#include <windows.h>

#include <cstdlib>

namespace {

[[noreturn]] void EndAtOnce(const char* what) {
    ::OutputDebugStringA("mirlTTY: ended by the C++ library: ");
    ::OutputDebugStringA(what);
    ::OutputDebugStringA("\n");
    std::abort();
}

}  // namespace

namespace std {

void __throw_bad_alloc() {
    EndAtOnce("out of memory");
}
void __throw_bad_array_new_length() {
    EndAtOnce("bad array length");
}
void __throw_length_error(const char* what) {
    EndAtOnce(what);
}
void __throw_logic_error(const char* what) {
    EndAtOnce(what);
}
void __throw_out_of_range(const char* what) {
    EndAtOnce(what);
}
void __throw_out_of_range_fmt(const char* what, ...) {
    EndAtOnce(what);
}
void __throw_bad_function_call() {
    EndAtOnce("empty function called");
}
void __throw_system_error(int) {
    EndAtOnce("system error");
}

}  // namespace std
