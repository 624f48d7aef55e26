#include "usuarios_e.h"
#include "edit_fields.h"
#include "procs_users.h"
#include "usuarios.h"
#include "core/app/keyfilter.h"
#include "core/shared/justify.h"
#include "core/shared/twips.h"

#include <QLabel>

usuarios_e::usuarios_e(App& app) : app_(app)
{
    setObjectName(QStringLiteral("usuarios_e"));
    setFixedSize(tw(4200), tw(2900));

    Framex = new QGroupBox(QStringLiteral("Datos"), this);
    Framex->setObjectName(QStringLiteral("Framex"));
    Framex->setGeometry(tw_rect(200, 150, 3800, 1950));
    auto field = [this](const char* name, const char* label, int top, int width, int length) {
        auto* l = new QLabel(QString::fromUtf8(label), Framex);
        l->setGeometry(tw_rect(200, top + 30, 900, 255));
        auto* e = new QLineEdit(Framex);
        e->setObjectName(QString::fromLatin1(name));
        e->setGeometry(tw_rect(1100, top, width, 315));
        e->setMaxLength(length);
        l->setBuddy(e);
        select_on_focus(e);
        return e;
    };
    tx_user = field("tx_user", "Usuario:", 400, 2400, 10);
    tx_clav = field("tx_clav", "Clave:", 900, 2400, 10);
    tx_caja = field("tx_caja", "Caja:", 1400, 600, 2);

    b_aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    b_aceptar->setObjectName(QStringLiteral("b_aceptar"));
    b_aceptar->setGeometry(tw_rect(1500, 2300, 1200, 380));
    b_aceptar->setDefault(true);
    b_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    b_cancelar->setObjectName(QStringLiteral("b_cancelar"));
    b_cancelar->setGeometry(tw_rect(2800, 2300, 1200, 380));
    b_cancelar->setAutoDefault(false);
    connect(b_aceptar, &QPushButton::clicked, this, &usuarios_e::b_aceptar_Click);
    connect(b_cancelar, &QPushButton::clicked, this, &usuarios_e::b_cancelar_Click);
    setTabOrder(tx_user, tx_clav);
    setTabOrder(tx_clav, tx_caja);
    setTabOrder(tx_caja, b_aceptar);
    setTabOrder(b_aceptar, b_cancelar);

    // Letters in upper case as they are typed, and the whole text once the field is left.
    for (QLineEdit* e : {tx_user, tx_clav}) {
        install_key_filter(e, upper_key);
        on_focus_out(e, [e] {
            if (e->text() != e->text().toUpper())
                e->setText(e->text().toUpper());
        });
    }
    install_key_filter(tx_caja, &usuarios_e::tx_caja_KeyPress);

    Form_Load();
}

void usuarios_e::Form_Load()
{
    place_by_screen(this, {4500, 3000}, {5500, 3500});
    incluir_ = app_.mod_edi == 1;
    if (!incluir_) {
        // The password is never copied: a new one must be typed.
        if (auto* list = app_.is_loaded(QStringLiteral("usuarios")) ? app_.win<usuarios>(QStringLiteral("usuarios")) : nullptr) {
            tx_user->setText(trim_blanks(list->usuario()));
            tx_caja->setText(trim_blanks(list->caja()));
        }
        tx_user->setEnabled(false);
        tx_caja->setEnabled(false);
    }
    setWindowTitle(QStringLiteral("Usuario - ") + (incluir_ ? QStringLiteral("Incluir") : QStringLiteral("Modificar")));
    (incluir_ ? tx_user : tx_clav)->setFocus();
}

int usuarios_e::tx_caja_KeyPress(int KeyAscii)
{
    return KeyAscii == 8 || (KeyAscii >= '0' && KeyAscii <= '9') ? KeyAscii : 0;
}

void usuarios_e::b_aceptar_Click()
{
    const QString user = trim_blanks(tx_user->text());
    const QString clav = trim_blanks(tx_clav->text());
    const QString incomplete = QStringLiteral("Datos incompletos o inválidos. No se pudo actualizar el registro.");
    const QString tail(5, ' ');
    if (user.isEmpty() || clav.isEmpty()) {
        app_.msg(incomplete + tail, plat::mb_exclamation);
    } else {
        const UsrAnswer a = actusr(app_, incluir_ ? QStringLiteral("1") : QStringLiteral("2"), user, clav,
                                   app_.ses_val.cod_ven, pad_left(trim_blanks(tx_caja->text()), 2, QStringLiteral("0")),
                                   app_.num_hdd);
        const QString refusals[] = {incomplete, QStringLiteral("Usuario ya existe. No se pudo actualizar el registro."),
                                    QStringLiteral("Caja ya existe. No se pudo actualizar el registro.")};
        if (a.ok && a.code >= 1 && a.code <= 3)
            app_.msg(refusals[a.code - 1] + tail, plat::mb_exclamation);
    }
    close();
}

void usuarios_e::b_cancelar_Click()
{
    close();
}
