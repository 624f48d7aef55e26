#include "central.h"

namespace central {

// The procedures of the winning numbers.
void install_winners(Server& server)
{
    (void)server;
}

} // namespace central
