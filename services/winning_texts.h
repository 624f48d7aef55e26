#pragma once
// The texts of the winning numbers: one dstprm row composed into the columns of the
// winning-numbers list and into the text of the printed listing, and the listing itself.
// Pure functions of one row and the symbol table.
#include "core/shared/state.h"

#include <QDate>
#include <QList>
#include <QString>
#include <optional>

// One winning-number row as the server answered it. A number column that was missing,
// null, not a whole number or outside 16 bits is absent, and so is every text that
// needs it.
struct PrmRow {
    QString codlot, nomlot;
    QString numero;     // the winning number without its sign letter ("" before the draw)
    QString signo;      // the sign letter, or ""
    std::optional<int> codsim, codrul, codzod, status;
    QString txt_prm;    // the text of the printed listing
};

// numpre split by its class: "Z" and "Y" numbers end in a sign letter.
void split_numpre(const QString& numpre, QString& numero, QString& signo);


// The text of the printed listing ("" when there is nothing to print).
QString prm_print_text(const PrmRow& row, const TabSim& tab);

// The Número, Signo and Status columns of the list.
struct PrmListTexts {
    QString numero, signo, status;
};
PrmListTexts prm_list_texts(const PrmRow& row, const TabSim& tab);

// The Status text of a draw status: "No Procesado", "En Proceso", "Procesado", "-"; else "".
QString prm_status_text(std::optional<int> status);

// The width in twips of the Nombre column after a load of that many rows.
int prm_nombre_width(qsizetype rows);

// Builds the 30-column listing of the rows of a date into the report buffer, ending with
// one empty element. Answers whether it holds no lottery line.
bool prm_listing(BufRep& buf, const QDate& fecha, const QList<PrmRow>& rows);
