#pragma once
// The sale window with play registration, after a login that loaded the symbol sets:
// plays typed and entered, the play list, and whether the double's ticket agrees.
#include "sale/plays/movtik_plays.h"
#include "tests/sale/sale_fixture.h"

#include <QTest>

// Ticks the lotteries of these codes (separated by blanks) and no other.
inline void tick_lots(movtik* w, const QString& codes)
{
    const QStringList wanted = codes.split(' ', Qt::SkipEmptyParts);
    for (int i = 0; i < w->lt_lote->count(); ++i) {
        QListWidgetItem* item = w->lt_lote->item(i);
        item->setCheckState(wanted.contains(movtik::item_codint(item)) ? Qt::Checked : Qt::Unchecked);
    }
}

// The number typed and Enter; when it went on to the amount, the amount and Enter.
inline void enter_play(movtik* w, const QString& num, const QString& amount)
{
    w->tx_nume->setEditText(QString());
    QTest::keyClicks(w->tx_nume->lineEdit(), num);
    w->b_procesar->click();
    if (w->tik_cur.cam_act != 2)
        return;
    w->tx_mont->setEditText(QString());
    QTest::keyClicks(w->tx_mont->lineEdit(), amount);
    w->b_procesar->click();
}

struct PlayRig : SaleRig {
    PlayRig()
    {
        for (const auto& s : model().symbols) {
            t->tab_sim.sim_cod << s.codsim;
            t->tab_sim.sim_num << s.numero;
            t->tab_sim.sim_nom << s.nombre;
        }
    }
    movtik_plays* p() { return static_cast<movtik_plays*>(w.data()); }
    TikCur& tik() { return w->tik_cur; }

    void lots(const QString& codes) { tick_lots(w, codes); }
    void play(const QString& num, const QString& amount) { enter_play(w, num, amount); }
    QStringList lines() const
    {
        QStringList out;
        for (int i = 0; i < w->lt_nume->count(); ++i)
            out << w->lt_nume->item(i)->text();
        return out;
    }
    // A play-list line: the lottery, the play's 22 columns, the amount and the index.
    static QString line(const QString& lot, const QString& play, const QString& amount, int index)
    {
        EXPECT_EQ(play.size(), 22) << qPrintable(play);
        return lot.leftJustified(15, ' ', true) + ' ' + play + amount.rightJustified(10) + blanks(6) +
               QString::number(index).rightJustified(3, '0');
    }
    // The double's ticket holds the client's records, index by index, and its total.
    void agree()
    {
        const central::Ticket* tk = model().ticket(tik().numtik());
        ASSERT_TRUE(tk);
        QStringList server, client;
        qint64 sum = 0;
        for (const central::Play& sp : tk->plays) {
            server << QString("%1 %2 %3").arg(sp.index).arg(sp.numero).arg(sp.deleted ? 0 : sp.monto);
            sum += sp.deleted ? 0 : sp.amount();
        }
        for (int i = 0; i < tik().can_jug; ++i)
            client << QString("%1 %2 %3").arg(i).arg(tik().jug_tik[i].numero.trimmed()).arg(qint64(tik().jug_tik[i].monto));
        EXPECT_EQ(server, client);
        EXPECT_EQ(double(sum), tik().tot_tik);
    }
};
