#include "procs_tickets.h"
#include "core/shared/justify.h"
#include "core/shared/server_date.h"
#include "core/shared/whole.h"

#include <QDate>
#include <QDateTime>

namespace {

// The sale data of a ticket header: the first row, when one came (the texts stay empty
// without), the date as the server sent it (a date as "dd/mm/yyyy", a text unchanged) and
// the amounts as stored-amount texts.
std::optional<db::Row> read_header(db::Reader& r, TikHeader& h, bool premio)
{
    QList<db::Field> columns{
        db::shown_date("fecmov"), {"codven", db::adChar}, {"iduser", db::adChar}, {"total", db::adCurrency}};
    if (premio)
        columns << db::Field{"premio", db::adCurrency};
    const QList<db::Row> rows = r.rows(columns, db::Set::optional);
    if (rows.isEmpty())
        return std::nullopt;
    const db::Row& row = rows.first();
    h.fecmov = date_text(row.value("fecmov"));
    h.codven = row.text("codven");
    h.iduser = row.text("iduser");
    h.total = stored_text(row.number("total"));
    return row;
}

} // namespace

TikHeader dsptik(App& app, qint64 numtik)
{
    TikHeader h;
    h.ok = app.proc(QStringLiteral("dsptik"))
               .ret(QStringLiteral("p1"), db::adTinyInt)
               .in(QStringLiteral("p2"), db::adBigInt, 0, numtik)
               .exec([&](db::Reader& r) {
                   h.code = int(r.whole("p1", db::adTinyInt));
                   // The header counts only where the status raises no objection.
                   if (h.code < 1 || h.code > 5)
                       read_header(r, h, false);
               });
    return h;
}

LastTicket dsputk(App& app, const QString& cod_ven, const QString& cod_caj)
{
    LastTicket l;
    l.ok = app.proc(QStringLiteral("dsputk"))
               .out(QStringLiteral("p1"), db::adBigInt)
               .in(QStringLiteral("p2"), db::adChar, 3, cod_ven)
               .in(QStringLiteral("p3"), db::adChar, 2, cod_caj)
               .exec([&](db::Reader& r) {
                   // No ticket sold yet: 0 or less, or no number at all.
                   l.numtik = r.value(db::nullable("p1", db::adBigInt, QVariant::fromValue<qint64>(0))).toLongLong();
               });
    return l;
}

TixHeader dsptix(App& app, const QString& serial)
{
    TixHeader h;
    h.ok = app.proc(QStringLiteral("dsptix"))
               .ret(QStringLiteral("p0"), db::adSmallInt)
               .out(QStringLiteral("p1"), db::adChar, 8)
               .in(QStringLiteral("p2"), db::adChar, 8, serial)
               .exec([&](db::Reader& r) {
                   h.code = int(r.whole("p0", db::adSmallInt));
                   // The data of a paid ticket is shown; a processed one is paid by its key.
                   if (h.code == 2 || h.code == 4)
                       if (const auto row = read_header(r, h, true))
                           h.premio = stored_text(row->number("premio"));
                   if (h.code != 2)
                       return;
                   h.key = r.text("p1", db::adChar);
                   if (h.key.trimmed().isEmpty())
                       r.refuse(QStringLiteral("a ticket to pay without its key"));
               });
    return h;
}

PayAnswer pagtix(App& app, const QString& key, const QString& cod_ven, const QString& cod_caj)
{
    PayAnswer a;
    a.ok = app.proc(QStringLiteral("pagtix"))
               .ret(QStringLiteral("z0"))
               .in(QStringLiteral("z1"), db::adChar, 8, key)
               .in(QStringLiteral("z2"), db::adChar, 3, cod_ven)
               .in(QStringLiteral("z3"), db::adChar, 2, cod_caj)
               .in(QStringLiteral("z4"), db::adChar, 12, pad_right({}, 6) + pad_right({}, 6))
               .in(QStringLiteral("z5"), db::adChar, 12, QVariant())
               .exec([&](db::Reader& r) { a.code = int(r.whole("z0", db::adInteger)); });
    return a;
}

TicketRows contik(App& app, const QString& fecha, const QString& cod_ven, const QString& cod_caj)
{
    TicketRows out;
    out.ok = app.proc(QStringLiteral("contik"))
                 .in(QStringLiteral("p1"), db::adChar, 10, fecha)
                 .in(QStringLiteral("p2"), db::adChar, 3, cod_ven)
                 .in(QStringLiteral("p3"), db::adChar, 2, cod_caj)
                 .exec([&](db::Reader& r) {
                     // A ticket number is above 0: no other is shown or asked for.
                     const auto ticket = [](const QVariant& n) { return n.toLongLong() > 0; };
                     const QList<db::Field> columns{db::placed({"numtik", db::adBigInt}, ticket), {"iduser", db::adChar},
                                                    {"hormov", db::adVarChar}, {"status", db::adSmallInt},
                                                    {"total", db::adCurrency}};
                     for (const db::Row& row : r.rows(columns))
                         out.rows << TicketRow{QString::number(row.whole("numtik")), row.text("iduser"),
                                               row.text("hormov"), int(row.whole("status")),
                                               stored_text(row.number("total"))};
                 });
    return out;
}
