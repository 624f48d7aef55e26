#include "central.h"

namespace central {

// The procedures of the reports.
void install_reports(Server& server)
{
    (void)server;
}

} // namespace central
