#include "animals.h"
#include "core/shared/justify.h"

#include <QLineEdit>
#include <QListWidget>

namespace {
constexpr int kAnimals = 32;
}

AnimalDialog::AnimalDialog(App& app, const char* name, QSize client, QRect label_at, QPoint mont_at)
    : SaleDialog(app, name, QStringLiteral("Animalitos"), client, {0, 4000}, {0, 4000})
{
    Label1 = label("Label1", QStringLiteral("Monto:"), label_at);
    tx_mont = text_field("tx_mont", {mont_at.x(), mont_at.y(), 2000, 390});
    mont = new AmountField(app_, bridge(), tx_mont, &LimVta::jug_mis, &LimVta::jug_mas);
}

QString AnimalDialog::ani_code(int row)
{
    return pad_left(QString::number(row + 1), 2, QStringLiteral("0"));
}

int AnimalDialog::last_ticked(const QListWidget* list)
{
    int last = -1;
    for (int r = 0; r < std::min(kAnimals, list->count()); ++r)
        if (list->item(r)->checkState() == Qt::Checked)
            last = r;
    return last;
}

QListWidget* AnimalDialog::animal_list(const char* name, QRect at)
{
    QListWidget* list = check_list(name, at);
    if (app_.dlg_datos.cod_rul == 1)
        for (const QString& animal : app_.vocab.tab_ani.mid(0, kAnimals)) {
            auto* item = new QListWidgetItem(animal, list);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    CtlEvents& ev = bridge().attach(list);
    ev.key_press = [this, list](int k) { return lt_simbol_KeyPress(list, k); };
    ev.got_focus = [list] { paint(list, true); };
    ev.lost_focus = [list] { paint(list, false); };
    return list;
}

int AnimalDialog::lt_simbol_KeyPress(QListWidget* list, int KeyAscii)
{
    if (KeyAscii >= '0' && KeyAscii <= '9') {
        if (last_ticked(list) >= 0)
            mont->type_key(KeyAscii);  // through the amount's key filter
        return 0;
    }
    if (KeyAscii == 8) {
        if (!tx_mont->text().isEmpty())
            tx_mont->setText(tx_mont->text().chopped(1));
        return 0;
    }
    return KeyAscii;
}

bool AnimalDialog::take_amount()
{
    const MonCtx c = app_.mon();
    const QString a = mon_parse(c, tx_mont->text());
    if (!mon_range(c, a, 1)) {
        mont->refuse(a, 1);
        return false;
    }
    // The amount as it goes: the next play at the same amount, unless the cashier changes it.
    tx_mont->setText(mon_showlim(c, a, 1));
    app_.dlg_datos.dlg_mon = a.trimmed();
    return true;
}
