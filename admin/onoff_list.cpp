#include "onoff_list.h"
#include "edit_fields.h"
#include "placed.h"
#include "core/shared/justify.h"
#include "core/shared/twips.h"

#include <QHeaderView>

onoff_list::onoff_list(App& app, const QString& name, int list_width, int list_height) : app_(app)
{
    setObjectName(name);
    lista = new QTreeWidget(this);
    lista->setObjectName(QStringLiteral("lista"));
    read_only_rows(lista);
    lista->setGeometry(tw_rect(120, 120, list_width, list_height));

    const int top = 120 + list_height + 150;
    b_aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    b_aceptar->setObjectName(QStringLiteral("b_aceptar"));
    b_aceptar->setGeometry(tw_rect(120 + list_width - 2500, top, 1200, 380));
    b_aceptar->setDefault(true);
    b_aceptar->setEnabled(false);
    b_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    b_cancelar->setGeometry(tw_rect(120 + list_width - 1200, top, 1200, 380));
    b_cancelar->setAutoDefault(false);
    connect(b_aceptar, &QPushButton::clicked, this, &onoff_list::b_aceptar_Click);
    connect(b_cancelar, &QPushButton::clicked, this, &onoff_list::b_cancelar_Click);
    setFixedSize(tw(120 + list_width + 120), tw(top + 380 + 150));
}

void onoff_list::fill(const QList<QStringList>& texts, const QList<bool>& on, const QStringList& codes,
                      const QStringList& kept)
{
    lista->clear();
    QList<QTreeWidgetItem*> items;
    for (qsizetype k = 0; k < texts.size(); ++k) {
        auto* item = new QTreeWidgetItem(texts[k]);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, on[k] ? Qt::Checked : Qt::Unchecked);
        items << item;
    }
    lista->addTopLevelItems(items);
    codes_ = codes;
    kept_ = kept;
    b_aceptar->setEnabled(true);
}

void onoff_list::b_aceptar_Click()
{
    if (!b_aceptar->isEnabled())
        return;
    // While the connection counts as lost no call is made: the save says so, keeps the
    // ticks and waits for the keep-alive to find the server again.
    if (app_.flg_nocox != 0) {
        app_.msg(QStringLiteral("No hay conexión con el servidor.") + QString(10, QLatin1Char(' ')), plat::mb_critical);
        return;
    }
    QStringList off;
    for (int k = 0; k < lista->topLevelItemCount() && k < codes_.size(); ++k)
        if (lista->topLevelItem(k)->checkState(0) != Qt::Checked)
            off << trim_blanks(codes_[k]);
    bool done = save_step(app_, [this] { return remove_all(); });
    for (qsizetype k = 0; done && k < off.size() + kept_.size(); ++k) {
        const QString code = k < off.size() ? off[k] : kept_[k - off.size()];
        done = save_step(app_, [this, &code] { return store_off(code); });
    }
    if (done)
        close();
}

void onoff_list::b_cancelar_Click()
{
    close();
}
