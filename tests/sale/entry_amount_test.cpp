// Play entry from the keyboard: the lottery list's ticks, the amount field and its limits,
// the code pick list.
#include "tests/sale/entry_fixture.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QWheelEvent>

namespace {

// Ticks ("+code", "-code") of the lottery list, with the number "12" and the amount "5"
// typed before the last: the lotteries left ticked, the number's length, the limit chosen,
// whether the texts stay, the pick list and the amount presets.
TEST(EntryAmount, LotteryTicks)
{
    const QStringList whole = {"1", "2", "5", "10", "20", "50", "100", "200", "500", "1.000"};
    const QStringList set1 = {"0-Delfin", "00-Ballena", "01-Carnero", "02-Toro",
                              "03-Ciempies", "04-Alacran", "05-Leon", "06-Rana"};
    QStringList triples = {"001", "002", "003"};  // and 29 more: the 32nd is refused
    for (int i = 100; i < 129; ++i)
        triples << QString::number(i);
    const struct {
        QStringList ticks, ticked;
        int max_num, sel_lim;
        bool kept;
        QStringList picks, presets;
    } cases[] = {
        {{"+001", "+002"}, {"001", "002"}, 3, 0, true, {}, whole},
        {{"+001", "+008"}, {"008"}, 2, 1, false, set1, whole.mid(0, 9)},  // another kind
        {{"+008", "+009"}, {"008", "009"}, 2, 1, true, set1, whole.mid(0, 9)},
        {{"+008", "-008"}, {}, 2, 0, false, {}, {}},
        {{"+007"}, {"007"}, 3, 0, true, {}, whole},  // its stamor is 2, not 1
        {QStringList(triples).replaceInStrings(QRegularExpression("^"), "+"), triples.mid(0, 31), 3, 0, true, {}, whole},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ticks.join(' ').left(20).toStdString());
        EntryRig r([](EntryRig& r) {
            for (int i = 100; i < 129; ++i)
                r.model().lotteries << r.model().lotteries[0], r.model().lotteries.last().codint = QString::number(i);
        });
        r.e->tik_cur.tab_lot[r.row("007")].stamor = 2;
        for (const QString& tick : c.ticks) {
            if (&tick == &c.ticks.last())
                r.e->tx_nume->setEditText("12"), r.e->tx_mont->setEditText("5");
            r.tick(tick.mid(1), tick[0] == '+');
        }
        QStringList ticked = r.listed(true);
        ticked.sort();
        EXPECT_EQ(ticked, c.ticked);
        EXPECT_EQ(r.e->tik_cur.max_num, c.max_num);
        EXPECT_EQ(r.e->tik_cur.sel_lim, c.sel_lim);
        EXPECT_EQ(r.number() + r.e->tx_mont->currentText(), c.kept ? "125" : "");
        EXPECT_EQ(r.texts(r.e->lx_nume->model()), c.picks);
        EXPECT_EQ(r.texts(r.e->tx_mont->model()), c.presets);
    }
}

