#include "movprm.h"
#include "core/shell/mdi_child.h"
#include "core/shell/report.h"
#include "core/shared/twips.h"
#include "services/procs_winners.h"

#include <QDateEdit>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTreeWidget>

movprm::movprm(App& app, QWidget* parent) : QWidget(parent), app_(app)
{
    setObjectName(QStringLiteral("movprm"));
    setWindowTitle(QStringLiteral("Números Premiados"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 192));
    setPalette(pal);

    Label1 = new QLabel(QStringLiteral("Fecha:"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold(QStringLiteral("Tahoma"));
    bold.setStyleHint(QFont::SansSerif);
    bold.setPointSizeF(8.25);
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setGeometry(tw_rect(200, 300, 800, 250));

    tx_fech = new QDateEdit(this);
    tx_fech->setObjectName(QStringLiteral("tx_fech"));
    tx_fech->setGeometry(tw_rect(1100, 250, 1500, 315));
    tx_fech->setCalendarPopup(true);
    tx_fech->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    // Typing a date reloads once the date is complete, not at every digit.
    tx_fech->setKeyboardTracking(false);

    auto button = [this](const char* name, const QString& text, int left) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(tw_rect(left, 220, 1200, 380));
        b->setAutoDefault(false);
        return b;
    };
    b_imprimir = button("b_imprimir", QStringLiteral("Imprimir"), 6200);
    b_salir = button("b_salir", QStringLiteral("Salir"), 7500);

    lista = new QTreeWidget(this);
    lista->setObjectName(QStringLiteral("lista"));
    lista->setGeometry(tw_rect(150, 800, 8800, 3500));
    lista->setRootIsDecorated(false);
    lista->setSelectionBehavior(QAbstractItemView::SelectRows);
    lista->setSelectionMode(QAbstractItemView::SingleSelection);
    lista->setAllColumnsShowFocus(true);
    lista->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lista->header()->setStretchLastSection(false);
    // The replacement of the list's narrow system font: at 7.5 points the widest Número,
    // three animals in 30 characters, fits its column.
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setStyleHint(QFont::SansSerif);
    small.setPointSizeF(7.5);
    lista->setFont(small);

    setTabOrder(lista, tx_fech);
    setTabOrder(tx_fech, b_imprimir);
    setTabOrder(b_imprimir, b_salir);

    connect(tx_fech, &QDateEdit::dateChanged, this, &movprm::tx_fech_Change);
    connect(b_imprimir, &QPushButton::clicked, this, &movprm::b_imprimir_Click);
    connect(b_salir, &QPushButton::clicked, this, &movprm::b_salir_Click);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, b_salir, &QPushButton::click);

    resize(tw(9105), tw(4440));
    Form_Load();
}

QPoint movprm::place_for(int screen_twips)
{
    return screen_twips > 9600 ? QPoint(tw(1100), tw(1200)) : QPoint(tw(50), tw(600));
}

void movprm::Form_Load()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    move(place_for(s ? s->geometry().width() * 15 : 0));
    {
        const QSignalBlocker quiet(tx_fech);  // the load below is the one shown
        tx_fech->setDate(app_.ses_val.fec_sys);
    }
    lista->clear();
    lista->setHeaderLabels({QStringLiteral("Código"), QStringLiteral("Nombre"), QStringLiteral("Número"),
                            QStringLiteral("Signo"), QStringLiteral("Status")});
    for (int c = 0; c < 5; ++c) {
        lista->header()->resizeSection(c, tw(col_widths[c]));
        const Qt::Alignment align = c < 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
        lista->headerItem()->setTextAlignment(c, align);
    }
    car_prm();
}

void movprm::car_prm()
{
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const QDate fecha = tx_fech->date();
    const PrmAnswer a = dstprm(app_, fecha.toString(QStringLiteral("yyyy-MM-dd")), app_.ses_val.cod_ven,
                               app_.ses_val.ord_lot);
    if (a.ok) {
        // Only a load that read rows replaces them; the rows keep the date they are of.
        reg_prm_ = a.rows;
        fec_rows_ = fecha;
        lista->clear();
        for (PrmRow& r : reg_prm_) {
            r.txt_prm = prm_print_text(r, app_.tab_sim);
            const PrmListTexts t = prm_list_texts(r, app_.tab_sim);
            auto* item = new QTreeWidgetItem(lista, {r.codlot, r.nomlot, t.numero, t.signo, t.status});
            for (int c = 2; c < 5; ++c)
                item->setTextAlignment(c, Qt::AlignCenter);
        }
        lista->header()->resizeSection(1, tw(prm_nombre_width(reg_prm_.size())));
    }
    app_.dlg.set_pointer(plat::ptr_default);
}

void movprm::tx_fech_Change() { car_prm(); }

void movprm::imp_prm()
{
    app_.dlg.set_pointer(plat::ptr_hourglass);
    flg_nolin_ = prm_listing(app_.buf_rep, fec_rows_, reg_prm_) ? 1 : 0;
    app_.dlg.set_pointer(plat::ptr_default);
}

void movprm::b_imprimir_Click()
{
    imp_prm();
    if (flg_nolin_ == 1)
        app_.msg(QStringLiteral("No hay información.") + QString(10, u' '), plat::mb_information);
    else if (app_.flg_nocox == 0)
        rep_print(app_);
}

void movprm::b_salir_Click() { close_mdi_child(this); }
