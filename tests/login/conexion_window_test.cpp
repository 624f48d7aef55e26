// The login window itself: layout, pre-fill, focus, key filters, closing and "Actualizar".
#include "tests/login/login_fixture.h"

#include <QDialog>
#include <QKeyEvent>
#include <QTimer>

using LoginWindow = LoginTest;

TEST_F(LoginWindow, OpensFilledFromTheLocalSettings)
{
    open();
    EXPECT_EQ(w->focusWidget(), c("tx_user"));  // first start: nothing remembered
    EXPECT_EQ(c<QComboBox>("tx_dtbs")->count(), 0);

    auto& cfg = app()->cfg_reg;
    cfg.cox_user = "  CAJERO ";
    cfg.cox_dtbs = " DEMO ";
    cfg.cox_dtb1 = "ABC";
    cfg.cox_dtb2 = "   ";
    cfg.cox_dtb3 = "XYZXYZXYZXYZXYZXYZ";  // 15 characters at most
    w->close();
    open();
    EXPECT_EQ(w->windowTitle(), "Tovaren v3.8.2.4 - Conexión");
    EXPECT_EQ(QStringList({text("tx_user"), text("tx_dtbs"), w->tx_dtbs->itemText(0), w->tx_dtbs->itemText(1)}),
              QStringList({"CAJERO", "DEMO", "ABC", "XYZXYZXYZXYZXYZ"}));
    EXPECT_EQ(w->tx_dtbs->count(), 2);
    EXPECT_EQ(w->focusWidget(), w->tx_clav);  // a remembered user: the password is next

    EXPECT_EQ(conexion::place_for(9600), QPoint(147, 93));
    EXPECT_EQ(conexion::place_for(9615), QPoint(220, 147));
    EXPECT_EQ(w->pos(), conexion::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
}

TEST_F(LoginWindow, KeyFiltersAndLostFocus)
{
    // typed: shown while typing; left: once the field is left.
    const struct { const char* field; QString keys, typed, left; } cases[] = {
        {"tx_user", "ab c", "AB C", "ABC"},
        {"tx_clav", "abcdefghijk", "ABCDEFGHIJ", "ABCDEFGHIJ"},  // 10 at most
        {"tx_dtbs", "ab-c $9.", "ABC$9", "ABC$9"},
        {"tx_dtbs", "abcdefghijklmnopqrst", "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMNO"},  // 15 at most
    };
    open();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w));
    for (const auto& k : cases) {
        SCOPED_TRACE(k.field + (": " + k.keys).toStdString());
        QWidget* field = c(k.field);
        field->setFocus();
        if (auto* cb = qobject_cast<QComboBox*>(field))
            cb->setEditText(QString());
        QTest::keyClicks(field, k.keys);
        EXPECT_EQ(text(k.field), k.typed);
        c("b_actua")->setFocus();
        EXPECT_EQ(text(k.field), k.left);
    }
    QTest::keyClick(c("tx_dtbs"), Qt::Key_Backspace);
    EXPECT_EQ(text("tx_dtbs"), "ABCDEFGHIJKLMN");
    EXPECT_EQ(c<QLineEdit>("tx_clav")->displayText(), "**********");

    // Keys outside ASCII: upper-cased in the user name, refused in the database code, as
    // are control characters (keyboard copy and paste).
    QKeyEvent enye(QEvent::KeyPress, Qt::Key_Ntilde, Qt::NoModifier, QString(QChar(0xF1)));
    QCoreApplication::sendEvent(c("tx_user"), &enye);
    EXPECT_EQ(text("tx_user"), "ABC" + QString(QChar(0xD1)));
    for (int code : {0xF1, 22, 3})
        EXPECT_EQ(conexion::tx_dtbs_KeyPress(code), 0) << code;

    // The focus selects the whole text, also when it comes by the mouse.
    c("tx_dtbs")->setFocus(Qt::MouseFocusReason);
    QCoreApplication::processEvents();
    EXPECT_EQ(c<QComboBox>("tx_dtbs")->lineEdit()->selectedText(), "ABCDEFGHIJKLMN");
}

// Closing leaves nothing shown, asked or sent, resets the pointer, and ends the program
// only while nobody is logged in; the next showing loads the window afresh.
TEST_F(LoginWindow, ClosingEndsTheProgramOnlyWhileNobodyIsLoggedIn)
{
    const struct { const char* name; QString cod_caj; std::function<void(LoginTest&)> close; } cases[] = {
        {"Esc at the first showing", "**", [](LoginTest& f) { QTest::keyClick(f.c("tx_user"), Qt::Key_Escape); }},
        {"Salir at the first showing", "**", [](LoginTest& f) { f.click(f.w->b_cancelar); }},
        {"close box at the first showing", "**", [](LoginTest& f) { f.w->close(); }},
        {"Esc from the menu", "01", [](LoginTest& f) { QTest::keyClick(f.c("tx_user"), Qt::Key_Escape); }},
    };
    for (const auto& k : cases) {
        reset();
        app()->ses_val.cod_caj = k.cod_caj;
        dlg().set_pointer(plat::ptr_hourglass);
        open();
        k.close(*this);
        const bool shown = w->isVisible();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(QVariantList({ta->sys->ended, shown, dlg().pointer(), app()->ses_val.cod_caj, dlg().boxes.size(),
                                srv().log.size(), app()->is_loaded("conexion")}),
                  QVariantList({k.cod_caj == "**", false, plat::ptr_default, k.cod_caj, 0, 0, false}))
            << k.name;
    }
}

TEST_F(LoginWindow, ActualizarAsksThenMarksAndShowsTheUpdate)
{
    int shown = 0;
    app()->register_window("update", [&](App&) -> QWidget* {
        auto* d = new QDialog;
        d->setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(0, d, [&shown, d] {
            shown += d->isVisible() && d->isModal();
            d->reject();
        });
        return d;
    });
    ta->reg->values["brontex/TOVAREN/version"] = "3.8.2.4";
    open();

    dlg().answers = {plat::ans_cancel};
    click(w->b_actua);
    EXPECT_EQ(boxes_text(dlg()), "\"¿Desea actualizar el programa?               \"/33/TOVAREN");
    EXPECT_EQ(marker(), "3.8.2.4");
    EXPECT_EQ(shown, 0);

    click(w->b_actua);  // OK
    EXPECT_EQ(marker(), "0.0.0.0");
    EXPECT_EQ(shown, 1);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(ta->sys->ended);
}
