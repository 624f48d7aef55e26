#include "central.h"

namespace central {

namespace {

// A CHAR value as SQL Server compares it: without its trailing blanks.
QString chr(const Request& r, int i)
{
    QString s = r.text(i);
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}

// A CHAR(n) column's value: filled with blanks to its width.
QString padded(const QString& s, int width) { return s.leftJustified(width, u' '); }

} // namespace

// The procedures of the outlet's parameters, users, permissions, lotteries offered and bank deposits.
void install_admin(Server& server)
{
    Model& model = server.model;

    // Users and their menu permissions, on the outlet's users (the login checks them).
    // dspusr: p1 outlet, p2 terminal -> rows iduser (null for a user without a caja),
    // logusr, pwdusr as CHAR columns.
    server.register_procedure("dspusr", [&model](Request& r) {
        auto& rs = r.rows({"iduser", "logusr", "pwdusr"});
        if (chr(r, 0) != model.outlet.cod_ven)
            return true;
        for (auto it = model.outlet.users.begin(); it != model.outlet.users.end(); ++it)
            rs.rows << QVariantList{it->caja.isEmpty() ? QVariant() : QVariant(it->caja), padded(it.key(), 10),
                                    padded(it->password, 10)};
        return true;
    });

    // actusr: p1 "1" include, "2" modify (the password), "3" delete; p2 user, p3 password,
    // p4 outlet, p5 caja, p6 terminal. Answers 0 done, 1 incomplete or invalid, 2 the user
    // exists, 3 the caja exists.
    server.register_procedure("actusr", [&model](Request& r) {
        auto& users = model.outlet.users;
        const QString op = chr(r, 0), user = chr(r, 1), password = chr(r, 2), caja = chr(r, 4);
        r.status = 1;
        if (user.isEmpty())
            return true;
        if (op == "1") {
            const bool caja_ok = caja.size() == 2 && caja[0].isDigit() && caja[1].isDigit();
            if (password.isEmpty() || !caja_ok || chr(r, 3) != model.outlet.cod_ven)
                return true;
            if (users.contains(user)) {
                r.status = 2;
                return true;
            }
            for (const auto& u : users)
                if (u.caja == caja) {
                    r.status = 3;
                    return true;
                }
            users.insert(user, User{password, caja, {}});
            r.status = 0;
        } else if (op == "2") {
            if (password.isEmpty() || !users.contains(user))
                return true;
            users[user].password = password;
            r.status = 0;
        } else if (op == "3") {
            if (users.remove(user))
                r.status = 0;
        }
        return true;
    });

    // getmap: d1 user -> rows codmnu, the codes the user is denied, as stored.
    server.register_procedure("getmap", [&model](Request& r) {
        auto& rs = r.rows({"codmnu"});
        const auto u = model.outlet.users.constFind(chr(r, 0));
        if (u != model.outlet.users.cend())
            for (const auto& code : u->denied)
                rs.rows << QVariantList{code};
        return true;
    });
    // delmap: d1 user; actmap: d1 user, d2 one more denied code.
    server.register_procedure("delmap", [&model](Request& r) {
        const auto u = model.outlet.users.find(chr(r, 0));
        if (u != model.outlet.users.end())
            u->denied.clear();
        return true;
    });
    server.register_procedure("actmap", [&model](Request& r) {
        const auto u = model.outlet.users.find(chr(r, 0));
        if (u != model.outlet.users.end())
            u->denied << chr(r, 1);
        return true;
    });
}

} // namespace central
