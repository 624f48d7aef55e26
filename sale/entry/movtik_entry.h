#pragma once
// Play entry of the sale window: the cashier chooses play types by letter, ticks lotteries
// (which set the number format, the amount limits and presets and the code pick list),
// types the number (plain, or symbol codes with their names, or picked from the pick list)
// and the amount from the keyboard; the lists hand their letters and digits over to the
// number field. The window's controls speak through one key and focus bridge (bridge.h);
// the handlers keep the names of the controls' events.
//
// Play registration completes this class: it sends what was entered ("Procesar") and runs
// the follow-ups of the sale dialogs, which play type T, D, R and E call here.
#include "amount.h"
#include "bridge.h"
#include "check_list.h"
#include "sale/ticket/movtik.h"

class movtik_entry : public movtik {
    Q_OBJECT
public:
    explicit movtik_entry(App& app, QWidget* parent = nullptr);
    ~movtik_entry() override;

    void sel_tip(int index, int key, int item) override;
    void act_tip() override;
    // A tick of lt_lote changed (by the cashier or the program).
    void lt_lote_ItemCheck(int item);

    // The code mode of the entry as tik_cur holds it now.
    CodeSet code_set() const;
    // The code mode of the ticked lotteries, as the number field leaves it and Procesar
    // reads the number: the set with the most symbols among them (the later one on a tie)
    // and the several-code attributes of the last one that takes several codes a play.
    void code_mode();
    // The amount field brought within the limits of the lottery ticked last; the amount it
    // held, in stored units.
    QString adjust_amount();

    // The play-type list.
    void lt_tipo_MouseDown();
    void lt_tipo_ItemCheck(int item);
    void lt_tipo_DblClick();
    void lt_tipo_GotFocus();
    void lt_tipo_LostFocus();
    int lt_tipo_KeyPress(int KeyAscii);

    // The number field.
    int tx_nume_KeyPress(int KeyAscii);
    int tx_nume_KeyDown(int KeyCode, int Shift);
    void tx_nume_DropDown();
    void tx_nume_GotFocus();
    void tx_nume_LostFocus();

    // The lottery list.
    int lt_lote_KeyPress(int KeyAscii);
    void lt_lote_GotFocus();
    void lt_lote_LostFocus();

    // The amount field.
    int tx_mont_KeyPress(int KeyAscii);
    int tx_mont_KeyDown(int KeyCode, int Shift);
    void tx_mont_GotFocus();
    void tx_mont_LostFocus();
    void tx_mont_Change();

    // The code pick list (its KeyDown does nothing).
    void lx_nume_GotFocus();
    void lx_nume_LostFocus();
    void lx_nume_ItemCheck(QTreeWidgetItem* item);
    void lx_nume_ItemClick();
    int lx_nume_KeyPress(int KeyAscii);

    // The play list and the read-only fields.
    int lt_nume_KeyPress(int KeyAscii);
    void lt_nume_GotFocus();
    void lt_nume_LostFocus();
    void tx_ntik_GotFocus();
    void tx_mtik_GotFocus();

    // The follow-ups of the dialogs of play types T, D, R and E, run by the dispatch once
    // their dialog left a result.
    virtual void add_ter() = 0;
    virtual void add_dup() = 0;
    virtual void add_rep() = 0;
    virtual void bor_jug() = 0;

protected:
    EntryBridge* bridge_;
    CheckList* lote_;  // the ticks of lt_lote

private:
    bool letter_key(int KeyAscii);
    void tick_only(int item);
    void fill_picks(int codsim, int start);
    QString picked(int& count) const;
    void show_dialog(const char* name);
    void sel_zod();
    int list_key(int KeyAscii);
    int edit_number(int KeyAscii);
    void hand_over(int KeyAscii);
    void paint(QWidget* w, bool focus);
    void caret_end();
    int largest_set(int set) const;
};
