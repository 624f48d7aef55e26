#include "procs.h"
#include "core/shared/whole.h"

namespace {

// The name/value rows of getpaq.
db::Reading param_rows(ParamRows& p)
{
    return [&rows = p.rows](db::Reader& r) {
        for (const db::Row& row : r.rows({{"nombre", db::adVarChar}, {"valor", db::adVarChar}}))
            rows.append({row.text("nombre"), row.text("valor")});
    };
}

// The lotteries of newtkx and dttlot rows: codint as text, the rest as 16-bit whole numbers.
QList<RegLot> lot_rows(db::Reader& r, db::Set set)
{
    static const std::pair<const char*, int RegLot::*> ints[] = {
        {"statpl", &RegLot::statpl}, {"stater", &RegLot::stater}, {"stazod", &RegLot::stazod},
        {"statrz", &RegLot::statrz}, {"stamor", &RegLot::stamor}, {"stadbl", &RegLot::stadbl},
        {"stasit", &RegLot::stasit}, {"stastd", &RegLot::stastd}, {"stastt", &RegLot::stastt},
        {"codsim", &RegLot::codsim}, {"codrul", &RegLot::codrul}, {"codzod", &RegLot::codzod},
        {"zorder", &RegLot::zorder},
    };
    QList<db::Field> columns{{"codint", db::adChar}};
    for (const auto& [column, member] : ints)
        columns << db::Field{QLatin1String(column), db::adSmallInt};
    QList<RegLot> lots;
    for (const db::Row& row : r.rows(columns, set)) {
        RegLot lot;
        lot.codint = row.text("codint");
        for (const auto& [column, member] : ints)
            lot.*member = int(row.whole(QLatin1String(column)));
        lots.append(lot);
    }
    return lots;
}

using db::adBigInt;
using db::adChar;
using db::adInteger;
using db::adParamInput;
using db::adParamOutput;
using db::adParamReturnValue;
using db::adVarChar;

// The prepared commands in the order the window prepares them, with their parameters.
struct Prepared {
    db::Command App::*cmd;
    const char* procedure;
    QList<db::Parameter> params;
};

const QList<Prepared>& prepared_cmds()
{
    static const QList<Prepared> cmds = {
        {&App::cmd_getpaq, "getpaq", {{"q1", adVarChar, adParamInput, 3, {}}}},
        {&App::cmd_statik, "statik", {{"w0", adInteger, adParamReturnValue, 0, {}}, {"w1", adBigInt, adParamInput, 0, {}}}},
        {&App::cmd_protkx,
         "protkx",
         {{"x1", adBigInt, adParamInput, 0, {}},
          {"x2", adChar, adParamInput, 255, {}},
          {"x3", adChar, adParamInput, 1, {}},
          {"x4", adChar, adParamInput, 6, {}},
          {"x5", adBigInt, adParamInput, 0, {}},
          {"x6", adInteger, adParamInput, 0, {}},
          {"x7", adBigInt, adParamInput, 0, {}},
          {"x8", adBigInt, adParamInput, 0, {}}}},
        {&App::cmd_valtkx,
         "valtkx",
         {{"y0", adBigInt, adParamReturnValue, 0, {}},
          {"y1", adBigInt, adParamOutput, 0, {}},
          {"y2", adChar, adParamOutput, 8, {}},
          {"y3", adChar, adParamInput, 8, {}},
          {"y4", adBigInt, adParamInput, 0, {}},
          {"y5", adBigInt, adParamInput, 0, {}},
          {"y6", adInteger, adParamInput, 0, {}}}},
        {&App::cmd_newtkx,
         "newtkx",
         {{"z0", adBigInt, adParamReturnValue, 0, {}},
          {"z1", adBigInt, adParamOutput, 0, {}},
          {"z2", adBigInt, adParamOutput, 0, {}},
          {"z3", adChar, adParamOutput, 10, {}},
          {"z4", adChar, adParamOutput, 8, {}},
          {"z5", adChar, adParamInput, 3, {}},
          {"z6", adChar, adParamInput, 2, {}},
          {"z7", adChar, adParamInput, 10, {}},
          {"z8", adInteger, adParamInput, 0, {}},
          {"z9", adInteger, adParamInput, 0, {}},
          {"z10", adInteger, adParamInput, 0, {}}}},
    };
    return cmds;
}

} // namespace

