#include "mensajes.h"
#include "procs.h"
#include "core/app/rule.h"
#include "mdi_child.h"
#include "core/shared/twips.h"

#include <QFont>
#include <QHeaderView>
#include <QShortcut>

namespace {

QFont courier()
{
    QFont f(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

} // namespace

mensaje::mensaje(App& app) : app_(app)
{
    setObjectName(QStringLiteral("mensaje"));
    setWindowTitle(QStringLiteral("Mensaje del Sistema"));
    setAttribute(Qt::WA_DeleteOnClose);

    texto = new QPlainTextEdit(this);
    texto->setObjectName(QStringLiteral("texto"));
    texto->setFont(courier());
    texto->setReadOnly(true);
    texto->setGeometry(tw(120), tw(120), tw(5700), tw(2970));

    b_salir = new QPushButton(QStringLiteral("Salir"), this);
    b_salir->setObjectName(QStringLiteral("b_salir"));
    b_salir->setDefault(true);
    b_salir->setGeometry(tw(120) + (tw(5700) - tw(1200)) / 2, tw(120 + 2970 + 120), tw(1200), tw(375));
    connect(b_salir, &QPushButton::clicked, this, &mensaje::b_salir_Click);

    setFixedSize(tw(120 + 5700 + 120), tw(120 + 2970 + 120 + 375 + 120));
    move(tw(2500), tw(2500));
}

void mensaje::b_salir_Click()
{
    // Closing deletes the window: the next message loads it anew.
    close();
}

mensajes::mensajes(App& app) : app_(app)
{
    setObjectName(QStringLiteral("mensajes"));
    setWindowTitle(QStringLiteral("Mensajes del Sistema"));

    lista = new QTreeWidget(this);
    lista->setObjectName(QStringLiteral("lista"));
    lista->setRootIsDecorated(false);
    lista->setUniformRowHeights(true);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->setGeometry(tw(120), tw(120), tw(9000), tw(4200));

    b_salir = new QPushButton(QStringLiteral("Salir"), this);
    b_salir->setObjectName(QStringLiteral("b_salir"));
    b_salir->setGeometry(tw(120 + 9000 - 1200), tw(120 + 4200 + 120), tw(1200), tw(375));
    connect(b_salir, &QPushButton::clicked, this, &mensajes::b_salir_Click);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, b_salir, &QPushButton::click);

    resize(tw(120 + 9000 + 120), tw(120 + 4200 + 120 + 375 + 120));
    move(tw(500), tw(500));

    // Load: an empty list with its three columns, then the server's messages.
    lista->clear();
    lista->setColumnCount(3);
    lista->setHeaderLabels({QStringLiteral("Fecha"), QStringLiteral("Hora"), QStringLiteral("Texto")});
    lista->header()->setStretchLastSection(false);
    lista->setColumnWidth(0, tw(1200));
    lista->setColumnWidth(1, tw(1200));
    lista->setColumnWidth(2, tw(25000));
    car_men();
}

void mensajes::b_salir_Click()
{
    close_mdi_child(this);
}

void mensajes::car_men()
{
    const MenList l = dstmen(app_, app_.ses_val.cod_ven);
    if (!l.ok)
        return;
    fec_men.clear();
    hor_men.clear();
    txt_men.clear();
    for (const MenRow& row : l.rows) {
        fec_men << row.fecmov;
        hor_men << row.hormov;
        txt_men << row.texto;
    }
    lista->clear();
    QList<QTreeWidgetItem*> items;
    for (qsizetype k = 0; k < fec_men.size(); ++k)
        items << new QTreeWidgetItem(QStringList{fec_men[k], hor_men[k], txt_men[k]});
    lista->addTopLevelItems(items);
}
