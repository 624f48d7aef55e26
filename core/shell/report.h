#pragma once
// The report-line buffer app.buf_rep, its viewer window "reporte" and its print.
//
// A report builder: rep_reset, write the first line into rep_lin[rep_idx()], then for every
// further line rep_addline and write it into rep_lin[rep_idx()]; set flg_nodat.
#include "core/app/app.h"

#include <QListWidget>
#include <QPushButton>

// One empty line: rep_idx() is 0.
void rep_reset(BufRep& buf);
// One more empty line at the end: rep_idx() grows by 1. A buffer holds any number of lines.
void rep_addline(BufRep& buf);
// Shows the buffer in the viewer "reporte", modeless in the main window in its normal size,
// one item per line.
void rep_show(App& app);
// Prints the buffer on the printer the settings choose (prn_index): rep_marg blanks before
// each line, then rep_salt + 5 lines of one blank. Any failure, also no such printer, shows
// "Error de impresión." and stops.
void rep_print(App& app);

// "Reporte": the viewer of report lines in a fixed-pitch font.
class reporte : public QWidget {
    Q_OBJECT
public:
    explicit reporte(App& app);

    QListWidget* lista;
    QPushButton* b_salir;

public slots:
    void b_salir_Click();

private:
    App& app_;
};
