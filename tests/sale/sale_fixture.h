#pragma once
// The sale window on a TestApp after a cashier's login, against the central-server double:
// opening it, putting plays on its ticket, and what the double holds.
#include "sale/ticket/movtik.h"
#include "sale/windows.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <QPointer>
#include <gtest/gtest.h>

inline QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// The values of a logged call, as text.
inline QStringList args(const central::Call& call)
{
    QStringList out;
    for (const QVariant& v : call.values)
        out << v.toString();
    return out;
}

struct SaleRig {
    TestApp t;
    QPointer<movtik> w;

    SaleRig()
    {
        t.connect();
        auto& s = t->ses_val;
        s.cod_ven = "001";
        s.cod_caj = "01";
        s.nom_ven = "AGENCIA DEMO";
        s.ord_lot = 0;
        s.lot_mnu = model().outlet.values.value("GETLOT_MNU");
        s.tik_men1 = "GRACIAS POR SU COMPRA";
        t->num_hdd = "0305419896";
        register_sale_windows(*t);
    }
    ~SaleRig() { unload(); }

    central::Model& model() { return t.srv->model; }
    fake::Dialogs& dlg() { return *t.dlg; }
    QStringList procs() const { return t.srv->procs(); }

    // Opens the sale window (loaded, shown, so activated) and lets a close it asked for
    // happen; null once it closed.
    movtik* open()
    {
        w = t->win<movtik>("movtik");
        if (w)
            w->show();
        settle();
        return w;
    }
    // Runs what was queued: a close asked for during an activation, deferred deletions.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void unload()
    {
        t->unload("movtik");
        settle();
    }
    bool closed() { return !w || !w->isVisible(); }

    // A play of the pending ticket as play registration leaves it: on the server's ticket,
    // in the ticket's total and in the play list. amount in whole units.
    void put_play(const QString& codlot, const QString& numero, double amount)
    {
        const qint64 stored = qint64(amount * t->ses_val.mod_sys);
        central::Ticket* tk = model().ticket(w->tik_cur.numtik());
        ASSERT_TRUE(tk);
        tk->plays.append(central::Play{int(tk->plays.size()), codlot, "N", numero, stored, false});
        w->tik_cur.tot_tik += double(stored);
        w->lt_nume->addItem(codlot + " " + numero);
    }

    QList<int> ticked(QListWidget* list) const
    {
        QList<int> out;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                out << i;
        return out;
    }
    // The codes of the lotteries listed in lt_lote (of the ticked ones only, when asked).
    QStringList listed(bool only_ticked = false) const
    {
        QStringList out;
        for (int i = 0; i < w->lt_lote->count(); ++i)
            if (!only_ticked || w->lt_lote->item(i)->checkState() == Qt::Checked)
                out << movtik::item_codint(w->lt_lote->item(i));
        return out;
    }
    central::Ticket::State state(qint64 numtik) { return model().ticket(numtik)->state; }
    void tick(int n)
    {
        for (int i = 0; i < n; ++i)
            w->timer_tik_Timer();
    }
    void press_imprimir()
    {
        w->findChild<QPushButton*>("b_imprimir")->click();
        settle();
    }
};

class SaleTest : public ::testing::Test, public SaleRig {};
