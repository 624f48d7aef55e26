#pragma once
// The sale window with play registration: Procesar sends the play typed in the number and
// amount fields and turns the server's answer into ticket lines; the procedures the sale
// dialogs hand their choices to put the plays the server builds on the ticket, send sign
// and animal plays, and take lines off.
#include "sale/entry/movtik_entry.h"
#include "procs.h"

class movtik_plays : public movtik_entry {
    Q_OBJECT
public:
    explicit movtik_plays(App& app, QWidget* parent = nullptr);

    // Enter: the number step, then the amount step and the request.
    void b_procesar_Click();
    // Appends the staged line (lin_* of tik_cur) to the ticket: its record, its line in
    // the play list and its share of the total.
    void add_lin();

    // The index of the play a line of the play list shows (of its record in jug_tik); -1
    // for none.
    static int line_play(const QListWidgetItem* line);

    // Taking lines off: the selected line (Delete, double click), or the lines of the
    // lotteries of dlg_lotsel (after the deletion dialog).
    int lt_nume_KeyDown(int KeyCode, int Shift);
    void lt_nume_DblClick();
    void del_jug();
    void bor_jug() override;

    // Follow-ups of the terminals, repeat and duplicate dialogs (run by the play-type
    // dispatch, as bor_jug): one request each.
    void add_ter() override;
    void add_rep() override;
    void add_dup() override;
    // Called by the sign dialogs (zodiac, cacho) and the animal dialogs.
    void zod_tik();
    void zod_tik2();
    void sim_tik();
    void dbl_tik();
    void mor_tik();

private:
    void number_step(const QString& num);
    bool amount_step();
    void refuse_number();
    void send_play(const QString& lots);
    bool marker(const RspJug& row);
    void stage_row(const RspJug& row);
    void served_lines(const PlayAnswer& a, bool by_row);
    void sign_play(bool cacho);
    void animal_plays(const QStringList& texts);
    bool dialog_request(const QString& lots, const QString& numero);
    void show_markers(bool closed, bool limit);
    void add_line(const JugTik& rec, int index);
    // Takes the next index for the staged play with a record that stands removed: no line,
    // nothing to the total.
    void skip_lin();
    void set_total();
    void list_end();

    QString tip_base_ = QStringLiteral("N");  // the play type chosen before a serie or corrida
    bool scroll_due_ = false;                 // the play list is to show its last line
    bool closed_ = false, limit_ = false;     // markers of the answer being read
};
