#pragma once
// The deletion dialog bortik ("Eliminar Jugadas"), opened by the sale window for play type
// E on a ticket with lines: "Todas" and the lotteries of the catalogue that the ticket's
// lines play on, in catalogue order, each once. The cashier ticks "Todas" or lotteries (the
// one unticks the others, at most 31) and Aceptar hands them to the sale window in
// dlg_datos: dlg_lotsel "*" alone or the lotteries' catalogue codes in list order (exactly
// those) and dlg_res "1", upon which the sale window takes their plays off the ticket; with
// nothing ticked nothing follows. Cancelar leaves dlg_res empty.
#include "frame.h"
#include "sale/entry/check_list.h"

// A line of the sale window's play list: the catalogue code of its play's lottery ("" when
// unknown) and its text (its first 15 characters are its lottery's name).
struct PlayedLine {
    QString codint;
    QString text;
};
// The catalogue entries the lines play on, as indexes in catalogue order, each once. A line
// plays on the entry of its play's code (as the sale window takes plays off by code: names
// may share their first 15 characters); a line without one, on an entry whose name's first
// 15 characters, trimmed, are the line's lottery column, trimmed.
QList<int> played_lots(const TabCat& tab_cat, const QList<PlayedLine>& lines);

class bortik : public SaleDialog {
    Q_OBJECT
public:
    explicit bortik(App& app);

    QListWidget* lt_lote;
    CheckList* lote;       // lt_lote's ticks
    QStringList cod_lote;  // what each row stands for: "*" ("Todas"), then catalogue codes

    static QPoint place_for(int screen_twips);

    void b_aceptar_Click() override;
    void b_cancelar_Click() override;
    void lt_lote_ItemCheck(int row);
    void lt_lote_GotFocus();
    void lt_lote_LostFocus();

private:
    void Form_Load();
    void add_row(const QString& text, const QString& code);

    bool guard_ = false;  // the lottery rows' ticks are handled (not while "Todas" clears them)
};
