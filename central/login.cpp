#include "central.h"

namespace central {

// The procedures of the connection, the login, the keep-alive and the server's messages.
void install_login(Server& server)
{
    Model& model = server.model;
    model.cox.insert("DEMO", Cox{});
    Outlet& o = model.outlet;
    o.values = {
        {"CODIGO_VEN", "001"},
        {"NOMBRE_VEN", "AGENCIA DEMO"},
        {"DIRECC_VEN", "AV. PRINCIPAL 1"},
        {"NUMRIF_VEN", "J-00000000-0"},
        {"FECHAX_SYS", model.started.date().toString("yyyy-MM-dd")},
        {"TKMENS_001", "GRACIAS POR SU COMPRA"},
        {"TKMENS_002", "REVISE SU TICKET"},
        {"TKMENS_003", "CADUCA A LOS 3 DIAS"},
        {"JUGADA_SYS", "100000000"},
        {"SYSTEM_MOD", "100000000"},
        {"NUMRNL_SYS", ""},
        {"PORIMP_VEN", "0"},
        {"ZORDER_SYS", "0"},
        {"GETLOT_MNU", ""},
    };
    o.users.insert("CAJERO", User{"CLAVE", "01", {}});
    o.users.insert("ADMIN", User{"CLAVE", "00", {}});
    for (int i = 0; i < 100; ++i)
        model.symbols.append(Symbol{1, QString::asprintf("%02d", i), QString("Simbolo %1").arg(i)});
    model.symbols.append(Symbol{1, "0", "Cero"});

    // getcox: d1 terminal, d2 database code -> rows name/value, return code.
    server.register_procedure("getcox", [&model](Request& r) {
        auto it = model.cox.find(r.text(1).trimmed());
        if (it == model.cox.end()) {
            r.status = 3;
            return true;
        }
        r.status = it->status;
        auto& rs = r.rows({"name", "value"});
        const QList<QStringList> rows = {{"server_ip", it->server_ip}, {"server_port", it->server_port},
                                         {"databs", it->databs},       {"app_numver", it->app_numver},
                                         {"ipnet", it->ipnet}};
        for (const auto& row : rows)
            if (!it->omit.contains(row[0]))
                rs.rows << QVariantList{row[0], row[1]};
        for (const auto& row : it->extra)
            if (row.size() == 2)
                rs.rows << QVariantList{row[0], row[1]};
        return true;
    });

    // getutq: d1 user, d2 password, d3 terminal, d4 version, d5 network address.
    server.register_procedure("getutq", [&model](Request& r) {
        auto& rs = r.rows({"nombre", "valor"});
        if (model.getutq_override >= 0) {
            r.status = model.getutq_override;
            if (r.status > 2)
                return true;
        }
        const Outlet& o = model.outlet;
        auto u = o.users.find(r.text(0).trimmed());
        if (model.getutq_override < 0) {
            if (u == o.users.end()) {
                r.status = 4;
                return true;
            }
            if (u->password != r.text(1).trimmed()) {
                r.status = 3;
                return true;
            }
            r.status = o.status;
        }
        for (auto it = o.values.begin(); it != o.values.end(); ++it)
            rs.rows << QVariantList{it.key(), it.value()};
        if (u != o.users.end()) {
            rs.rows << QVariantList{"IDUSER_VEN", u->caja};
            for (const auto& code : u->denied)
                rs.rows << QVariantList{"USERXX_MAP", code};
        }
        for (const auto& row : o.extra_rows)
            if (row.size() == 2)
                rs.rows << QVariantList{row[0], row[1]};
        return true;
    });

    server.register_procedure("getsim", [&model](Request& r) {
        auto& rs = r.rows({"codsim", "numero", "nombre"});
        for (const auto& s : model.symbols)
            rs.rows << QVariantList{s.codsim, s.numero, s.nombre};
        return true;
    });

    server.register_procedure("stacox", [](Request& r) {
        r.status = 0;
        return true;
    });

    // getmen: m1 out count, m2 out date, m3 out time, m4 out text, m5 outlet.
    server.register_procedure("getmen", [&model](Request& r) {
        auto& msgs = model.outlet.messages;
        for (auto& m : msgs) {
            if (!m.waiting)
                continue;
            m.waiting = false;
            r.out(0, QVariant::fromValue<qint64>(1));
            r.out(1, m.fecmov);
            r.out(2, m.hormov);
            r.out(3, m.texto);
            return true;
        }
        r.out(0, QVariant::fromValue<qint64>(0));
        return true;
    });

    // dstmen: p1 outlet -> rows fecmov, hormov, texto.
    server.register_procedure("dstmen", [&model](Request& r) {
        auto& rs = r.rows({"fecmov", "hormov", "texto"});
        for (const auto& m : model.outlet.messages)
            rs.rows << QVariantList{m.fecmov, m.hormov, m.texto};
        return true;
    });
}

} // namespace central