ParamRows getpaq(App& app, const QString& cod_ven, const ParamCheck& check)
{
    ParamRows p;
    const db::Reading rows = param_rows(p);
    p.ok = app.proc(QStringLiteral("getpaq")).in(QStringLiteral("x1"), db::adVarChar, 3, cod_ven).exec([&](db::Reader& r) {
        rows(r);
        if (check && r.readable())
            check(r, p);
    });
    return p;
}

ParamRows getpaq(App& app, db::Command& prepared, const QString& cod_ven)
{
    prepared.command_text = QStringLiteral("getpaq");
    prepared.set_value(QStringLiteral("q1"), cod_ven);
    ParamRows p;
    p.ok = db::run_prepared(app.rule(), prepared, param_rows(p));
    return p;
}

void read_limits(LimVta& lim, const ParamRows& rows)
{
    const std::pair<const char*, QString LimVta::*> keys[] = {
        {"TVENCE_TIK", &LimVta::dia_vence}, {"JUGADA_MIN", &LimVta::jug_min}, {"JUGADA_MIZ", &LimVta::jug_miz},
        {"JUGADA_MIS", &LimVta::jug_mis},   {"JUGADA_MAX", &LimVta::jug_max}, {"JUGADA_MAZ", &LimVta::jug_maz},
        {"JUGADA_MAS", &LimVta::jug_mas},   {"VENTIK_MIN", &LimVta::vta_min}, {"VENTIK_MAX", &LimVta::vta_max},
    };
    for (const auto& [name, value] : rows.rows)
        for (const auto& [key, member] : keys)
            if (name == QLatin1String(key))
                lim.*member = value;
}

AnnulAnswer anutix(App& app, qint64 numtik, const QString& cod_ven, const QString& caja, bool once, bool read_code)
{
    db::Proc call = app.proc(QStringLiteral("anutix"))
                        .ret(QStringLiteral("d0"))
                        .in(QStringLiteral("d1"), db::adBigInt, 0, numtik)
                        .in(QStringLiteral("d2"), db::adChar, 3, cod_ven)
                        .in(QStringLiteral("d3"), db::adChar, 2, caja);
    AnnulAnswer a;
    const db::Reading read = [&](db::Reader& r) {
        if (read_code)
            a.code = int(r.whole("d0", db::adInteger));
    };
    a.ok = once ? call.once(read) : call.exec(read);
    return a;
}

PlayRows dettix(App& app, qint64 numtik, bool names_only)
{
    PlayRows out;
    out.ok = app.proc(QStringLiteral("dettix")).in(QStringLiteral("p1"), db::adBigInt, 0, numtik).exec([&](db::Reader& r) {
        if (names_only) {
            for (const db::Row& row : r.rows({{"nomlot", db::adVarChar}}))
                out.rows << PlayRow{row.text("nomlot"), {}, {}, {}, {}, {}};
            return;
        }
        const QList<db::Field> columns{{"nomlot", db::adVarChar}, {"codsim", db::adSmallInt}, {"codzod", db::adSmallInt},
                                       {"tipnum", db::adChar},    {"numero", db::adChar},     {"monto", db::adCurrency}};
        for (const db::Row& row : r.rows(columns))
            out.rows << PlayRow{row.text("nomlot"), QString::number(row.whole("codsim")),
                                QString::number(row.whole("codzod")), row.text("tipnum"), row.text("numero"),
                                stored_text(row.number("monto"))};
    });
    return out;
}

void prep_cmds(App& app)
{
    for (const Prepared& p : prepared_cmds()) {
        db::Command& cmd = app.*p.cmd;
        cmd.command_text = QLatin1String(p.procedure);
        for (const db::Parameter& par : p.params)
            cmd.append(par.name, par.type, par.dir, par.size);
    }
}

void drop_cmds(App& app)
{
    for (const Prepared& p : prepared_cmds())
        for (const db::Parameter& par : p.params)
            (app.*p.cmd).remove(par.name);
}

