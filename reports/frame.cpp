#include "frame.h"
#include "core/app/keyfilter.h"
#include "core/app/typed_combo.h"
#include "core/shared/twips.h"
#include "core/shell/mdi_child.h"
#include "core/shell/report.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>

namespace {

// Measures of the criteria, in twips.
constexpr int margin = 120, row_top = 330, row_height = 420, label_width = 900, field_left = 1100,
              field_width = 3250, frame_width = field_left + field_width + 150, button_width = 1200,
              button_height = 375;

void key(QWidget* w, int k, QPushButton* b)
{
    auto* s = new QShortcut(QKeySequence(k), w);
    s->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(s, &QShortcut::activated, b, &QPushButton::click);
}

} // namespace

rep_frame::rep_frame(App& app, const QString& name, const QString& caption) : app_(app)
{
    setObjectName(name);
    setWindowTitle(caption);

    framex = new QGroupBox(QStringLiteral("Criterios"), this);
    framex->setObjectName(QStringLiteral("framex"));

    auto button = [this](const char* name, const char* text) {
        auto* b = new QPushButton(QString::fromUtf8(text), this);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    bt_emitir = button("bt_emitir", "Emitir");
    bt_imprimir = button("bt_imprimir", "Imprimir");
    b_salir = button("b_salir", "Salir");
    bt_emitir->setDefault(true);
    connect(bt_emitir, &QPushButton::clicked, this, &rep_frame::bt_emitir_Click);
    connect(bt_imprimir, &QPushButton::clicked, this, &rep_frame::bt_imprimir_Click);
    connect(b_salir, &QPushButton::clicked, this, &rep_frame::b_salir_Click);
    key(this, Qt::Key_Return, bt_emitir);
    key(this, Qt::Key_Enter, bt_emitir);
    key(this, Qt::Key_Escape, b_salir);
}

QDateEdit* rep_frame::add_date(const char* name, const char* label)
{
    auto* d = new QDateEdit(framex);
    d->setObjectName(QString::fromLatin1(name));
    d->setCalendarPopup(true);
    d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    auto* l = new QLabel(QString::fromUtf8(label), framex);
    l->setGeometry(tw_rect(150, row_top + rows_ * row_height + 45, label_width, 285));
    d->setGeometry(tw_rect(field_left, row_top + rows_ * row_height, field_width, 330));
    ++rows_;
    return d;
}

QComboBox* rep_frame::add_combo(const char* name, const char* label, bool editable)
{
    auto* c = new QComboBox(framex);
    c->setObjectName(QString::fromLatin1(name));
    if (editable)
        make_typed_combo(c);
    auto* l = new QLabel(QString::fromUtf8(label), framex);
    l->setGeometry(tw_rect(150, row_top + rows_ * row_height + 45, label_width, 285));
    c->setGeometry(tw_rect(field_left, row_top + rows_ * row_height, field_width, 330));
    ++rows_;
    return c;
}

QComboBox* rep_frame::add_caja()
{
    QComboBox* c = add_combo("tx_caja", "Caja:", true);
    install_key_filter(c, &rep_frame::tx_caja_KeyPress);
    // The procedures take two characters: whatever the user leaves in the box (a partly
    // erased "TODAS") is cut to its first two digits.
    QLineEdit* e = c->lineEdit();
    connect(e, &QLineEdit::textEdited, e, [e](const QString& text) {
        QString digits;
        for (const QChar ch : text)
            if (ch >= u'0' && ch <= u'9' && digits.size() < 2)
                digits += ch;
        if (digits != text)
            e->setText(digits);
    });
    return c;
}

int rep_frame::tx_caja_KeyPress(int KeyAscii)
{
    return (KeyAscii >= '0' && KeyAscii <= '9') || KeyAscii == 8 ? KeyAscii : 0;
}

void rep_frame::place()
{
    const int frame_height = row_top + rows_ * row_height + 120;
    framex->setGeometry(tw_rect(margin, margin, frame_width, frame_height));
    const int top = margin + frame_height + margin;
    const int gap = (frame_width - 3 * button_width) / 2;
    QPushButton* buttons[] = {bt_emitir, bt_imprimir, b_salir};
    for (int i = 0; i < 3; ++i)
        buttons[i]->setGeometry(tw_rect(margin + i * (button_width + gap), top, button_width, button_height));
    resize(tw(margin + frame_width + margin), tw(top + button_height + margin));

    // Further to the right and down on a screen wider than 9600 twips.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const bool wide = screen && screen->geometry().width() * 15 > 9600;
    move(wide ? tw(2000) : tw(1500), wide ? tw(1500) : tw(1000));
}

void rep_frame::car_caj(QComboBox* tx_caja, bool todas)
{
    const sp::Rows<QString> cajas = sp::getcaj(app_, app_.ses_val.cod_ven);
    if (!cajas.ok)
        return;
    tx_caja->clear();
    if (todas)
        tx_caja->addItem(QStringLiteral("TODAS"));
    tx_caja->addItems(cajas.rows);
    if (app_.ses_val.cod_caj != QLatin1String("00")) {
        tx_caja->setEnabled(false);
        tx_caja->setEditText(app_.ses_val.cod_caj);
    } else {
        tx_caja->setEnabled(true);
        tx_caja->setCurrentIndex(tx_caja->count() > 0 ? 0 : -1);
    }
}

void set_dates(App& app, std::initializer_list<QDateEdit*> fields)
{
    for (QDateEdit* d : fields)
        d->setDate(app.ses_val.fec_sys);
}

bool rep_frame::keep(const Report& r, bool complete)
{
    app_.buf_rep.rep_lin = r.lines;
    app_.buf_rep.flg_nodat = complete && r.nodat ? 1 : 0;
    return complete;
}

RepHead rep_frame::head() const
{
    return {app_.ses_val.nom_ven, app_.cfg_reg.rep_enca == QLatin1String("1"), app_.mon()};
}

QString rep_frame::day(const QDateEdit* field) { return field->date().toString(QStringLiteral("yyyy-MM-dd")); }

RepRange rep_frame::range(const QDateEdit* desde, const QDateEdit* hasta) { return {desde->date(), hasta->date()}; }

void rep_frame::output(bool print)
{
    app_.buf_rep.flg_nodat = 0;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const bool built = gen_rep();
    app_.dlg.set_pointer(plat::ptr_default);
    if (app_.buf_rep.flg_nodat != 0)
        app_.msg(QStringLiteral("No hay información.") + QString(10, u' '), plat::mb_information);
    else if (built && app_.flg_nocox == 0)
        print ? rep_print(app_) : rep_show(app_);
}

void rep_frame::bt_emitir_Click() { output(false); }
void rep_frame::bt_imprimir_Click() { output(true); }
void rep_frame::b_salir_Click() { close_mdi_child(this); }
