#pragma once
// "Números Premiados": the winning number of every lottery of the outlet for a date, with
// its sign and the state of the draw, and their printed listing of 30 columns. A modeless
// child of the main window; every change of the date reloads.
#include "core/app/app.h"
#include "services/winning_texts.h"

#include <QWidget>

class QDateEdit;
class QLabel;
class QPushButton;
class QTreeWidget;

class movprm : public QWidget {
    Q_OBJECT
public:
    explicit movprm(App& app, QWidget* parent = nullptr);

    QLabel* Label1;
    QDateEdit* tx_fech;
    QPushButton* b_imprimir;
    QPushButton* b_salir;     // cancel button (Esc)
    QTreeWidget* lista;

    // Column widths of lista in twips, by column.
    static constexpr int col_widths[5] = {700, 2190, 2550, 1600, 1500};

    // Top-left corner of the window on a screen of the given width in twips.
    static QPoint place_for(int screen_twips);

    void tx_fech_Change();
    void b_imprimir_Click();
    void b_salir_Click();

    // The rows of the last load that read rows, with the date they are of.
    const QList<PrmRow>& reg_prm() const { return reg_prm_; }
    const QDate& fec_rows() const { return fec_rows_; }
    int flg_nolin() const { return flg_nolin_; }

private:
    void Form_Load();
    void car_prm();
    void imp_prm();

    App& app_;
    QList<PrmRow> reg_prm_;
    QDate fec_rows_;
    int flg_nolin_ = 0;
};
