// The user edit dialog: what include and modify send, the answers' boxes, and no password
// in the program's own messages.
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

// The dialog of the list's button for row 1, as it opened ("user|password|caja", and
// " locked"), with the texts typed and "Aceptar" pressed.
QString run_dialog(AdminShell& s, const char* button, const Typed& in)
{
    auto* w = s.open<usuarios>("userx", "usuarios");
    w->lista->setCurrentItem(w->lista->topLevelItem(1));
    QString shown;
    s.with_modal([&] { w->findChild<QPushButton*>(button)->click(); },
                 [&](QWidget* m) {
                     auto* d = qobject_cast<usuarios_e*>(m);
                     shown = d->tx_user->text() + "|" + d->tx_clav->text() + "|" + d->tx_caja->text()
                             + (d->tx_user->isEnabled() || d->tx_caja->isEnabled() ? "" : " locked");
                     QTest::keyClicks(d->tx_user, in.user);
                     QTest::keyClicks(d->tx_clav, in.clav);
                     QTest::keyClicks(d->tx_caja, in.caja);
                     d->b_aceptar->click();
                 });
    return shown;
}

TEST(UsuariosE, IncludeAndModifySendOneCall)
{
    const QVariantList none;
    const QString caja = "Caja ya existe. No se pudo actualizar el registro." + k5;
    const struct { const char* button; Typed in; QVariantList sent; QString box = {}; } cases[] = {
        {"b_incluir", {"ana", "se cret", "7"}, {"1", "ANA", "SE CRET", "001", "07", "0305419896"}},
        {"b_incluir", {"  bo b ", " x ", "a1b2c3"}, {"1", "BO B", "X", "001", "12", "0305419896"}},
        {"b_incluir", {"abcdefghijkl", "pw", "05"}, {"1", "ABCDEFGHIJ", "PW", "001", "05", "0305419896"}},
        {"b_incluir", {"luis", "pw", ""}, {"1", "LUIS", "PW", "001", "00", "0305419896"}, caja},  // 00 exists
        {"b_incluir", {"   ", "pw", "5"}, none, kIncompleto},
        {"b_incluir", {"ana", "   ", "5"}, none, kIncompleto},
        {"b_modificar", {"zz", "nueva", "9"}, {"2", "CAJERO", "NUEVA", "001", "01", "0305419896"}},
        {"b_modificar", {"", "", ""}, none, kIncompleto},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.button << " " << c.in.user << "/" << c.in.clav << "/" << c.in.caja);
        AdminShell s;
        const bool inc = QString(c.button) == "b_incluir";
        EXPECT_EQ(run_dialog(s, c.button, c.in), inc ? "||" : "CAJERO||01 locked");
        const auto calls = s.t.srv->calls("actusr");
        EXPECT_EQ(calls.isEmpty() ? QVariantList() : calls.first().values, c.sent);
        EXPECT_EQ(s.boxes(), c.box.isEmpty() ? QStringList{} : QStringList{c.box});
        EXPECT_FALSE(s.loaded("usuarios_e"));  // closed in every case, and the list read again
        EXPECT_EQ(s.t.srv->calls("dspusr").size(), 2);
    }
}

TEST(UsuariosE, EachAnswerItsBox)
{
    const QString boxes[] = {"", kIncompleto, "Usuario ya existe. No se pudo actualizar el registro." + k5,
                             "Caja ya existe. No se pudo actualizar el registro." + k5, ""};
    for (int code : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE(code);
        AdminShell s;
        s.t.srv->register_procedure("actusr", [code](central::Request& r) { return r.status = code, true; });
        run_dialog(s, "b_incluir", {"ana", "pw", "5"});
        EXPECT_EQ(s.boxes(), boxes[code].isEmpty() ? QStringList{} : QStringList{boxes[code]});
        EXPECT_EQ(s.t.dlg->boxes.value(0).style, code >= 1 && code <= 3 ? 48 : 0);
    }
    // Failing once is not seen; twice gives one box and the dialog closes.
    for (int fails : {1, 2}) {
        AdminShell s;
        s.t.srv->fail_next(fails, "actusr");
        run_dialog(s, "b_incluir", {"ana", "pw", "5"});
        EXPECT_EQ(s.boxes(), fails == 1 ? QStringList{} : QStringList{kLost});
        EXPECT_EQ(s.model().outlet.users.contains("ANA"), fails == 1);
        EXPECT_FALSE(s.loaded("usuarios_e"));
    }
}

TEST(UsuariosE, PasswordsStayOutOfTheLog)
{
    static QStringList logged;
    const auto previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { logged << m; });
    AdminShell s;
    s.t.srv->error_next(1, "actusr");
    run_dialog(s, "b_incluir", {"ana", "secreto", "5"});
    s.t->flg_nocox = 0;
    actusr(*s.t, "1", "ANA", "SECRETO", "001", "055", "0305419896");  // a value too long for its parameter
    qInstallMessageHandler(previous);
    EXPECT_GE(logged.size(), 2);
    EXPECT_FALSE(logged.join('\n').contains("SECRETO", Qt::CaseInsensitive)) << qPrintable(logged.join('\n'));
}

} // namespace
