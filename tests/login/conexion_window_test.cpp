// The login window itself: layout, pre-fill, focus and key filters (closing it and
// "Actualizar" in conectar_test.cpp).
#include "tests/login/login_fixture.h"

#include <QKeyEvent>

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
