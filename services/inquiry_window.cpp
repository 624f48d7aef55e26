#include "inquiry_window.h"
#include "annul.h"
#include "inquiry_lines.h"
#include "ticket_style.h"
#include "core/shared/twips.h"

#include <QDateEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTreeWidget>

namespace {

struct Column {
    const char* title;
    int width;        // twips
};

QTreeWidget* list_view(QWidget* parent, const char* name, const QRect& at)
{
    auto* l = new QTreeWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(at);
    l->setFont(face("MS Sans Serif", 8.25, false));
    l->setRootIsDecorated(false);
    l->setUniformRowHeights(true);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    l->setSelectionBehavior(QAbstractItemView::SelectRows);
    l->setAllColumnsShowFocus(true);
    l->header()->setStretchLastSection(false);
    l->header()->setSectionsMovable(false);
    return l;
}

// Empties the list and sets its columns afresh; the last one, an amount, right-aligned.
void set_columns(QTreeWidget* l, const QList<Column>& columns)
{
    l->clear();
    l->setColumnCount(int(columns.size()));
    auto* head = new QTreeWidgetItem;
    for (int i = 0; i < columns.size(); ++i)
        head->setText(i, QString::fromUtf8(columns[i].title));
    head->setTextAlignment(int(columns.size()) - 1, Qt::AlignRight | Qt::AlignVCenter);
    l->setHeaderItem(head);
    for (int i = 0; i < columns.size(); ++i)
        l->header()->resizeSection(i, tw(columns[i].width));
}

// Fills the list with a row for each line of texts; the amount right-aligned.
void fill(QTreeWidget* l, const QList<QStringList>& lines)
{
    l->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(lines.size());
    for (const auto& texts : lines) {
        auto* item = new QTreeWidgetItem(texts);
        item->setTextAlignment(int(texts.size()) - 1, Qt::AlignRight | Qt::AlignVCenter);
        items << item;
    }
    l->addTopLevelItems(items);
}

} // namespace

contix::contix(App& app, QWidget* parent) : QDialog(parent), app_(app)
{
    setObjectName("contix");
    setWindowTitle(QStringLiteral("Consultar Tickets"));
    setFixedSize(tw(10605), tw(4875));
    colour(this, QPalette::Window, kBackColour);

    auto label = [&](const char* name, const QString& text, const QRect& at) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        l->setFont(face("Tahoma", 8.25, true));
        l->setGeometry(at);
        return l;
    };
    Label3 = label("Label3", QStringLiteral("Fecha:"), tw_rect(1000, 300, 800, 255));
    tx_fech = new QDateEdit(this);
    tx_fech->setObjectName("tx_fech");
    tx_fech->setGeometry(tw_rect(1900, 250, 1500, 315));
    tx_fech->setCalendarPopup(true);
    tx_fech->setKeyboardTracking(false);
    tx_fech->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    Label1 = label("Label1", QStringLiteral("Tickets"), tw_rect(195, 600, 1005, 255));
    Label2 = label("Label2", QStringLiteral("Jugada"), tw_rect(4800, 590, 1005, 255));
    lt_tick = list_view(this, "lt_tick", tw_rect(100, 850, 4550, 3930));
    lt_nume = list_view(this, "lt_nume", tw_rect(4700, 850, 5800, 3930));
    b_salir = new QPushButton(QStringLiteral("Salir"), this);
    b_salir->setObjectName("b_salir");
    b_salir->setGeometry(tw_rect(0, 6000, 1200, 380));
    b_salir->setAutoDefault(false);

    setTabOrder(lt_tick, lt_nume);
    setTabOrder(lt_nume, tx_fech);
    setTabOrder(tx_fech, b_salir);
    for (QWidget* w : {static_cast<QWidget*>(lt_tick), static_cast<QWidget*>(lt_nume), static_cast<QWidget*>(tx_fech)})
        w->installEventFilter(this);

    connect(b_salir, &QPushButton::clicked, this, &contix::b_salir_Click);
    connect(tx_fech, &QDateEdit::dateChanged, this, &contix::tx_fech_Change);
    // The plays follow the selected ticket, by click or by arrow keys; a load's own
    // selection loads them once, after it.
    connect(lt_tick, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* now) {
        if (now)
            det_tik();
    });

    Form_Load();
    lt_tick->setFocus();
}

