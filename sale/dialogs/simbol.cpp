#include "simbol.h"
#include "sale/plays/movtik_plays.h"

#include <QListWidget>

simbol::simbol(App& app)
    : AnimalDialog(app, "simbol", {2910, 3720}, {100, 3270, 650, 315}, {800, 3200})
{
    lt_simbol = animal_list("lt_simbol", {50, 50, 2790, 2985});
    setTabOrder(lt_simbol, tx_mont);
    Form_Load();
}

QPoint simbol::place_for(int screen_twips)
{
    return place(screen_twips, {1500, 3000}, {500, 2000});
}

void simbol::Form_Load()
{
    move(place_for(screen_twips()));
    on_tick(lt_simbol, [this](int row) { lt_simbol_ItemCheck(row); });
    lt_simbol->setCurrentRow(0);
    paint(lt_simbol, true);
    lt_simbol->setFocus();
}

void simbol::lt_simbol_ItemCheck(int)
{
    if (lt_simbol->currentRow() < lt_simbol->count() - 1)
        lt_simbol->setCurrentRow(lt_simbol->currentRow() + 1);
}

void simbol::b_aceptar_Click()
{
    QList<int>& flags = app_.dlg_datos.flg_sim;
    flags = QList<int>(32, 0);
    int animals = 0;
    for (int r = 0; r < std::min(32, int(lt_simbol->count())); ++r)
        if (lt_simbol->item(r)->checkState() == Qt::Checked)
            flags[r] = 1, ++animals;
    if (animals == 0) {
        lt_simbol->setFocus();
        return;
    }
    if (!take_amount())
        return;
    if (movtik_plays* sale = sale_window())
        sale->sim_tik();
    unload();
}

void simbol::b_cancelar_Click()
{
    auto& d = app_.dlg_datos;
    d.dlg_num1.clear();
    d.dlg_mon = QStringLiteral("0");
    unload();
}
