#pragma once
// A login window on a TestApp, driven through its controls by object name.
#include "core/db/rule.h"
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

struct Caption {
    QString cod_caj;
    int flg_nocox;
};

class LoginTest : public ::testing::Test {
public:
    std::unique_ptr<TestApp> ta;
    QPointer<conexion> w;
    QList<Caption> captions;  // main_caption calls, with the state they saw

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
        app()->main_caption = [this] { captions << Caption{app()->ses_val.cod_caj, app()->flg_nocox}; };
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
    void click(const char* name) { QTest::mouseClick(c<QPushButton>(name), Qt::LeftButton); }
    // Opens a window, types the three fields and presses "Conectar".
    void conectar(const QString& user = "CAJERO", const QString& clav = "CLAVE", const QString& dtbs = "DEMO")
    {
        open();
        c<QLineEdit>("tx_user")->clear();
        c<QLineEdit>("tx_clav")->clear();
        c<QComboBox>("tx_dtbs")->setEditText(QString());
        QTest::keyClicks(c("tx_user"), user);
        QTest::keyClicks(c("tx_clav"), clav);
        QTest::keyClicks(c("tx_dtbs"), dtbs);
        click("b_conectar");
    }
    QString saved(const QString& key) const { return ta->reg->values.value("vuroda/parsys/" + key); }
    QString marker() const { return ta->reg->values.value("brontex/TOVAREN/version"); }
    QString box() const { return dlg_boxes() == 1 ? ta->dlg->boxes[0].text : QString("<%1 boxes>").arg(dlg_boxes()); }
    qsizetype dlg_boxes() const { return ta->dlg->boxes.size(); }
    static QString proxy(int i) { return QString::fromLatin1(deploy::proxy_hosts[i]) + ":11433"; }
    static QString discovery(int i)
    {
        return QStringLiteral("https://%1/getipx").arg(QLatin1String(deploy::discovery_hosts[i]));
    }
    void reply(int host, int status, const QByteArray& body)
    {
        plat::HttpReply r;
        r.ok = true;
        r.status = status;
        r.body = body;
        ta->http->replies[discovery(host)] = r;
    }
};
