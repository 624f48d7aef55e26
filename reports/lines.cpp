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
    // A text that is no date is printed as sent, in the column a date takes.
    const QString text = value.toString();
    const std::optional<QDate> d = to_date(text);
    return d ? day(*d) : pad_right(text, 10);
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

Report lay_reprtq(const RepHead& head, const RepRange& range, const QString& caja, const QList<ResultRow>& rows)
{
    Lines l(head, "RESULTADOS TOVAREN");
    l.dates(range);
    l.put(QStringLiteral("CAJA  : ") + caja);
    l.put(dashes(32));
    l.put(QStringLiteral("TICKT CJ   MONTO       PREMIOS P"));
    l.put(dashes(32));
    double all = 0, paid = 0, unpaid = 0;
    for (const ResultRow& r : rows) {
        // The ticket's last five characters, or the whole number zero-filled to five.
        const QString n = trim_blanks(r.numtik);
        const QString tick = n.size() >= 5 ? n.right(5) : pad_left(n, 5, QStringLiteral("0"));
        const bool is_paid = r.pagado == 1;
        (is_paid ? paid : unpaid) += r.premio;
        all += r.premio;
        l.put(tick + u' ' + r.iduser + u' ' + l.amount(r.total, 7) + u' ' + l.amount(r.premio, 13) + u' ' +
              (is_paid ? u'S' : u'N'));
    }
    l.put(dashes(32));
    l.put(QStringLiteral("TOTAL     :") + blanks(6) + l.amount(all, 13));
    l.put(QString());
    l.put(QStringLiteral("PAGADOS   :") + blanks(6) + l.amount(paid, 13));
    l.put(QStringLiteral("POR PAGAR :") + blanks(6) + l.amount(unpaid, 13));
    return l.finish(rows.isEmpty());
}

Report lay_reprba(const RepHead& head, const RepRange& range, int modo, bool flg_imp, const QList<BankRow>& rows)
{
    const int anc_lin = flg_imp ? 32 : 70;
    Lines l(head, "RESULTADOS BANCA");
    // The result lines of the groups: on screen a group's label and amounts on one line, on
    // paper its label line and four amount lines. The list starts empty at every build, so
    // an amounts row with no label row before it has an empty label.
    QStringList lin_res;
    qsizetype count = 0;
    auto line_at = [&](qsizetype i) -> QString& {
        if (lin_res.size() <= i)
            lin_res.resize(i + 1);
        return lin_res[i];
    };
    const char* captions[] = {"   Monto: ", "Comision: ", "  Premio: ", "   Total: "};
    double sums[4] = {0, 0, 0, 0};
    for (const BankRow& r : rows) {
        if (r.xcontrol == 0) {
            line_at(count) = r.xloteria;
            if (flg_imp)
                ++count;
            continue;
        }
        const double v[4] = {-r.xmonto, r.xcomision, r.xpremio, r.xcomision + r.xpremio - r.xmonto};
        for (int i = 0; i < 4; ++i)
            sums[i] += v[i];
        if (flg_imp) {
            for (int i = 0; i < 4; ++i)
                line_at(count + i) = blanks(8) + QLatin1String(captions[i]) + blanks(2) + l.amount(v[i], 12);
            count += 4;
        } else {
            QString& line = line_at(count);
            for (int i = 0; i < 4; ++i)
                line += (i == 0 ? blanks(1) : blanks(2)) + l.amount(v[i], 12);
            ++count;
        }
    }

    l.dates(range, true);
    l.put(dashes(anc_lin));
    if (!flg_imp) {
        l.put(modo == 0 ? QStringLiteral("FECHA                  VENTA      COMISION        PREMIO         TOTAL")
                        : QStringLiteral("NOMBRE                 VENTA      COMISION        PREMIO         TOTAL"));
        l.put(dashes(70));
    }
    if (count <= 0)
        return l.finish(true);
    for (qsizetype i = 0; i < count; ++i)
        l.put(lin_res[i]);
    l.put(dashes(anc_lin));
    l.put(QString());
    if (flg_imp) {
        l.put(QStringLiteral("TOTALES"));
        for (int i = 0; i < 4; ++i)
            l.put(blanks(8) + QLatin1String(captions[i]) + blanks(2) + l.amount(sums[i], 12));
    } else {
        QString total = QStringLiteral("TOTALES") + blanks(9);
        for (int i = 0; i < 4; ++i)
            total += (i == 0 ? QString() : blanks(2)) + l.amount(sums[i], 12);
        l.put(total);
    }
    return l.finish(false, false);
}

Report lay_replup(const RepHead& head, const RepRange& range, const QList<reg_cta>& rows)
{
    Lines l(head, "CUADRE DE CUENTAS");
    l.dates(range);
    l.put(dashes(30));
    if (rows.isEmpty())
        return l.finish(true);
    const QString captions[] = {QStringLiteral("Deuda       : "), QStringLiteral("Cuenta      : "),
                                QStringLiteral("Movimientos : "), QStringLiteral("Depósitos   : "),
                                QStringLiteral("Total       : ")};
    for (qsizetype k = 0; k < rows.size(); ++k) {
        const reg_cta& r = rows[k];
        if (range.desde != range.hasta)
            l.put(QStringLiteral("Fecha       : ") + blanks(6) + rep_date(r.fecmov));
        const double v[] = {r.deuda, r.cuenta, r.movimiento, r.deposito, r.total};
        for (int i = 0; i < 5; ++i)
            l.put(captions[i] + blanks(4) + l.amount(0 - v[i], 12));
        if (k + 1 < rows.size())
            l.put(QString());
    }
    return l.finish(false);
}
