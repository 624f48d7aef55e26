#include "central.h"

namespace central {

// The procedures of ticket inquiry, annulment and payment.
void install_services(Server& server)
{
    (void)server;
}

} // namespace central
