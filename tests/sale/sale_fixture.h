#pragma once
// The sale window on a TestApp after a cashier's login, against the central-server double:
// opening it, putting plays on its ticket, and what the double holds.
#include "core/app/rule.h"
#include "core/shared/justify.h"
#include "sale/ticket/movtik.h"
#include "sale/windows.h"
#include "tests/doubles/test_app.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os)
{
    *os << "{\"" << l.join("\", \"").toStdString() << "\"}";
}

inline QString blanks(int n) { return QString(n, QLatin1Char(' ')); }
inline const QString kNoConexion = "No hay conexión con el servidor." + blanks(10);

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
        s.lot_mnu = t.srv->model.outlet.values.value("GETLOT_MNU");
        s.tik_men1 = "GRACIAS POR SU COMPRA";
        t->num_hdd = "0305419896";
        register_sale_windows(*t);
    }
    ~SaleRig() { unload(); }

    central::Model& model() { return t.srv->model; }
    fake::Dialogs& dlg() { return *t.dlg; }

    // Opens the sale window as the menu does (loaded, shown, activated) and lets a close
    // it asked for happen. The window pointer is null once it closed.
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
    // The window closed itself (or was never there).
    bool closed() { return !w || !w->isVisible(); }

    // A play of the pending ticket as play registration puts it there: on the server's
    // ticket and in the window's ticket state and play list. amount in whole units.
    void put_play(const QString& codlot, const QString& numero, double amount)
    {
        const qint64 stored = qint64(amount * t->ses_val.mod_sys);
        central::Ticket* tk = model().ticket(w->tik_cur.numtik());
        ASSERT_TRUE(tk);
        tk->plays.append(central::Play{int(tk->plays.size()), codlot, "N", numero, stored, false});
        auto& c = w->tik_cur;
        const int idx = w->idx_lot(codlot);
        JugTik j;
        j.nomlot = idx >= 0 ? c.tab_lot[idx].nomlot : codlot;
        j.tipo = "N";
        j.numero = pad_left(numero, 6);
        j.monto = double(stored);
        c.jug_tik.resize(c.can_jug);
        c.jug_tik.append(j);
        ++c.can_jug;
        c.tot_tik += double(stored);
        w->lt_nume->addItem(pad_right(j.nomlot.left(15), 15) + " " + j.numero);
        c.can_lin = w->lt_nume->count();
        w->tx_mtik->setText(mon_show(t->mon(), c.tot_tik));
    }

    // Every message shown so far, then forgets them.
    QStringList take_texts()
    {
        const QStringList texts = dlg().texts();
        dlg().boxes.clear();
        return texts;
    }
    QStringList items(QListWidget* list) const
    {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out;
    }
    QList<int> ticked(QListWidget* list) const
    {
        QList<int> out;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                out << i;
        return out;
    }
    // The codes of the lotteries listed in lt_lote.
    QStringList listed() const
    {
        QStringList out;
        for (int i = 0; i < w->lt_lote->count(); ++i)
            out << movtik::item_codint(w->lt_lote->item(i));
        return out;
    }
    central::Ticket::State state(qint64 numtik) { return model().ticket(numtik)->state; }
    // The watch's tick n times.
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
