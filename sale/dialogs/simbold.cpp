#include "simbold.h"
#include "sale/plays/movtik_plays.h"

#include <QListWidget>

simbold::simbold(App& app) : simbold(app, "simbold", {4185, 3930}, {400, 3370, 795, 315}, {1300, 3300}, 2) {}

simbolt::simbolt(App& app) : simbold(app, "simbolt", {6255, 3930}, {1500, 3370, 795, 315}, {2400, 3300}, 3) {}

simbold::simbold(App& app, const char* name, QSize client, QRect label_at, QPoint mont_at, int animals)
    : AnimalDialog(app, name, client, label_at, mont_at)
{
    static const char* const names[] = {"lt_simbol1", "lt_simbol2", "lt_simbol3"};
    for (int i = 0; i < animals; ++i) {
        QListWidget* list = animal_list(names[i], {50 + 2070 * i, 50, 2000, 2985});
        connect(list, &QListWidget::currentRowChanged, this, [this, list] { lt_simbol_Click(list); });
        connect(list, &QListWidget::itemClicked, this, [this, list] { lt_simbol_Click(list); });
        lists_ << list;
    }
    lt_simbol1 = lists_[0];
    lt_simbol2 = lists_[1];
    lt_simbol3 = lists_.value(2);
    setTabOrder(lists_.last(), tx_mont);
    Form_Load();
}

QPoint simbold::place_for(int screen_twips)
{
    return place(screen_twips, {1200, 3000}, {100, 2000});
}

void simbold::Form_Load()
{
    move(place_for(screen_twips()));
    for (QListWidget* list : lists_)
        paint(list, list == lt_simbol1);
    first_animals();
}

void simbold::first_animals()
{
    lt_simbol1->setFocus();
    for (QListWidget* list : lists_) {
        list->setCurrentRow(0);
        lt_simbol_Click(list);  // also when the cursor was there already
    }
}

void simbold::lt_simbol_Click(QListWidget* list)
{
    const int at = list->currentRow();
    if (at < 0)
        return;
    for (int r = 0; r < list->count(); ++r)
        list->item(r)->setCheckState(r == at ? Qt::Checked : Qt::Unchecked);
}

void simbold::b_aceptar_Click()
{
    QStringList codes;
    for (QListWidget* list : lists_) {
        const int row = last_ticked(list);
        if (row < 0) {
            list->setFocus();  // no animal chosen there: no play
            return;
        }
        codes << ani_code(row);
    }
    auto& d = app_.dlg_datos;
    d.dlg_num1 = codes[0];
    d.dlg_num2 = codes[1];
    if (lt_simbol3) {
        d.dlg_num3 = codes[2];
        d.dlg_res = codes.join(QString());
    }
    if (!take_amount())
        return;
    if (movtik_plays* sale = sale_window())
        lt_simbol3 ? sale->mor_tik() : sale->dbl_tik();
    first_animals();
}

void simbold::b_cancelar_Click()
{
    auto& d = app_.dlg_datos;
    d.dlg_num1.clear();
    d.dlg_num2.clear();
    if (lt_simbol3)
        d.dlg_num3.clear();
    // dlg_res keeps the last joined codes of simbolt: nothing reads it after a cancel, but a
    // caller that runs a follow-up on a non-empty dlg_res must clear it before opening.
    d.dlg_mon = QStringLiteral("0");
    unload();
}