// Keys typed into the amount field, entered on a triple with the limits of number plays
// given (stored units): it shows the minimum selected, and the keys replace it.
TEST(EntryAmount, AmountKeys)
{
    const QString max = "100000000000";  // 1.000
    const struct {
        QString min, max, keys, text, focus = "tx_mont";
        QStringList presets = {};
    } cases[] = {
        {"100000000", max, "0.10005", "1.000"},  // whole units: no point, no leading 0, the maximum
        {"20000000", max, "0.012", "0.20", "tx_mont",
         {"0.20", "0.50", "1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"}},
        {"50000000", max, "035", "0.50"},
        {"20000000", max, "3.05", "3.50"},
        {"1000000", "100000000", "0005", "0.05", "tx_mont", {"0.01", "0.02", "0.05", "0.10", "0.20", "0.50", "1"}},
        {"20000000", max, "05\b", "0."},
        {"20000000", max, "05\b\b", ""},
        {"20000000", max, "5.\b", "5"},
        {"100000000", max, "5\5\6", "5", "tx_nume"},  // Down does nothing, Up goes back to the number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.min + " " + c.keys).toStdString());
        EntryRig r([&c](EntryRig& r) { r.model().set_param("JUGADA_MIN", c.min), r.model().set_param("JUGADA_MAX", c.max); });
        r.enter("001", "1\021");
        type_keys(c.keys);
        EXPECT_EQ(r.e->tx_mont->currentText(), c.text);
        EXPECT_EQ(r.focus(), c.focus);
        if (!c.presets.isEmpty())
            EXPECT_EQ(r.texts(r.e->tx_mont->model()), c.presets);
    }

    // Neither the wheel nor PageDown nor Ctrl+Down step a typed amount through the presets.
    EntryRig r;
    r.enter("001", "1\0217");
    QTest::keyClick(r.e->tx_mont, Qt::Key_PageDown);
    QTest::keyClick(r.e->tx_mont, Qt::Key_Down, Qt::ControlModifier);
    QWheelEvent wheel({5, 5}, r.e->tx_mont->mapToGlobal(QPoint(5, 5)), {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(r.e->tx_mont, &wheel);
    EXPECT_EQ(r.e->tx_mont->currentText(), "7");
}

// On every lottery the amount field is held to the limits by which an amount is judged
// (mon_range of the entry's limit kind): entered with more, or typed past the maximum, it
// stops at it.
TEST(EntryAmount, LimitsAgreeOnEveryLottery)
{
    EntryRig r;
    const QStringList lots = r.listed() << "-001";  // and a triple with a negative codrul
    for (QString code : lots) {
        SCOPED_TRACE(code.toStdString());
        if (code.startsWith('-'))
            r.e->tik_cur.tab_lot[r.row(code.remove(0, 1))].codrul = -1;
        r.tick(code);
        r.e->tx_mont->setEditText("9999");
        r.enter(code, "\021");
        const QString max = r.e->tik_cur.tab_lot[r.row(code)].codrul >= 1 ? "500" : "1.000";
        EXPECT_EQ(r.e->tx_mont->currentText(), max);
        type_keys(QString(max).remove('.') + "0");
        EXPECT_EQ(r.e->tx_mont->currentText(), max);
        const MonCtx m = r.t->mon();
        EXPECT_TRUE(mon_range(m, mon_parse(m, max), r.e->tik_cur.lim_kind()));
        EXPECT_FALSE(mon_range(m, mon_parse(m, max + "1"), r.e->tik_cur.lim_kind()));
        r.tick(code, false);
    }
    // An item of the list without its lottery (a table shorter than the list) takes no tick.
    r.e->tik_cur.tab_lot.removeLast();
    r.enter(r.listed().last(), "\021");
    EXPECT_TRUE(r.listed(true).isEmpty());
}

// The pick list, opened with Space: several codes a play take up to three ticks, in list
// order, a fourth refused whichever item is current; one code a play takes the item
// clicked or ticked. Typed characters are ignored, and pasted ones are never taken.
TEST(EntryAmount, PickList)
{
    EntryRig r;
    r.enter("011", " ");
    QTreeWidget* lx = r.e->lx_nume;
    const auto pick = [lx](int i, bool on) { lx->topLevelItem(i)->setCheckState(0, on ? Qt::Checked : Qt::Unchecked); };
    pick(3, true);
    pick(1, true);
    type_keys("a5");
    EXPECT_EQ(r.number() + r.focus(), "00-Bal 02-Torlx_nume");
    pick(2, true);
    EXPECT_EQ(r.number() + r.focus(), "00-Bal 01-Car 02-Tortx_nume");
    lx->setCurrentItem(lx->topLevelItem(1));
    pick(5, true);
    pick(2, false);
    EXPECT_EQ(r.texts(lx->model(), true), QStringList({"00-Ballena", "02-Toro"}));
    EXPECT_EQ(r.number(), "00-Bal 02-Tor");

    EntryRig one;
    one.enter("008", " ");
    EXPECT_EQ(one.number(), "0-Delfin");  // nothing typed: the first item
    one.e->tx_nume_DropDown();           // again: closed
    EXPECT_EQ(one.focus(), "tx_nume");
    type_keys("05 ");                    // the codes typed are ticked
    EXPECT_EQ(one.texts(one.e->lx_nume->model(), true), QStringList({"05-Leon"}));
    QTreeWidgetItem* item = one.e->lx_nume->topLevelItem(4);
    QTest::mouseClick(one.e->lx_nume->viewport(), Qt::LeftButton, {}, one.e->lx_nume->visualItemRect(item).center());
    EXPECT_EQ(one.texts(one.e->lx_nume->model(), true), QStringList({"03-Ciempies"}));
    EXPECT_EQ(one.number() + one.focus(), "03-Ciempieslx_nume");
    type_keys(" ");
    EXPECT_EQ(one.number() + one.focus(), "03-Ciempiestx_nume");

    // Text that does not come from a key never gets into either field.
    QGuiApplication::clipboard()->setText("1234567");
    QInputMethodEvent im;
    im.setCommitString("1234567");
    for (QComboBox* field : {one.e->tx_nume, one.e->tx_mont}) {
        const QString before = field->currentText();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        QApplication::sendEvent(field, &im);
        EXPECT_EQ(field->currentText(), before);
    }
}

} // namespace
