#include "procs.h"

namespace {

using db::adBigInt;
using db::adChar;
using db::adInteger;
using db::adVarChar;

// The kinds a line of the ticket can be.
bool line_kind(const QString& tipo)
{
    return tipo == u"N" || tipo == u"T" || tipo == u"S" || tipo == u"C";
}

// The rows of a play answer. A marker row (codlot "***") carries its reason in numero and
// may leave the rest null; every other row is a line and carries its amount, and its kind
// where the answer has kinds (terminals come without: they are numbers). A line of a kind
// no line can be is never shown: the answer is refused. A line's lottery may be one the
// window does not hold: what that means is the play procedure's to say.
db::Reading play_rows(PlayAnswer& a, bool with_numago, bool with_tipo = true)
{
    return [&rows = a.rows, with_numago, with_tipo](db::Reader& r) {
        QList<db::Field> columns{{"codlot", adChar}, {"numero", adChar}, db::nullable("monto", db::adCurrency)};
        if (with_tipo)
            columns << db::nullable("tipo", adChar);
        if (with_numago)
            columns << db::nullable("numago", adVarChar, QString());  // null: no numbers missing
        for (const db::Row& row : r.rows(columns)) {
            RspJug j{row.text("codlot"), row.text("numero"), with_tipo ? row.text("tipo") : QString(),
                     row.number("monto"), {}};
            if (with_numago)
                j.numago = row.text("numago");
            if (j.codlot != QLatin1String("***")) {
                if (!((!with_tipo || row.has("tipo")) && row.has("monto")))
                    r.refuse(QStringLiteral("a play line without its kind or amount"));
                else if (with_tipo && !line_kind(j.tipo))
                    r.refuse(QStringLiteral("a play line of no kind a line can be: ") + j.tipo.left(40));
            }
            rows.append(j);
        }
    };
}

} // namespace

PlayAnswer protkx(App& app, const PlayReq& q, bool prepared)
{
    const QVariantList values = {q.numtik, q.lots, q.tipo, q.numero, q.monto, q.confirm, q.can_jug, q.val_fijo};
    PlayAnswer a;
    if (prepared) {
        db::Command& cmd = app.cmd_protkx;
        for (int i = 0; i < values.size(); ++i)
            cmd.set_value(QStringLiteral("x%1").arg(i + 1), values[i]);
        a.ok = db::run_prepared(app.rule(), cmd, play_rows(a, true));
        return a;
    }
    a.ok = app.proc(QStringLiteral("protkx"))
               .in("d1", adBigInt, 0, values[0])
               .in("d2", adVarChar, 255, values[1])
               .in("d3", adChar, 1, values[2])
               .in("d4", adChar, 6, values[3])
               .in("d5", adBigInt, 0, values[4])
               .in("d6", adInteger, 0, values[5])
               .in("d7", adBigInt, 0, values[6])
               .in("d8", adBigInt, 0, values[7])
               .exec(play_rows(a, true));
    return a;
}

PlayAnswer tertix(App& app, qint64 numtik, double monto, qint64 can_jug)
{
    PlayAnswer a;
    a.ok = app.proc(QStringLiteral("tertix"))
               .in("d1", adBigInt, 0, numtik)
               .in("d2", adBigInt, 0, monto)
               .in("d3", adBigInt, 0, can_jug)
               .exec(play_rows(a, false, false));
    return a;
}

PlayAnswer reptix(App& app, qint64 numtik, qint64 index, const QString& codes, double monto, qint64 can_jug,
                  int val_fijo)
{
    PlayAnswer a;
    a.ok = app.proc(QStringLiteral("reptix"))
               .in("d1", adBigInt, 0, numtik)
               .in("d2", adBigInt, 0, index)
               .in("d3", adVarChar, 255, codes)
               .in("d4", adBigInt, 0, monto)
               .in("d5", adBigInt, 0, can_jug)
               .in("d6", adBigInt, 0, val_fijo)
               .exec(play_rows(a, false));
    return a;
}

PlayAnswer duptix(App& app, qint64 source, qint64 numtik, double monto, const QString& lot, const QString& codes,
                  qint64 can_jug, int val_fijo)
{
    PlayAnswer a;
    a.ok = app.proc(QStringLiteral("duptix"))
               .in("d1", adBigInt, 0, source)
               .in("d2", adBigInt, 0, numtik)
               .in("d3", adBigInt, 0, monto)
               .in("d4", adVarChar, 3, lot)
               .in("d5", adVarChar, 255, codes)
               .in("d6", adBigInt, 0, can_jug)
               .in("d7", adBigInt, 0, val_fijo)
               .exec(play_rows(a, false));
    return a;
}

bool delnux(App& app, qint64 numtik, qint64 index)
{
    return app.proc(QStringLiteral("delnux")).in("d1", adBigInt, 0, numtik).in("d2", adBigInt, 0, index).exec();
}

bool bortix(App& app, qint64 numtik, const QString& lots, int val_fijo)
{
    return app.proc(QStringLiteral("bortix"))
        .in("d1", adBigInt, 0, numtik)
        .in("d2", adVarChar, 255, lots)
        .in("d3", adInteger, 0, val_fijo)
        .exec();
}
