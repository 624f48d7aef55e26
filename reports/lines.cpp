#include "lines.h"
#include "core/shared/justify.h"
#include "core/shared/server_date.h"

#include <QDateTime>

namespace {

QString blanks(int n) { return QString(n, u' '); }
QString dashes(int n) { return QString(n, u'-'); }
QString day(const QDate& d) { return d.toString(QStringLiteral("dd-MM-yyyy")); }

// A report being written: each line put becomes a line of the buffer.
class Lines {
public:
    // The title, then the first 30 characters of the outlet's name when the head has it.
    Lines(const RepHead& head, const char* title) : head_(head)
    {
        put(QString::fromUtf8(title));
        if (head.enca)
            put(head.nom_ven.left(30));
    }

    void put(const QString& line) { lines_ << line; }
    // "FECHA : " for one day, else "DESDE : " and "HASTA : ".
    void dates(const RepRange& r, bool always_both = false)
    {
        if (r.desde == r.hasta && !always_both) {
            put(QStringLiteral("FECHA : ") + day(r.desde));
        } else {
            put(QStringLiteral("DESDE : ") + day(r.desde));
            put(QStringLiteral("HASTA : ") + day(r.hasta));
        }
    }
    // An amount's display text right-justified in width columns; a longer text is whole.
    QString amount(double value, int width) const { return pad_left(mon_showsys(head_.mon, value), width); }

    // The finished report: with the empty line a builder leaves current after its last line
    // unless its last line is still the current one.
    Report finish(bool nodat, bool empty_last = true)
    {
        if (empty_last)
            lines_ << QString();
        return {lines_, nodat};
    }

private:
    const RepHead& head_;
    QStringList lines_;
};

} // namespace

QString rep_date(const QVariant& value)
{
    switch (value.metaType().id()) {
    case QMetaType::QDate: return day(value.toDate());
    case QMetaType::QDateTime: return day(value.toDateTime().date());
    default: break;
    }
    const QString text = value.toString();
    const std::optional<QDate> d = to_date(text);
    return d ? day(*d) : text;
}

Report lay_repvtq(const RepHead& head, const RepRange& range, const QString& caja, const QList<SaleRow>& sales,
                  const QList<AnnulRow>* annulled)
{
    Lines l(head, "VENTAS TOVAREN");
    l.dates(range);
    l.put(QStringLiteral("CAJA  : ") + caja);
    l.put(dashes(32));
    l.put(QStringLiteral("FECHA         CAJA         MONTO"));
    l.put(dashes(32));
    double sum = 0;
    for (const SaleRow& r : sales) {
        l.put(rep_date(r.fecmov) + blanks(4) + r.iduser + blanks(4) + l.amount(r.total, 12));
        sum += r.total;
    }
    if (sales.isEmpty()) {
        l.put(QStringLiteral("<no hay información>"));
    } else {
        l.put(dashes(32));
        l.put(QStringLiteral("TOTAL : ") + blanks(12) + l.amount(sum, 12));
    }
    if (!annulled)
        return l.finish(false);
    if (!annulled->isEmpty()) {
        l.put(QStringLiteral(" "));
        l.put(QStringLiteral(" "));
        l.put(QStringLiteral("TICKETS ANULADOS"));
        l.put(dashes(32));
        double anu = 0;
        for (const AnnulRow& r : *annulled) {
            l.put(pad_left(r.numtik, 8, QStringLiteral("0")) + u' ' + r.iduser + u' ' + r.hormov + u' ' +
                  l.amount(r.total, 11));
            anu += r.total;
        }
        l.put(dashes(32));
        l.put(QStringLiteral("TOTAL : ") + blanks(12) + l.amount(anu, 12));
    }
    return l.finish(sales.isEmpty() && annulled->isEmpty());
}

Report lay_repitx(const RepHead& head, const RepRange& range, const QString& caja, const QList<TaxRow>& taxes)
{
    Lines l(head, "IMPUESTO MUNICIPAL");
    l.dates(range);
    l.put(QStringLiteral("CAJA  : ") + caja);
    l.put(dashes(32));
    l.put(QStringLiteral("FECHA         CAJA      IMPUESTO"));
    l.put(dashes(32));
    double sum = 0;
    for (const TaxRow& r : taxes) {
        l.put(rep_date(r.fecmov) + blanks(4) + r.iduser + blanks(6) + l.amount(r.impuesto, 10));
        sum += r.impuesto;
    }
    if (taxes.isEmpty()) {
        l.put(QStringLiteral("<no hay información>"));
    } else {
        l.put(dashes(32));
        l.put(QStringLiteral("TOTAL : ") + blanks(14) + l.amount(sum, 10));
    }
    return l.finish(taxes.isEmpty());
}

Report lay_repctq(const RepHead& head, const QDate& fecha, const QString& caja, const QList<SaleRow>& sales,
                  const QList<TaxRow>* taxes, const QList<PaidRow>* paid)
{
    Lines l(head, "CUADRE DE CAJA");
    l.put(QStringLiteral("FECHA : ") + day(fecha));
    l.put(QStringLiteral("CAJA  : ") + caja);
    l.put(dashes(32));
    double venta = 0, impuesto = 0, pagos = 0;
    for (const SaleRow& r : sales)
        venta += r.total;
    l.put(QStringLiteral("VENTA    : ") + blanks(9) + l.amount(venta, 12));
    if (taxes) {
        for (const TaxRow& r : *taxes)
            impuesto += r.impuesto;
        l.put(QStringLiteral("IMPUESTO : ") + blanks(9) + l.amount(impuesto, 12));
    }
    if (!paid)
        return l.finish(false);
    for (const PaidRow& r : *paid)
        pagos += r.premio;
    l.put(QStringLiteral("PAGOS    : ") + blanks(9) + l.amount(pagos, 12));
    // The paid tickets are listed only when their prizes add up to something.
    const bool listed = pagos > 0;
    if (listed) {
        l.put(dashes(32));
        for (const PaidRow& r : *paid)
            l.put(pad_left(r.numtik, 8, QStringLiteral("0")) + u' ' + r.iduser + u' ' + r.paghor + u' ' +
                  l.amount(r.premio, 11));
        l.put(dashes(32));
    }
    l.put(QStringLiteral("CAJA     : ") + blanks(9) + l.amount(venta + impuesto - pagos, 12));
    return l.finish(sales.isEmpty() && !listed);
}