CatRows dstlot(App& app, int ord_lot, int val_fijo)
{
    CatRows c;
    c.ok = app.proc(QStringLiteral("dstlot"))
               .in(QStringLiteral("d1"), adInteger, 0, ord_lot)
               .in(QStringLiteral("d2"), adInteger, 0, val_fijo)
               .exec([&](db::Reader& r) {
                   // Every column as text, the numbers too.
                   const QList<db::Field> columns{{"codint", adChar},    {"codlot", adChar}, {"nomlot", adVarChar},
                                                  {"codsim", adVarChar}, {"codsit", adVarChar}};
                   for (const db::Row& row : r.rows(columns))
                       c.rows.append(RegCat{row.text("codint"), row.text("codlot"), row.text("nomlot"),
                                            row.text("codsim"), row.text("codsit")});
               });
    return c;
}

bool dsplot(App& app)
{
    return app.proc(QStringLiteral("dsplot")).exec();
}

LotRows dttlot(App& app, const QString& cod_ven, int mod_lot, int ord_act, int val_fijo)
{
    LotRows l;
    l.ok = app.proc(QStringLiteral("dttlot"))
               .in(QStringLiteral("d1"), adChar, 3, cod_ven)
               .in(QStringLiteral("d2"), adInteger, 0, mod_lot)
               .in(QStringLiteral("d3"), adInteger, 0, ord_act)
               .in(QStringLiteral("d4"), adInteger, 0, val_fijo)
               .exec([&](db::Reader& r) { l.rows = lot_rows(r, db::Set::required); });
    return l;
}

NewTicket newtkx(App& app, const QString& cod_ven, const QString& cod_caj, const QString& num_hdd, int ord_lot,
                 int val_fijo, int mod_ven)
{
    db::Command& cmd = app.cmd_newtkx;
    cmd.set_value(QStringLiteral("z5"), cod_ven);
    cmd.set_value(QStringLiteral("z6"), cod_caj);
    cmd.set_value(QStringLiteral("z7"), num_hdd);
    cmd.set_value(QStringLiteral("z8"), ord_lot);
    cmd.set_value(QStringLiteral("z9"), val_fijo);
    cmd.set_value(QStringLiteral("z10"), mod_ven);
    NewTicket t;
    t.ok = db::run_prepared(app.rule(), cmd, [&](db::Reader& r) {
        t.status = r.whole("z0");
        // A refused ticket has nothing more to read; an opened one has all of it.
        if (t.status != 0)
            return;
        t.lots.rows = lot_rows(r, db::Set::required);
        // 0 is no ticket, and one of more than eight digits is refused by the window; a
        // number below 0 is none at all.
        const auto ticket_number = [](const QVariant& n) { return n.toLongLong() >= 0; };
        t.numtik = r.value(db::placed({"z1", db::adBigInt}, ticket_number)).toLongLong();
        t.serial = r.whole("z2");
        t.fecha = r.value({"z3", db::adDate}).toDate();
        t.hora = r.text("z4", adChar);
    });
    t.lots.ok = t.ok;
    return t;
}

TikStatus statik(App& app, qint64 numtik)
{
    app.cmd_statik.set_value(QStringLiteral("w1"), numtik);
    TikStatus s;
    s.ok = db::run_prepared(app.rule(), app.cmd_statik, [&](db::Reader& r) { s.code = r.whole("w0", adInteger); }, true);
    return s;
}

bool deltik(App& app, const QString& num_tik)
{
    return app.proc(QStringLiteral("deltik")).in(QStringLiteral("d1"), adChar, 8, num_tik).exec();
}

TikCommit valtkx(App& app, const QString& num_tik, double tot_tik, double imp_tik, int rep_juga)
{
    db::Command& cmd = app.cmd_valtkx;
    cmd.set_value(QStringLiteral("y3"), num_tik);
    cmd.set_value(QStringLiteral("y4"), tot_tik);
    cmd.set_value(QStringLiteral("y5"), imp_tik);
    cmd.set_value(QStringLiteral("y6"), rep_juga);
    TikCommit c;
    c.ok = db::run_prepared(app.rule(), cmd, [&](db::Reader& r) {
        c.val_cup = double(r.whole("y0"));
        c.val_mon = double(r.whole("y1"));
        // A committed ticket is printed with its time and its plays (none without a row).
        if (c.val_mon <= 0)
            return;
        c.hora = r.text("y2", adChar);
        c.ticket2 = r.rows({{"ticket2", adVarChar}}, db::Set::optional).value(0).text("ticket2");
    });
    return c;
}