QPoint contix::place_for(int screen_twips)
{
    return screen_twips > 9600 ? QPoint(tw(1200), tw(1800)) : QPoint(tw(100), tw(1100));
}

void contix::Form_Load()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    move(place_for(s ? s->geometry().width() * 15 : 0));
    {
        const QSignalBlocker quiet(tx_fech);
        tx_fech->setDate(app_.ses_val.fec_sys);
    }
    set_columns(lt_tick, {{"Número", 810}, {"Caja", 600}, {"Hora", 900}, {"Status", 900}, {"Total", 1000}});
    set_columns(lt_nume, {{"Lotería", 1500}, {"Tipo", 900}, {"Número", 1800}, {"Monto", 1000}});
    car_tik();
    if (app_.flg_nocox == 0)
        det_tik();
}

void contix::car_tik()
{
    const TicketRows tickets = contik(app_, tx_fech->date().toString(QStringLiteral("yyyy-MM-dd")),
                                      app_.ses_val.cod_ven, app_.ses_val.cod_caj);
    if (!tickets.ok)
        return;
    const MonCtx mon = app_.mon();
    QList<QStringList> lines;
    lines.reserve(tickets.rows.size());
    for (const auto& row : tickets.rows)
        lines << ticket_line(row, mon);
    const QSignalBlocker quiet(lt_tick);
    lt_nume->clear();
    fill(lt_tick, lines);
    lt_tick->header()->resizeSection(0, tw(numero_width(int(lines.size()))));
    if (QTreeWidgetItem* last = lt_tick->topLevelItem(lt_tick->topLevelItemCount() - 1)) {
        lt_tick->setCurrentItem(last);
        lt_tick->scrollToItem(last);
    }
}

void contix::det_tik()
{
    if (lt_tick->topLevelItemCount() == 0)
        return;
    const QTreeWidgetItem* current = lt_tick->currentItem();
    const PlayRows plays = dettix(app_, current ? current->text(0).toLongLong() : 0);
    if (!plays.ok)
        return;
    const MonCtx mon = app_.mon();
    QList<QStringList> lines;
    lines.reserve(plays.rows.size());
    for (const auto& row : plays.rows)
        lines << play_line(row, app_.tab_sim, mon);
    fill(lt_nume, lines);
    lt_nume->header()->resizeSection(0, tw(loteria_width(int(lines.size()))));
}

void contix::tx_fech_Change()
{
    car_tik();
    if (app_.flg_nocox == 0)
        det_tik();
    lt_tick->setFocus();
}

void contix::lt_tick_KeyDown(int KeyCode)
{
    if (KeyCode == Qt::Key_Delete && app_.ses_val.flg_anu == 1) {
        const QTreeWidgetItem* current = lt_tick->currentItem();
        AnnulPath path;
        path.numtik = current ? current->text(0).toLongLong() : 0;
        path.after = [this] {
            car_tik();
            if (app_.flg_nocox == 0)
                det_tik();
        };
        anular_ticket(app_, path);
    }
    app_.dlg.set_pointer(plat::ptr_default);
}

void contix::b_salir_Click() { QDialog::reject(); }

void contix::reject() { b_salir_Click(); }

bool contix::eventFilter(QObject* watched, QEvent* e)
{
    auto* w = static_cast<QWidget*>(watched);
    if (e->type() == QEvent::FocusIn || e->type() == QEvent::FocusOut)
        colour(w, QPalette::Base, e->type() == QEvent::FocusIn ? kFocusColour : QColor(Qt::white));
    else if (watched == lt_tick && e->type() == QEvent::KeyPress)
        lt_tick_KeyDown(static_cast<QKeyEvent*>(e)->key());
    return QDialog::eventFilter(watched, e);
}
