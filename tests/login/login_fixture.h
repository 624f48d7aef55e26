#pragma once
// A login window on a TestApp, driven through its controls, and the helpers the wire
// tests share: typing a login.
#include "core/app/rule.h"
#include "core/login/conexion.h"
#include "core/login/windows.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

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

// Notes whether the login window stood behind each message box.
template <class Holder> void watch_boxes(Holder& a, const QPointer<conexion>& w, QStringList& behind)
{
    a.dlg->on_box = [&a, &w, &behind](const fake::Box&) { behind << (w && w->isVisible() ? "window up" : "window gone"); };
}

// What a login left (a TestApp or a program over the wire), as lines of a transcript: the
// calls, the boxes, the window, the program and the login's values, the settings saved
// (never the password).
template <class Holder>
QStringList login_state(Holder& a, const QList<central::Call>& log, conexion* w, const QStringList& behind,
                        const QString& clav)
{
    const App& app = *a.app;
    QStringList saved;
    for (const QString& key : a.reg->values.keys()) {
        EXPECT_NE(a.reg->values[key], clav) << qPrintable(key);
        saved << key.section('/', -1) + "=" + a.reg->values[key];
    }
    return {"  calls [" + calls_text(log) + "]", "  boxes [" + boxes_text(*a.dlg) + "] behind [" + behind.join(", ") + "]",
            QString("  window %1; program %2, caja %3, flag %4, connection %5, params %6, pointers %7, permissions %8, "
                    "symbols %9")
                .arg(w && w->isVisible()
                         ? "up, focus " + w->focusWidget()->objectName() + ", password " + w->tx_clav->text()
                         : "gone")
                .arg(a.sys->restarted ? "restarting" : a.sys->ended ? "ended " + QString::number(a.sys->end_code) : "runs")
                .arg(app.ses_val.cod_caj).arg(app.flg_nocox).arg(app.cox_bd.state() == db::adStateOpen ? "open" : "closed")
                .arg(app.cmd_sp.params().size()).arg(numbers(a.dlg->pointers)).arg(app.tab_per.per_cod.size())
                .arg(app.tab_sim.sim_nom.size()),
            "  saved " + saved.join(' ')};
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
    QString marker() const { return ta->reg->values.value("brontex/TOVAREN/version"); }
    static QString proxy(int i) { return QString::fromLatin1(deploy::proxy_hosts[i]) + ":11433"; }
};
