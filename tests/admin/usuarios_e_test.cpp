// The user edit dialog: what include and modify send, the answers' boxes, the keys.
#include "admin/procs_users.h"
#include "admin/usuarios.h"
#include "admin/usuarios_e.h"
#include "tests/admin/users_deposits.h"

#include <QLineEdit>

namespace {

const QString k5(5, ' ');
const QString kIncompleto = "Datos incompletos o inválidos. No se pudo actualizar el registro." + k5;

struct Typed {
    const char* user;
    const char* clav;
    const char* caja;
};

// Opens the list as the supervisor, selects row, and runs the dialog of the button with
// the typed texts; answers the dialog's caption.
QString run_dialog(AdminShell& s, const char* button, int row, const Typed& in)
{
    s.item("userx");
    auto* w = s.t->win<usuarios>("usuarios");
    w->lista->setCurrentItem(w->lista->topLevelItem(row));
    QString caption;
    s.with_modal([&] { w->findChild<QPushButton*>(button)->click(); },
                 [&](QWidget* m) {
                     auto* d = qobject_cast<usuarios_e*>(m);
                     caption = d->windowTitle();
                     QTest::keyClicks(d->tx_user, in.user);
                     QTest::keyClicks(d->tx_clav, in.clav);
                     QTest::keyClicks(d->tx_caja, in.caja);
                     d->b_aceptar->click();
                 });
    return caption;
}

TEST(UsuariosE, IncludeAndModifySendOneCall)
{
    const QVariantList none;
    const QString caja_existe = "Caja ya existe. No se pudo actualizar el registro." + k5;
    const struct { const char* button; int row; Typed in; QVariantList sent; QString box = {}; } cases[] = {
        {"b_incluir", 0, {"ana", "se cret", "7"}, {"1", "ANA", "SE CRET", "001", "07", "0305419896"}},
        {"b_incluir", 0, {"  bo b ", " x ", "12"}, {"1", "BO B", "X", "001", "12", "0305419896"}},
        // The server answers whether caja 00 exists: it does.
        {"b_incluir", 0, {"luis", "pw", ""}, {"1", "LUIS", "PW", "001", "00", "0305419896"}, caja_existe},
        {"b_incluir", 0, {"ana", "pw", "a1b2c3"}, {"1", "ANA", "PW", "001", "12", "0305419896"}},
        {"b_incluir", 0, {"abcdefghijkl", "pw", "5"}, {"1", "ABCDEFGHIJ", "PW", "001", "05", "0305419896"}},
        {"b_incluir", 0, {"   ", "pw", "5"}, none, kIncompleto},
        {"b_incluir", 0, {"ana", "   ", "5"}, none, kIncompleto},
        // Modify: the listed user and caja, locked; the password starts empty.
        {"b_modificar", 1, {"zz", "nueva", "9"}, {"2", "CAJERO", "NUEVA", "001", "01", "0305419896"}},
        {"b_modificar", 1, {"", "", ""}, none, kIncompleto},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " " << c.in.user << "/" << c.in.clav << "/" << c.in.caja);
        AdminShell s;
        s.model().outlet.users.remove("ADMIN");
        s.model().outlet.users["AAA"] = {"C", "00", {}};
        const QString caption = run_dialog(s, c.button, 1, c.in);
        EXPECT_EQ(caption, QString(c.button) == "b_modificar" ? "Usuario - Modificar" : "Usuario - Incluir");
        const auto calls = s.t.srv->calls("actusr");
        EXPECT_EQ(calls.isEmpty() ? QVariantList() : calls.first().values, c.sent);
        EXPECT_EQ(s.boxes(), c.box.isEmpty() ? QStringList{} : QStringList{c.box});
        // Closed in every case, and the list read again.
        EXPECT_FALSE(s.t->is_loaded("usuarios_e"));
        EXPECT_EQ(s.t.srv->calls("dspusr").size(), 2);
    }
}

