#pragma once
// The printing module (platform/print/): the installed printers through Qt PrintSupport, in
// a shared module of its own beside the program. make_printers loads it when the program
// first prints; most starts never do.
#include "platform/printers.h"

namespace plat {

// The module's file, beside the program.
inline constexpr char print_module_file[] = "libtovaren_print.so";
// The function it exports, by name.
inline constexpr char print_module_entry[] = "tovaren_print_printers";

} // namespace plat

// The installed printers; the caller owns them.
extern "C" plat::Printers* tovaren_print_printers();
