#include "reptik.h"
#include "sale/plays/movtik_plays.h"

#include <QLineEdit>
#include <QListWidget>

reptik::reptik(App& app)
    : SaleDialog(app, "reptik", QStringLiteral("Repetir Jugadas"), {3315, 3255}, {0, 5000}, {2000, 5000})
{
    lt_lote = check_list("lt_lote", {100, 100, 3100, 2500});
    // Wider than its design (600) so that "Monto:" shows whole in the fonts at hand.
    Label2 = label("Label2", QStringLiteral("Monto:"), {200, 2850, 700, 315});
    tx_mont = text_field("tx_mont", {920, 2750, 2300, 390});
    setTabOrder(lt_lote, tx_mont);
    lote = on_tick(lt_lote, [this](int row) { lt_lote_ItemCheck(row); });
    CtlEvents& ev = bridge().attach(lt_lote);
    ev.key_press = [this](int k) { return lt_lote_KeyPress(k); };
    ev.got_focus = [this] { lt_lote_GotFocus(); };
    ev.lost_focus = [this] { lt_lote_LostFocus(); };
    mont = new AmountField(app_, bridge(), tx_mont, &LimVta::jug_menor, &LimVta::jug_mayor);
    mont->entering = [this] {
        auto& d = app_.dlg_datos;
        const bool all = d.flg_sel;
        d.flg_sel = true;
        return all ? AmountField::Entry::select_all : AmountField::Entry::caret_end;
    };
    Form_Load();
}

QPoint reptik::place_for(int screen_twips)
{
    return place(screen_twips, {1400, 3000}, {2800, 2000});
}

void reptik::Form_Load()
{
    move(place_for(screen_twips()));
    lt_lote->clear();
    cod_lote.clear();
    if (const movtik_plays* w = sale_window())
        for (const RegLot& lot : w->tik_cur.tab_lot) {
            lote->add(lot.nomlot);
            cod_lote << lot.codint;
        }
    lt_lote->setCurrentRow(-1);
    lt_lote->setFocus();
}

// The amount goes as it stands; the lotteries and the result only when one is ticked.
void reptik::b_aceptar_Click()
{
    app_.dlg_datos.dlg_mon = mon_parse(app_.mon(), tx_mont->text()).trimmed();
    choose_lots(lote->picked(cod_lote));
    unload();
}

void reptik::b_cancelar_Click()
{
    auto& d = app_.dlg_datos;
    d.dlg_res.clear();
    d.dlg_mon.clear();
    unload();
}

void reptik::lt_lote_ItemCheck(int row)
{
    if (lote->refused(row))
        return;
    lote->step_down(lt_lote->currentRow());
}

void reptik::lt_lote_GotFocus()
{
    list_focus(lt_lote, true);
}

void reptik::lt_lote_LostFocus()
{
    list_focus(lt_lote, false);
}

// A digit goes to the end of the amount as if typed there (the field's filter may drop
// it); the field takes the focus with its caret at the end. Other keys are the list's.
int reptik::lt_lote_KeyPress(int KeyAscii)
{
    if (KeyAscii < '0' || KeyAscii > '9')
        return KeyAscii;
    app_.dlg_datos.flg_sel = false;
    tx_mont->setFocus();
    mont->type_key(KeyAscii);
    return 0;
}
