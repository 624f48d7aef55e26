#pragma once
// The line layouts of the six reports: rows in, lines out, no widgets. Each layout answers
// the whole content of the report-line buffer (its last entry the empty line a builder
// leaves current) and whether there was anything to report.
#include "core/shared/money.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QVariant>

// What every report's head and amounts need of the session.
struct RepHead {
    QString nom_ven;
    bool enca = true;       // the outlet-name line (rep_enca "1")
    MonCtx mon;
};

// The dates a report covers.
struct RepRange {
    QDate desde, hasta;
};

// Rows of the report procedures, as the server sends them. Dates come as dates or as text.
struct SaleRow {            // repvtq
    QVariant fecmov;
    QString iduser;
    double total = 0;
};
struct AnnulRow {           // reptan
    QString numtik, iduser, hormov;
    double total = 0;
};
struct TaxRow {             // repitx
    QVariant fecmov;
    QString iduser;
    double impuesto = 0;
};
struct PaidRow {            // reptaq
    QString numtik, iduser, paghor;
    double premio = 0;
};
struct ResultRow {          // reprtq
    QString numtik, iduser;
    double total = 0, premio = 0;
    int pagado = 0;         // 1: the prize was paid
};
struct BankRow {            // reprbx: xcontrol 0 is a group's label row, others its amounts
    int xcontrol = 0;
    QString xloteria;
    double xmonto = 0, xcomision = 0, xpremio = 0;
};
struct reg_cta {            // replut
    QVariant fecmov;
    double deuda = 0, cuenta = 0, movimiento = 0, deposito = 0, total = 0;
};

struct Report {
    QStringList lines;
    bool nodat = false;     // nothing to report
};

// A date of a row as "dd-mm-yyyy"; a text that reads as no date is written as it came,
// filled with blanks to the width of a date.
QString rep_date(const QVariant& value);

// Sales: the sales by day and caja with their total, then the annulled tickets when any.
// annulled null: that call was lost, and the report ends after the sales.
Report lay_repvtq(const RepHead& head, const RepRange& range, const QString& caja, const QList<SaleRow>& sales,
                  const QList<AnnulRow>* annulled);
// Municipal tax by day and caja with its total.
Report lay_repitx(const RepHead& head, const RepRange& range, const QString& caja, const QList<TaxRow>& taxes);
// Cash count of a caja on a day: sales, tax (taxes null: the outlet has none), prizes paid
// and the cash due. paid null: that call was lost, and the report ends before the prizes.
Report lay_repctq(const RepHead& head, const QDate& fecha, const QString& caja, const QList<SaleRow>& sales,
                  const QList<TaxRow>* taxes, const QList<PaidRow>* paid);
// Results: one line per winning ticket and the sums of all, paid and unpaid prizes.
Report lay_reprtq(const RepHead& head, const RepRange& range, const QString& caja, const QList<ResultRow>& rows);
// Bank results by day (modo 0) or by lottery (modo 1): 70 columns on screen, 32 on paper.
Report lay_reprba(const RepHead& head, const RepRange& range, int modo, bool flg_imp, const QList<BankRow>& rows);
// Account balance: one block of negated amounts per row.
Report lay_replup(const RepHead& head, const RepRange& range, const QList<reg_cta>& rows);
