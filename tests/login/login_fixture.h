#pragma once
// A login window on a TestApp, driven through its controls, and the helpers the wire
// tests share: typing a login, checking the one message box, the login's texts.
#include "core/app/rule.h"
#include "core/login/conexion.h"
#include "core/login/windows.h"
#include "tests/doubles/test_app.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline const QString k10(10, ' ');
inline const QString kNoConexion = "No hay conexión con el servidor." + k10;
inline const QString kDatosNoValidos = "Datos de conexión no son válidos." + k10;
inline const QString kFrameVersion = "            *** PROGRAMA NO ES VALIDO ***               \r\n\r\n"
                                     "            ***  ACTUALIZAR PROGRAMA  ***               \r\n\r\n"
                                     "            ***       KELMARIS        ***               \r\n";
inline const QString kFrameConexion = "            *** CONEXION NO ES VALIDA ***               \r\n\r\n"
                                      "            ***       KELMARIS        ***               \r\n";
inline QString frame_not_available(int lead)
{
    const QString b(lead, ' ');
    return b + "*** SERVICIO NO ESTA DISPONIBLE ***               \r\n\r\n" + b +
           "***          KELMARIS           ***               \r\n";
}

// Types the three fields afresh and presses "Conectar".
inline void log_in(conexion* w, const QString& user, const QString& clav, const QString& dtbs)
{
    w->tx_user->clear();
    w->tx_clav->clear();
    w->tx_dtbs->setEditText(QString());
    QTest::keyClicks(w->tx_user, user);
    QTest::keyClicks(w->tx_clav, clav);
    QTest::keyClicks(w->tx_dtbs, dtbs);
    QTest::mouseClick(w->b_conectar, Qt::LeftButton);
}

// Exactly one message box was shown, this one.
inline void expect_box(const fake::Dialogs& d, const QString& text, int style, const QString& title = "Tovaren")
{
    ASSERT_EQ(d.boxes.size(), 1) << qPrintable(d.texts().join('|'));
    EXPECT_EQ(d.boxes[0].text, text);
    EXPECT_EQ(d.boxes[0].style, style);
    EXPECT_EQ(d.boxes[0].title, title);
}

class LoginTest : public ::testing::Test {
public:
    std::unique_ptr<TestApp> ta;
    QPointer<conexion> w;
    QStringList captions;  // main_caption calls: "caja/flg_nocox" as they saw them

    void SetUp() override { reset(); }

    // A fresh program before its first login.
    void reset()
    {
        delete w.data();
        ta = std::make_unique<TestApp>();
        captions.clear();
        register_login_windows(*app());
        app()->num_hdd = hdd_serial(*ta->sys);
        app()->ses_val.cod_caj = "**";
        app()->main_caption = [this] { captions << app()->ses_val.cod_caj + "/" + QString::number(app()->flg_nocox); };
    }
    std::unique_ptr<App>& app() { return ta->app; }
    central::Server& srv() { return *ta->srv; }
    fake::Dialogs& dlg() { return *ta->dlg; }

    // The window as the next showing gets it: a closed one is gone once its deletion ran.
    conexion* open()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        w = app()->win<conexion>("conexion");
        w->show();
        return w;
    }
    template <class T = QWidget> T* c(const char* name) const { return w->findChild<T*>(name); }
    QString text(const char* name) const
    {
        if (auto* cb = c<QComboBox>(name))
            return cb->currentText();
        return c<QLineEdit>(name)->text();
    }
    void click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
    void conectar(const QString& user = "CAJERO", const QString& clav = "CLAVE", const QString& dtbs = "DEMO")
    {
        log_in(open(), user, clav, dtbs);
    }
    QString saved(const QString& key) const { return ta->reg->values.value("vuroda/parsys/" + key); }
    QString marker() const { return ta->reg->values.value("brontex/TOVAREN/version"); }
    static QString proxy(int i) { return QString::fromLatin1(deploy::proxy_hosts[i]) + ":11433"; }
};
