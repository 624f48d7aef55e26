#include "central.h"

namespace central {

// The procedures of the outlet's parameters, users, permissions, lotteries offered and bank deposits.
void install_admin(Server& server)
{
    (void)server;
}

} // namespace central
