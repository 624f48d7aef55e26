#pragma once
// The line layouts of the reports: rows in, lines out, no widgets. Each layout answers
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
struct Report {
    QStringList lines;
    bool nodat = false;     // nothing to report
};

// A date of a row as "dd-mm-yyyy"; a text that reads as no date is written as it came.
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