TEST(UsuariosE, ModifyShowsTheRowLocked)
{
    AdminShell s;
    s.item("userx");
    auto* w = s.t->win<usuarios>("usuarios");
    w->lista->setCurrentItem(w->lista->topLevelItem(1));
    s.t->mod_edi = 2;
    auto* d = s.t->win<usuarios_e>("usuarios_e");
    EXPECT_EQ(d->tx_user->text(), "CAJERO");
    EXPECT_EQ(d->tx_clav->text(), "");
    EXPECT_EQ(d->tx_caja->text(), "01");
    EXPECT_FALSE(d->tx_user->isEnabled());
    EXPECT_FALSE(d->tx_caja->isEnabled());
    EXPECT_TRUE(d->tx_clav->isEnabled());
    EXPECT_EQ(d->tx_clav->echoMode(), QLineEdit::Normal);
    s.t->unload("usuarios_e");
}

TEST(UsuariosE, EachAnswerItsBox)
{
    const QString boxes[] = {"", kIncompleto, "Usuario ya existe. No se pudo actualizar el registro." + k5,
                             "Caja ya existe. No se pudo actualizar el registro." + k5, "", ""};
    for (int code : {0, 1, 2, 3, 4, 255}) {
        SCOPED_TRACE(code);
        AdminShell s;
        s.t.srv->register_procedure("actusr", [code](central::Request& r) {
            r.status = code;
            return true;
        });
        run_dialog(s, "b_incluir", 0, {"ana", "pw", "5"});
        const QString box = boxes[code == 255 ? 5 : code];
        EXPECT_EQ(s.boxes(), box.isEmpty() ? QStringList{} : QStringList{box});
        if (!box.isEmpty()) {
            EXPECT_EQ(s.t.dlg->boxes[0].style, 48);
        }
        EXPECT_FALSE(s.t->is_loaded("usuarios_e"));
        EXPECT_EQ(s.t.srv->calls("dspusr").size(), 2);
    }

    // Failing once is not seen; twice gives the lost-connection box, the dialog closes
    // and the list is not read.
    for (int fails : {1, 2}) {
        AdminShell s;
        s.t.srv->fail_next(fails, "actusr");
        run_dialog(s, "b_incluir", 0, {"ana", "pw", "5"});
        EXPECT_EQ(s.boxes(), fails == 1 ? QStringList{} : QStringList{"No hay conexión con el servidor." + QString(10, ' ')});
        EXPECT_EQ(s.model().outlet.users.contains("ANA"), fails == 1);
        EXPECT_FALSE(s.t->is_loaded("usuarios_e"));
    }
}

TEST(UsuariosE, KeysAndFocus)
{
    AdminShell s;
    s.t->mod_edi = 1;
    auto* d = s.t->win<usuarios_e>("usuarios_e");
    d->show();
    d->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(d));
    EXPECT_TRUE(d->tx_user->hasFocus());
    // Pasted text is upper-cased when the field is left.
    d->tx_clav->setFocus();
    d->tx_clav->setText("pegado");
    d->tx_caja->setFocus();
    EXPECT_EQ(d->tx_clav->text(), "PEGADO");
    // Entering a field selects its whole text.
    d->tx_clav->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(d->tx_clav->selectedText(), "PEGADO");
    // Esc closes without a call.
    QTest::keyClick(d->tx_clav, Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(s.t.srv->calls("actusr").isEmpty());
    s.t->unload("usuarios_e");
}

// No password reaches the program's own messages, not even when its call fails.
TEST(UsuariosE, PasswordsStayOutOfTheLog)
{
    static QStringList logged;
    logged.clear();
    const auto previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { logged << m; });
    AdminShell s;
    s.t.srv->error_next(1, "actusr");
    run_dialog(s, "b_incluir", 0, {"ana", "secreto", "5"});
    s.t->flg_nocox = 0;
    actusr(*s.t, "1", "ANA", "SECRETO", "001", "055", "0305419896");  // a value too long for its parameter
    qInstallMessageHandler(previous);
    EXPECT_GE(logged.size(), 2);
    EXPECT_FALSE(logged.join('\n').contains("SECRETO", Qt::CaseInsensitive)) << qPrintable(logged.join('\n'));
}

} // namespace
