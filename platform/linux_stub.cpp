// Temporary: replaced by the real implementations.
#include "platform/linux.h"
namespace plat {
std::unique_ptr<Dialogs> make_dialogs() { return nullptr; }
std::unique_ptr<Settings> make_settings() { return nullptr; }
std::unique_ptr<Printers> make_printers() { return nullptr; }
std::unique_ptr<Http> make_http() { return nullptr; }
std::unique_ptr<System> make_system() { return nullptr; }
}
