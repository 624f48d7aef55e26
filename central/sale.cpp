#include "central.h"

namespace central {

// The procedures of the ticket cycle: the outlet's sale parameters, the lottery tables,
// opening, watching, committing and deleting a ticket.
void install_sale(Server& server)
{
    Model& model = server.model;
    // The demo outlet's parameters, stored units of 1/100000000.
    const QList<QPair<QString, QString>> params = {
        {"TVENCE_TIK", "3"},
        {"JUGADA_MIN", "100000000"},      {"JUGADA_MIZ", "100000000"},      {"JUGADA_MIS", "100000000"},
        {"JUGADA_MAX", "100000000000"},   {"JUGADA_MAZ", "50000000000"},    {"JUGADA_MAS", "50000000000"},
        {"VENTIK_MIN", "100000000"},      {"VENTIK_MAX", "1000000000000"},
        {"ANUTIK_VEN", "0"},
        {"JUGMIN_SYS", "10000000/1000000000"}, {"JUGMAX_SYS", "10000000000/500000000000"},
        {"TIKMIN_SYS", "100000000/1000000000"}, {"TIKMAX_SYS", "100000000000/5000000000000"},
        {"JUGADA_SYS", "100000000"},
    };
    for (const auto& [k, v] : params)
        model.set_param(k, v);

    // getpaq: x1 outlet -> rows nombre, valor.
    server.register_procedure("getpaq", [&model](Request& r) {
        auto& rs = r.rows({"nombre", "valor"});
        for (const auto& [k, v] : model.outlet.params)
            rs.rows << QVariantList{k, v};
        return true;
    });
}

} // namespace central
