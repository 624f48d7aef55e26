// Play entry from the keyboard: the number field's keys in each lottery's number format
// and its focus handlers, what the lists hand over to it, the play-type letters and the
// lottery list's modes (a transcript), the lottery ticks, the amount field and its limits,
// the code pick list.
#include "tests/sale/sale_fixture.h"

#include <QWheelEvent>
#include <random>

namespace {

// The limits of number plays, in stored units.
Step limits(const QString& min, const QString& max = "100000000000")
{
    return [=](SaleRig& r) { r.model().set_param("JUGADA_MIN", min), r.model().set_param("JUGADA_MAX", max); };
}
// A change to a lottery of the window's table.
Step lot(const char* code, const std::function<void(RegLot&)>& change)
{
    return [=](SaleRig& r) { change(r.tik().tab_lot[r.row(code)]); };
}
// Ticks ("+code", "-code") of the lottery list, the number "12" and the amount "5" typed
// before the last; Triple Tachira's stamor is 2, not 1.
Step ticks(const QStringList& codes)
{
    return [=](SaleRig& r) {
        r.tik().tab_lot[r.row("007")].stamor = 2;
        for (const QString& tick : codes) {
            if (&tick == &codes.last())
                r.w->tx_nume->setEditText("12"), r.w->tx_mont->setEditText("5");
            r.tick(tick.mid(1), tick[0] == '+');
        }
    };
}
// Set 2, whose 99 bears this name, for LOTTO ACTIVO.
Step name99(const char* name)
{
    return [=](SaleRig& r) {
        TabSim& tab = r.t->tab_sim;
        for (qsizetype i = 0; i < tab.sim_num.size(); ++i)
            if (tab.sim_cod[i] == 2 && tab.sim_num[i] == "99")
                tab.sim_nom[i] = name;
        r.tik().tab_lot[r.row("008")].codsim = 2;
    };
}

// Keys typed into the number field after ticking lotteries (by code), the focus given to
// other controls among them, in each lottery's number format; the lotteries' ticks and what
// they choose; the amount field entered on a triple under limits. After each: the calls and
// messages, the entry (text, selection or caret, focus, the number's length and limit, the
// pick list and the amount presets).
TEST(Entry, Keys)
{
    QStringList triples = {"+001", "+002", "+003"};  // and 29 more: the 32nd is refused
    for (int i = 100; i < 129; ++i)
        triples << "+" + QString::number(i);
    const Step more_triples = [](SaleRig& r) {
        for (int i = 100; i < 129; ++i)
            r.model().lotteries << r.model().lotteries[0], r.model().lotteries.last().codint = QString::number(i);
    };
    const struct {
        const char* name;
        const char* lots;
        QString keys;
        Step before = kNothing, after = kNothing;  // the window's opening
    } cases[] = {
        {"triple: 3 characters, \"-\" too", "001", "12-<bs>34"},
        {"zodiac", "004", "*1234"},
        {"cacho; Space opens nothing", "005", "12*4 "},
        {"doblete: 4", "006", "123456"},
        {"tripleta: 6", "007", "1234567"},
        {"Down: on to the amount, once typed", "001", "<down>1<down>"},
        {"animals: one code a play", "008", "057*<left><del>"},
        {"", "008", "0-"},
        {"", "008", "05<bs>5<bs>"},
        {"a code without a name: Backspace takes one digit", "008", "07<bs>"},
        {"the last code, nothing below", "008", "<c-end><c-down>"},
        {"the first, nothing above", "008", "<c-home><c-up>"},
        {"", "008", "<c-down><c-down><c-down><c-up>"},
        {"99 named as 0 is the 0", "008", "993", kNothing, lot("008", [](RegLot& l) { l.codsim = 2; })},
        {"", "008", "0<@tx_mont>"},
        {"\"_\" refused", "008", "5<@tx_mont>"},
        {"\"_\", emptied by the list", "008", "5<@lt_tipo>"},
        {"back from the empty play list", "008", "5<@lt_nume>"},
        {"and from the read-only fields", "008", "5<@tx_mtik>"},
        {"several codes a play", "011", "0102030"},
        {"Backspace takes the last group", "011", "010203<bs>"},
        {"", "011", "07<bs>"},
        {"", "011", "01<bs>"},
        {"", "011", "0102<bs>"},
        {"", "011", "01020<bs>"},
        {"", "011", "0-01"},
        {"", "011", "01012", kNothing, lot("011", [](RegLot& l) { l.stastd = l.stastt = 0; })},
        {"", "011", "0101<bs>", kNothing, lot("011", [](RegLot& l) { l.stastd = l.stastt = 0; })},
        {"", "011", "0101<@lt_tipo>", kNothing, lot("011", [](RegLot& l) { l.stastd = 0; })},
        {"", "011", "0101<@tx_mont>"},
        // The lists hand digits over, within the number's length; letters choose play types.
        {"", "001", "123<@lt_tipo>4"},
        {"", "008", "<@lt_tipo>05"},
        {"", "", "<@lt_tipo>7"},
        // A set that names 99 as it names 0 writes the symbol 0 so; one that names 99
        // otherwise has it as a code of its own, last in the pick list, typed as 99 and never
        // the last code that Ctrl+End steps to.
        {"99 named as 0", "008", "99", kNothing, name99("Delfin")},
        {"99 named as 0", "008", "<c-end> ", kNothing, name99("Delfin")},
        {"99 of its own", "008", "99", kNothing, name99("Ballena")},
        {"99 of its own", "008", "<c-end> ", kNothing, name99("Ballena")},
        // Lotteries of another kind untick the others and drop the texts.
        {"ticks", "", "", kNothing, ticks({"+001", "+002"})},
        {"another kind", "", "", kNothing, ticks({"+001", "+008"})},
        {"ticks", "", "", kNothing, ticks({"+008", "+009"})},
        {"ticks", "", "", kNothing, ticks({"+008", "-008"})},
        {"its stamor is 2, not 1", "", "", kNothing, ticks({"+007"})},
        {"the 32nd is refused", "", "", more_triples, ticks(triples)},
        // The amount shows the minimum selected, and the keys replace it. Space opens the
        // presets, Enter picks one (and presses nothing), Esc closes them.
        {"whole units: no point, no leading 0, the maximum", "001", "1<@tx_mont>0.10005", limits("100000000")},
        {"", "001", "1<@tx_mont>0.012", limits("20000000")},
        {"", "001", "1<@tx_mont>035", limits("50000000")},
        {"", "001", "1<@tx_mont>3.05", limits("20000000")},
        {"", "001", "1<@tx_mont>0005", limits("1000000", "100000000")},
        {"", "001", "1<@tx_mont>05<bs>", limits("20000000")},
        {"", "001", "1<@tx_mont>05<bs><bs>", limits("20000000")},
        {"", "001", "1<@tx_mont>5.<bs>", limits("20000000")},
        {"Down does nothing, Up goes back to the number", "001", "1<@tx_mont>5<down><up>", limits("100000000")},
        {"", "001", "1<@tx_mont> <down><down><enter>", limits("100000000")},
        {"", "001", "1<@tx_mont>7 <down><esc>", limits("100000000")},
        {"", "001", "1<@tx_mont>7 <down> ", limits("100000000")},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(QString("%1 %2").arg(c.lots, c.keys).toStdString());
        SaleRig r;
        c.before(r);
        ASSERT_TRUE(r.open());
        c.after(r);
        if (*c.lots)
            r.lots(c.lots);
        r.report();
        if (!c.keys.isEmpty())
            r.enter(c.keys);
        transcript << QString("== %1 %2 %3").arg(c.lots, c.keys, c.name).trimmed() << r.report() << r.entry();
    }
    expect_golden(transcript, "sale/entry.txt");
}

// Play-type letters typed where the focus is, one step after the other: the calls (the
// list's reloads with their modes, the follow-ups), the dialogs shown with the play type
// ticked meanwhile, the ticks and the focus; every dispatch empties the number field. "#n"
// ticks play type n with the mouse.
TEST(Entry, PlayTypeLettersAndListModes)
{
    const char* none = nullptr;  // no play on the ticket; else a play and the keys typed in the dialog
    const struct {
        const char* name;
        const char* lots;
        const char* keys;
        QStringList steps;
        bool lost = false;  // the connection
    } cases[] = {
        {"not a letter, N", "001", none, {"[n"}},
        {"T without plays, P", "001", none, {"tP"}},
        {"Z zodiac", "004", none, {"z"}},
        {"Z cacho", "005", none, {"Z"}},
        {"T", "001", " <enter>", {"t"}},
        {"R cancelled", "001", "<esc>", {"r"}},
        {"E", "001", " <enter>", {"e"}},  // Space ticks "Todas"
        {"D after mode A", "", "75<enter><enter>", {"a", "d"}},  // a ticket of the demo's history
        {"K, L", "001", none, {"k", "l"}},
        // The value asked for is the base mode's: never the last value multiplied again.
        {"extras without connection", "001", none, {"i", "c", "s"}, true},
        // The extra S finds nothing; LA GRANJITA is the extra d's, which only the mouse ticks.
        {"modes, order and extras", "", none,
         {"a", "a", "i", "j", "c", "C", "o", "q", "#13", "#14", "l", "#16", " <@tx_nume>l", "O"}},
    };
    sale_cases("play_types.txt", cases, [](SaleRig& r, const auto& c, QStringList& transcript) {
        r.t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES,d - DIA";
        r.model().outlet.lots_off = {"SEL", "TML", "LAT"};
        r.model().lotteries[8].extra = 'd';
        ASSERT_TRUE(r.open());
        r.lots(c.lots);
        if (c.keys)
            r.enter("123<enter>1<enter>"), r.dialog_keys = c.keys;
        r.t->flg_nocox = c.lost;
        r.w->tx_nume->setFocus();
        r.report();
        for (const QString& step : c.steps) {
            r.w->tx_nume->setEditText("12");
            if (step.startsWith('#'))
                r.w->lt_tipo_MouseDown(), r.w->lt_tipo->item(step.mid(1).toInt())->setCheckState(Qt::Checked);
            else
                type_keys(step);
            transcript << "> " + step << r.report()
                       << QString("list %1 | mod %2 | tip %3").arg(r.listed().join(' ')).arg(r.tik().mod_lot).arg(r.tik().tip_jug);
            EXPECT_FALSE(r.tik().flg_ext);
        }
    });
}

// The warnings on entering the number field, once each: a message box taking the focus
// away and giving it back is no new entry.
TEST(Entry, WarningsOnEntering)
{
    const QString many = "Ticket contiene demasiadas jugadas. Si se hacen más jugadas el ticket se anulará." + blanks(10);
    const QString full = "Total del ticket ya llegó al límite de venta máxima. No se pueden hacer más jugadas." + blanks(10);
    for (const int lines : {500, 501}) {
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.tick("001");
        r.tik().can_lin = lines;
        r.tik().tot_tik = 1e12;  // vta_max
        r.dlg().on_box = [&r](const fake::Box&) {
            QDialog box;
            box.show();
            QApplication::setActiveWindow(&box);
            box.hide();
            QApplication::setActiveWindow(r.w);
        };
        r.w->tx_nume->setFocus();
        EXPECT_EQ(r.dlg().texts(), lines > 500 ? QStringList({many, full}) : QStringList({full}));
        EXPECT_EQ(r.focus(), "tx_nume");
    }
}

// A storm of random keys, wherever the focus goes: nothing breaks, a plain number never
// outgrows its lotteries', and the number field leaves one play type ticked.
TEST(Entry, KeyStorm)
{
    QStringList keys = QString("01234567890123456789*----nplkoaijscqzdtre  ").split("");
    keys << "<bs>" << "<tab>" << "<down>" << "<up>" << "<left>" << "<del>" << "<enter>" << "<c-home>" << "<c-end>"
         << "<c-up>" << "<c-down>";
    keys.removeAll("");
    SaleRig r;
    ASSERT_TRUE(r.open());
    std::mt19937 rnd(20240611);
    for (int i = 0; i < 3000; ++i) {
        type_keys(keys[int(rnd() % keys.size())]);
        ASSERT_TRUE(r.w);
        ASSERT_LE(r.number().size(), r.tik().lin_sim > 0 ? 20 : std::max(r.tik().max_num, 1)) << i;
    }
    r.w->lt_tipo->setFocus();
    r.w->tx_nume->setFocus();
    const QList<int> ticks = ticked(r.w->lt_tipo);
    EXPECT_EQ(std::count_if(ticks.begin(), ticks.end(), [](int i) { return i <= 9; }), 1);
}

// On every lottery the amount field is held to the limits by which Procesar judges an
// amount (mon_range of the entry's limit kind): entered with more, or typed past the
// maximum, it stops at it.
TEST(Entry, LimitsAgreeOnEveryLottery)
{
    SaleRig r;
    ASSERT_TRUE(r.open());
    const QStringList lots = r.listed() << "-001";  // and a triple with a negative codrul
    for (QString code : lots) {
        SCOPED_TRACE(code.toStdString());
        if (code.startsWith('-'))
            r.tik().tab_lot[r.row(code.remove(0, 1))].codrul = -1;
        r.tick(code);
        r.w->tx_mont->setEditText("9999");
        r.enter("<@tx_mont>");
        const QString max = r.tik().tab_lot[r.row(code)].codrul >= 1 ? "500" : "1.000";
        EXPECT_EQ(r.w->tx_mont->currentText(), max);
        type_keys(QString(max).remove('.') + "0");
        EXPECT_EQ(r.w->tx_mont->currentText(), max);
        const MonCtx m = r.t->mon();
        EXPECT_TRUE(mon_range(m, mon_parse(m, max), r.tik().lim_kind()));
        EXPECT_FALSE(mon_range(m, mon_parse(m, max + "1"), r.tik().lim_kind()));
        r.tick(code, false);
    }
    // An item of the list without its lottery (a table shorter than the list) takes no tick.
    r.tik().tab_lot.removeLast();
    r.tick(r.listed().last());
    r.enter("<@tx_mont>");
    EXPECT_TRUE(r.listed(true).isEmpty());
}

// The pick list, opened with Space: several codes a play take up to three ticks, in list
// order, a fourth refused whichever item is current; one code a play takes the item
// clicked or ticked. Typed characters are ignored, and pasted ones are never taken.
TEST(Entry, PickList)
{
    SaleRig r;
    ASSERT_TRUE(r.open());
    r.tick("011");
    r.enter(" ");
    QTreeWidget* lx = r.w->lx_nume;
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

    SaleRig one;
    ASSERT_TRUE(one.open());
    one.tick("008");
    one.enter(" ");
    EXPECT_EQ(one.number(), "0-Delfin");  // nothing typed: the first item
    one.w->tx_nume_DropDown();           // again: closed
    EXPECT_EQ(one.focus(), "tx_nume");
    type_keys("05 ");                    // the codes typed are ticked
    EXPECT_EQ(one.texts(one.w->lx_nume->model(), true), QStringList({"05-Leon"}));
    QTreeWidgetItem* item = one.w->lx_nume->topLevelItem(4);
    QTest::mouseClick(one.w->lx_nume->viewport(), Qt::LeftButton, {}, one.w->lx_nume->visualItemRect(item).center());
    EXPECT_EQ(one.texts(one.w->lx_nume->model(), true), QStringList({"03-Ciempies"}));
    EXPECT_EQ(one.number() + one.focus(), "03-Ciempieslx_nume");
    type_keys(" ");
    EXPECT_EQ(one.number() + one.focus(), "03-Ciempiestx_nume");

    // Text that does not come from a key never gets into either field, and neither the wheel
    // nor PageDown nor Ctrl+Down step a typed amount through the presets.
    type_keys("<@tx_mont>7");
    for (QComboBox* field : {one.w->tx_nume, one.w->tx_mont}) {
        const QString before = field->currentText();
        paste(field, "1234567", "1234567");
        EXPECT_EQ(field->currentText(), before);
    }
    QTest::keyClick(one.w->tx_mont, Qt::Key_PageDown);
    QTest::keyClick(one.w->tx_mont, Qt::Key_Down, Qt::ControlModifier);
    QWheelEvent wheel({5, 5}, one.w->tx_mont->mapToGlobal(QPoint(5, 5)), {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(one.w->tx_mont, &wheel);
    EXPECT_EQ(one.w->tx_mont->currentText(), "7");
}

} // namespace
