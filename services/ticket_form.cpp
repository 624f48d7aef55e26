#include "ticket_form.h"
#include "ticket_style.h"
#include "core/app/keyfilter.h"
#include "core/shared/twips.h"
#include "core/shell/mdi_child.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

TicketForm::TicketForm(App& app, const char* name, const QString& caption, const QList<Row>& rows, QWidget* parent)
    : QWidget(parent), app_(app)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(caption);
    setFixedSize(tw(5115), tw(3330));
    colour(this, QPalette::Window, kBackColour);

    const QFont labels = face("Tahoma", 8.25, true);
    Framex = new QGroupBox(QStringLiteral("Datos"), this);
    Framex->setObjectName("Framex");
    Framex->setFont(labels);
    Framex->setGeometry(tw_rect(200, 200, 3300, 2920));
    colour(Framex, QPalette::Window, kBackColour);

    tx_numt = nullptr;
    for (int i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        auto* l = new QLabel(QString::fromUtf8(r.caption), Framex);
        l->setObjectName(QString::fromLatin1(r.label));
        l->setFont(labels);
        l->setGeometry(tw_rect(100, 390 + 500 * i, 705, 255));
        auto* f = new QLineEdit(Framex);
        f->setObjectName(QString::fromLatin1(r.field));
        f->setFont(face("Verdana", 12, true));
        f->setGeometry(tw_rect(900, 300 + 500 * i, r.width, 390));
        f->setContextMenuPolicy(Qt::NoContextMenu);
        f->setAcceptDrops(false);
        if (f->objectName() == QLatin1String("tx_numt")) {
            tx_numt = f;
            f->setMaxLength(8);
            colour(f, QPalette::Base, kFocusColour);
            install_key_filter(f, &TicketForm::tx_numt_KeyPress);
        } else {
            f->setReadOnly(true);
            colour(f, QPalette::Base, Qt::white);
        }
        fields_ << f;
    }

    auto button = [&](const char* bname, const QString& text, int top) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(bname);
        b->setGeometry(tw_rect(3700, top, 1200, 380));
        return b;
    };
    b_procesar = button("b_procesar", QStringLiteral("Procesar"), 300);
    b_cancelar = button("b_cancelar", QStringLiteral("Cancelar"), 800);
    b_procesar->setDefault(true);
    connect(b_procesar, &QPushButton::clicked, this, [this] { b_procesar_Click(); });
    connect(b_cancelar, &QPushButton::clicked, this, &TicketForm::b_cancelar_Click);

    // Tab order: the ticket, the buttons, then the locked fields.
    QWidget* prev = tx_numt;
    for (QWidget* w : QList<QWidget*>{b_procesar, b_cancelar} + QList<QWidget*>(fields_.begin(), fields_.end())) {
        if (w == tx_numt)
            continue;
        setTabOrder(prev, w);
        prev = w;
    }
    tx_numt->setFocus();
    Form_Load();
}

void TicketForm::Form_Load()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    move(place_for(s ? s->geometry().width() * 15 : 0));
}

void TicketForm::b_cancelar_Click() { close_mdi_child(this); }

int TicketForm::tx_numt_KeyPress(int KeyAscii)
{
    return (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8 ? KeyAscii : 0;
}

QPoint TicketForm::place_for(int screen_twips)
{
    return screen_twips > 9600 ? QPoint(tw(500), tw(500)) : QPoint(0, 0);
}

void TicketForm::keyPressEvent(QKeyEvent* e)
{
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A button with the focus takes Enter itself, as on a dialog; otherwise "Procesar".
        if (auto* b = qobject_cast<QPushButton*>(focusWidget()); b && isAncestorOf(b))
            b->click();
        else
            b_procesar->click();
        return;
    case Qt::Key_Escape:
        b_cancelar->click();
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}
