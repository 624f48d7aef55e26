#pragma once
// The Linux implementations of the platform services.
#include "platform/dialogs.h"
#include "platform/http.h"
#include "platform/printers.h"
#include "platform/settings.h"
#include "platform/system.h"

#include <memory>

namespace plat {

std::unique_ptr<Dialogs> make_dialogs();
std::unique_ptr<Settings> make_settings();
// The installed printers through Qt PrintSupport, from the printing module at that path (by
// default the one beside the program), loaded by the first call; while it cannot be loaded
// there are no printers and no job starts.
std::unique_ptr<Printers> make_printers(const QString& module = QString());
// HTTP over libcurl, loaded from library by the first request; while it cannot be
// loaded every request fails with the reason.
std::unique_ptr<Http> make_http(const char* library = "libcurl.so.4");
std::unique_ptr<System> make_system();

} // namespace plat
