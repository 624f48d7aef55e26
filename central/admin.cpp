#include "central.h"

namespace central {

// The procedures of the outlet's parameters, users, permissions, lotteries offered and bank deposits.
void install_admin(Server& server)
{
    Model& model = server.model;

    // Outlet parameters. actpaq: x1 outlet, x2 key, x3 value; no return value, no rows.
    // Stores the value under its key in the outlet's table that getpaq answers (a new key
    // goes last); a call for another outlet changes nothing here.
    server.register_procedure("actpaq", [&model](Request& r) {
        if (r.text(0).trimmed() == model.outlet.cod_ven)
            model.set_param(r.text(1).trimmed(), r.text(2));
        return true;
    });
}

} // namespace central
