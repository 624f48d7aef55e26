#include "central.h"

namespace central {

namespace {

// A CHAR value as SQL Server compares it: without its trailing blanks.
QString rtrim(QString s)
{
    while (s.endsWith(u' '))
        s.chop(1);
    return s;
}
QString chr(const Request& r, int i) { return rtrim(r.text(i)); }

// A CHAR(n) column's value: filled with blanks to its width.
QString padded(const QString& s, int width) { return s.leftJustified(width, u' '); }

} // namespace

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

    // The lotteries offered: the catalogue, less the codes the outlet switched off. A demo
    // catalogue when no other group brought one.
    if (model.lotteries.isEmpty())
        for (const auto& [code, name] : {std::pair{"001", "TRIPLE ZULIA"}, {"002", "TRIPLE CARACAS"},
                                         {"003", "TRIPLE TACHIRA"}, {"004", "ZODIACAL"}}) {
            Lottery l;
            l.codint = l.codlot = code;
            l.nomlot = name;
            model.lotteries.append(l);
        }
    // dsxsrt: d1 outlet -> rows codlot (the code a client sends back), nomlot, stasrt
    // (1 switched off, 0 offered). delsrt: d1 outlet; actsrt: d1 outlet, d2 one more code.
    server.register_procedure("dsxsrt", [&model](Request& r) {
        auto& rs = r.rows({"codlot", "nomlot", "stasrt"});
        if (chr(r, 0) == model.outlet.cod_ven)
            for (const auto& l : model.lotteries)
                rs.rows << QVariantList{l.codint, l.nomlot, model.outlet.lots_off.contains(rtrim(l.codint)) ? 1 : 0};
        return true;
    });
    server.register_procedure("delsrt", [&model](Request& r) {
        if (chr(r, 0) == model.outlet.cod_ven)
            model.outlet.lots_off.clear();
        return true;
    });
    server.register_procedure("actsrt", [&model](Request& r) {
        if (chr(r, 0) == model.outlet.cod_ven)
            model.outlet.lots_off.insert(chr(r, 1));
        return true;
    });

    // Bank accounts and deposits.
    Outlet& o = model.outlet;
    o.accounts = {{"001", "BANCO DE VENEZUELA"}, {"002", "BANESCO"}, {"003", "MERCANTIL"}};
    const QDate today = model.started.date();
    o.deposits = {{today.addDays(-1), "001", "0004512", 250000000000, true},
                  {today, "002", "0004518", 120050000000, false},
                  {today, "001", "0004520", 75000000000, false}};

    // dspcdp: p1 outlet -> rows codbco, nombco.
    server.register_procedure("dspcdp", [&model](Request& r) {
        auto& rs = r.rows({"codbco", "nombco"});
        if (chr(r, 0) == model.outlet.cod_ven)
            for (const auto& a : model.outlet.accounts)
                rs.rows << QVariantList{a.codbco, a.nombco};
        return true;
    });
    // dspdpo: p1 outlet -> rows fecmov (a date), codbco, numero, monto (stored units).
    server.register_procedure("dspdpo", [&model](Request& r) {
        auto& rs = r.rows({"fecmov", "codbco", "numero", "monto"});
        if (chr(r, 0) == model.outlet.cod_ven)
            for (const auto& d : model.outlet.deposits)
                rs.rows << QVariantList{d.fecha, d.codbco, d.numero, QVariant::fromValue(d.monto)};
        return true;
    });
    // actdpo: p1 "1" include, "2" modify (the amount), "3" delete; p2 date "yyyy-mm-dd",
    // p3 outlet, p4 account, p5 number, p6 amount. A deposit is known by its date, account
    // and number; the delete names its amount too, whatever it is. Answers 0 done, 1
    // incomplete data (an amount of 0 or less to include) or no such deposit, 2 the deposit
    // exists, 3 it is processed.
    server.register_procedure("actdpo", [&model](Request& r) {
        Outlet& o = model.outlet;
        const QString op = chr(r, 0), codbco = chr(r, 3), numero = chr(r, 4);
        const QDate fecha = QDate::fromString(chr(r, 1), "yyyy-MM-dd");
        const qint64 monto = r.arg(5).toLongLong();
        r.status = 1;
        bool known_account = false;
        for (const auto& a : o.accounts)
            known_account = known_account || a.codbco == codbco;
        if (!fecha.isValid() || chr(r, 2) != o.cod_ven || !known_account || numero.isEmpty() || (op == "1" && monto <= 0))
            return true;
        qsizetype at = -1;
        for (qsizetype i = 0; i < o.deposits.size() && at < 0; ++i) {
            const Deposit& d = o.deposits[i];
            if (d.fecha == fecha && d.codbco == codbco && d.numero == numero && (op != "3" || d.monto == monto))
                at = i;
        }
        if (op == "1") {
            r.status = at >= 0 ? 2 : 0;
            if (at < 0)
                o.deposits.append(Deposit{fecha, codbco, numero, monto, false});
        } else if ((op == "2" || op == "3") && at >= 0) {
            r.status = o.deposits[at].processed ? 3 : 0;
            if (r.status == 0 && op == "2")
                o.deposits[at].monto = monto;
            else if (r.status == 0)
                o.deposits.removeAt(at);
        }
        return true;
    });
}

} // namespace central
