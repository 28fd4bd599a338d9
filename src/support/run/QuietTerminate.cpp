// The shipped programs are GUI programs without a console: the C++ runtime's default terminate
// handler, which writes the uncaught exception's demangled type to stderr before aborting,
// only adds its demangler (about 46 KB) to each of them. This one aborts straight away.
//
// Linked into each program as an object of its own (not from a library), so that it replaces
// the runtime's handler before the runtime's archive is searched.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
