// Play entry from the keyboard: the number field's keys in each lottery's number format
// and its focus handlers, what the lists hand over to it, the play-type letters and the
// lottery list's modes (a transcript), the lottery ticks, the amount field and its limits,
// the code pick list.
#include "tests/doubles/untyped.h"
#include "tests/sale/sale_fixture.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <QStyleOptionComboBox>
#include <QWheelEvent>
#include <random>

namespace {

const QString kNoValido = "Número no es válido." + blanks(10);

// Where a click on an editable field's arrow lands.
QPoint arrow_of(QComboBox* box)
{
    QStyleOptionComboBox opt;
    opt.initFrom(box);
    opt.editable = true;
    return box->style()->subControlRect(QStyle::CC_ComboBox, &opt, QStyle::SC_ComboBoxArrow, box).center();
}

// Keys typed into the number field after ticking one lottery (by its code), the focus
// given to other controls among them: the text, whether it is all selected (else the caret
// stands at its end), where the focus is and the message.
TEST(Entry, NumberKeysAndFocusInEveryNumberFormat)
{
    const struct {
        const char* lot;
        std::function<void(RegLot&)> tweak;
        QString keys, text;
        bool all = false;
        QString focus = "tx_nume", box = "";
    } cases[] = {
        {"001", {}, "12-<bs>34", "123"},      // triple: 3 characters, "-" too
        {"004", {}, "*1234", "*12"},          // zodiac
        {"005", {}, "12*4 ", "12*"},          // cacho; Space opens nothing
        {"006", {}, "123456", "1234"},        // doblete: 4
        {"007", {}, "1234567", "123456"},     // tripleta: 6
        {"001", {}, "<down>1<down>", "1", false, "tx_mont"},  // Down: on to the amount, once typed
        {"008", {}, "057*<left><del>", "05-Leon"},             // animals: one code a play
        {"008", {}, "0-", "0-Delfin"},
        {"008", {}, "05<bs>5<bs>", ""},
        {"008", {}, "07<bs>", "0"},  // a code without a name: Backspace takes one digit
        {"008", {}, "<c-end><c-down>", "06-Rana", true},  // the last code, nothing below
        {"008", {}, "<c-home><c-up>", "0-Delfin", true},  // the first, nothing above
        {"008", {}, "<c-down><c-down><c-down><c-up>", "00-Ballena", true},
        {"008", [](RegLot& l) { l.codsim = 2; }, "993", "0-Delfin"},  // 99 named as 0 is the 0
        {"008", {}, "0<@tx_mont>", "0-Delfin", false, "tx_mont"},
        {"008", {}, "5<@tx_mont>", "", false, "tx_nume", kNoValido},  // "_" refused
        {"008", {}, "5<@lt_tipo>", "", false, "lt_tipo"},             // "_", emptied by the list
        {"008", {}, "5<@lt_nume>", ""},                                // back from the empty play list
        {"008", {}, "5<@tx_mtik>", ""},                                // and from the read-only fields
        {"011", {}, "0102030", "01-Car 02-Tor 03-Cie"},               // several codes a play
        {"011", {}, "010203<bs>", "01-Car 02-Tor "},  // Backspace takes the last group
        {"011", {}, "07<bs>", ""},
        {"011", {}, "01<bs>", ""},
        {"011", {}, "0102<bs>", "01-Car "},
        {"011", {}, "01020<bs>", "01-Car 02-Tor "},
        {"011", {}, "0-01", "0-Delf 01-Car "},
        {"011", [](RegLot& l) { l.stastd = l.stastt = 0; }, "01012", "01-Car 01"},
        {"011", [](RegLot& l) { l.stastd = l.stastt = 0; }, "0101<bs>", "01-Car "},
        {"011", [](RegLot& l) { l.stastd = 0; }, "0101<@lt_tipo>", "", false, "lt_tipo"},
        {"011", {}, "0101<@tx_mont>", "01-Car 01-Car ", false, "tx_mont"},
        // The lists hand digits over, within the number's length; letters choose play types.
        {"001", {}, "123<@lt_tipo>4", "123"},
        {"008", {}, "<@lt_tipo>05", "05-Leon"},
        {"", {}, "<@lt_tipo>7", "", false, "lt_tipo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.lot + QString(" ") + c.keys).toStdString());
        SaleRig r;
        ASSERT_TRUE(r.open());
        if (*c.lot) {
            if (c.tweak)
                c.tweak(r.tik().tab_lot[r.row(c.lot)]);
            r.tick(c.lot);
        }
        r.enter(c.keys);
        EXPECT_EQ(r.number(), c.text);
        EXPECT_EQ(r.focus(), c.focus);
        EXPECT_EQ(r.dlg().texts().join(""), c.box);
        const QLineEdit* edit = r.w->tx_nume->lineEdit();
        EXPECT_EQ(edit->selectedText(), c.all ? c.text : "");
        if (!c.all && c.focus == "tx_nume") {
            EXPECT_EQ(edit->cursorPosition(), c.text.size());
        }
    }
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
        // The value asked for (the mode shown, no call being made while the connection counts
        // as lost) is the base mode's: never the last value multiplied again.
        {"extras without connection", "001", none, {"i", "c", "s"}, true},
        // The extra S finds nothing; LA GRANJITA is the extra d's, which only the mouse ticks.
        {"modes, order and extras", "", none,
         {"a", "a", "i", "j", "c", "C", "o", "q", "#13", "#14", "l", "#16", " <@tx_nume>l", "O"}},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        r.t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES,d - DIA";
        r.model().outlet.lots_off = {"SEL", "TML", "LAT"};
        r.model().lotteries[8].extra = 'd';
        ASSERT_TRUE(r.open());
        r.lots(c.lots);
        if (c.keys)
            r.enter("123<enter>1<enter>"), r.dialog_keys = c.keys;
        r.t->flg_nocox = c.lost;
        r.w->tx_nume->setFocus();
        transcript << QString("== ") + c.name;
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
    }
    SaleRig::expect_transcript(transcript, "play_types.txt");
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
    const QList<int> ticks = r.ticked(r.w->lt_tipo);
    EXPECT_EQ(std::count_if(ticks.begin(), ticks.end(), [](int i) { return i <= 9; }), 1);
}

// The amount's own list opening and closing takes the focus away and gives it back: that is
// no leaving and no entering of the field, so a typed amount is neither brought within the
// limits nor selected, by Space and Esc or by the mouse on its arrow.
TEST(Entry, TheAmountsListIsNoLeavingOfTheField)
{
    for (const bool mouse : {false, true}) {
        SCOPED_TRACE(mouse ? "mouse" : "keys");
        SaleRig r;
        r.model().set_param("JUGADA_MIN", "200000000");  // 2: the 1 typed is below it
        ASSERT_TRUE(r.open());
        r.tick("001");
        r.enter("1<@tx_mont>1");
        QComboBox* box = r.w->tx_mont;
        ASSERT_EQ(box->currentText(), "1");
        if (mouse)
            QTest::mouseClick(box, Qt::LeftButton, {}, arrow_of(box));
        else
            type_keys(" ");
        ASSERT_TRUE(EntryBridge::dropped(box));
        EXPECT_EQ(box->currentText() + "|" + box->lineEdit()->selectedText(), "1|");
        type_keys("<esc>");
        EXPECT_FALSE(EntryBridge::dropped(box));
        EXPECT_EQ(box->currentText() + "|" + box->lineEdit()->selectedText(), "1|");
        EXPECT_EQ(r.focus(), "tx_mont");
        type_keys("5");  // typed on at the end of the amount
        EXPECT_EQ(box->currentText(), "15");
    }
}

// Text that does not come by a typed key reaches none of the sale window's handlers: a
// paste or undo key in either entry field is no KeyDown, and a middle click on the number
// field's arrow opens no list (a left click does). The fields keep their text.
TEST(Entry, UntypedTextReachesNoHandler)
{
    SaleRig r;
    ASSERT_TRUE(r.open());
    r.tick("008");  // symbol codes: the number field's DropDown opens the pick list
    r.enter("05");
    r.w->tx_mont->setEditText("7");
    auto* bridge = r.w->findChild<EntryBridge*>();
    ASSERT_TRUE(bridge);
    QStringList ran;  // the handlers that ran, each still doing its own work
    for (QComboBox* field : {r.w->tx_nume, r.w->tx_mont}) {
        CtlEvents& ev = bridge->attach(field);
        const QString name = field->objectName();
        ev.key_down = [&ran, name, down = ev.key_down](int k, int s) {
            ran << QString("%1 KeyDown %2 %3").arg(name).arg(k).arg(s);
            return down(k, s);
        };
        if (ev.drop_down)
            ev.drop_down = [&ran, name, drop = ev.drop_down] {
                ran << name + " DropDown";
                drop();
            };
    }
    std::vector<untyped::Way> ways = untyped::ways();
    ways.push_back({"middle button on the arrow", [](QWidget* f, const QString&) {
                        auto* box = qobject_cast<QComboBox*>(f);
                        QTest::mouseClick(box, Qt::MiddleButton, {}, arrow_of(box));
                    }});
    for (QComboBox* field : {r.w->tx_nume, r.w->tx_mont})
        for (const auto& way : ways) {
            SCOPED_TRACE(field->objectName().toStdString() + ", " + way.name);
            field->setFocus();
            const QString before = field->currentText();
            way.put(field, "1234567");
            EXPECT_EQ(field->currentText(), before);
            EXPECT_EQ(ran, QStringList());
            EXPECT_FALSE(r.w->lx_nume->isVisible());
            EXPECT_FALSE(EntryBridge::dropped(field));
            ran.clear();
        }
    r.w->tx_nume->setFocus();
    QTest::mouseClick(r.w->tx_nume, Qt::LeftButton, {}, arrow_of(r.w->tx_nume));
    EXPECT_EQ(ran, QStringList("tx_nume DropDown"));
    EXPECT_TRUE(r.w->lx_nume->isVisible());
}

// Ticks ("+code", "-code") of the lottery list, with the number "12" and the amount "5"
// typed before the last: the lotteries left ticked, the number's length, the limit chosen,
// whether the texts stay, the pick list and the amount presets.
TEST(Entry, LotteryTicks)
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
        SaleRig r;
        for (int i = 100; i < 129; ++i)
            r.model().lotteries << r.model().lotteries[0], r.model().lotteries.last().codint = QString::number(i);
        ASSERT_TRUE(r.open());
        r.tik().tab_lot[r.row("007")].stamor = 2;
        for (const QString& tick : c.ticks) {
            if (&tick == &c.ticks.last())
                r.w->tx_nume->setEditText("12"), r.w->tx_mont->setEditText("5");
            r.tick(tick.mid(1), tick[0] == '+');
        }
        QStringList ticked = r.listed(true);
        ticked.sort();
        EXPECT_EQ(ticked, c.ticked);
        EXPECT_EQ(r.tik().max_num, c.max_num);
        EXPECT_EQ(r.tik().sel_lim, c.sel_lim);
        EXPECT_EQ(r.number() + r.w->tx_mont->currentText(), c.kept ? "125" : "");
        EXPECT_EQ(r.texts(r.w->lx_nume->model()), c.picks);
        EXPECT_EQ(r.texts(r.w->tx_mont->model()), c.presets);
    }
}

// Keys typed into the amount field, entered on a triple with the limits of number plays
// given (stored units): it shows the minimum selected, and the keys replace it. Space
// opens the presets, Enter picks one (and presses nothing), Esc closes them.
TEST(Entry, AmountKeys)
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
        {"20000000", max, "05<bs>", "0."},
        {"20000000", max, "05<bs><bs>", ""},
        {"20000000", max, "5.<bs>", "5"},
        {"100000000", max, "5<down><up>", "5", "tx_nume"},  // Down does nothing, Up goes back to the number
        {"100000000", max, " <down><down><enter>", "5"},
        {"100000000", max, "7 <down><esc>", "7"},
        {"100000000", max, "7 <down> ", "7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.min + " " + c.keys).toStdString());
        SaleRig r;
        r.model().set_param("JUGADA_MIN", c.min), r.model().set_param("JUGADA_MAX", c.max);
        ASSERT_TRUE(r.open());
        r.tick("001");
        r.enter("1<@tx_mont>" + c.keys);
        EXPECT_EQ(r.w->tx_mont->currentText(), c.text);
        EXPECT_EQ(r.focus(), c.focus);
        EXPECT_FALSE(EntryBridge::dropped(r.w->tx_mont));
        EXPECT_EQ(r.procs().count("protkx") + r.procs().count("valtkx") + r.dlg().boxes.size(), 0);
        if (!c.presets.isEmpty()) {
            EXPECT_EQ(r.texts(r.w->tx_mont->model()), c.presets);
        }
    }

    // Neither the wheel nor PageDown nor Ctrl+Down step a typed amount through the presets.
    SaleRig r;
    ASSERT_TRUE(r.open());
    r.tick("001");
    r.enter("1<@tx_mont>7");
    QTest::keyClick(r.w->tx_mont, Qt::Key_PageDown);
    QTest::keyClick(r.w->tx_mont, Qt::Key_Down, Qt::ControlModifier);
    QWheelEvent wheel({5, 5}, r.w->tx_mont->mapToGlobal(QPoint(5, 5)), {}, {0, -120}, {}, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(r.w->tx_mont, &wheel);
    EXPECT_EQ(r.w->tx_mont->currentText(), "7");
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

// A set that names 99 as it names 0 writes the symbol 0 so; one that names 99 otherwise has
// it as a code of its own, last in the pick list, typed as 99 and never the last code that
// Ctrl+End steps to.
TEST(Entry, NinetyNineOfItsOwnOrTheZero)
{
    const struct {
        const char* name99;
        QStringList picks;
        const char* typed99;
    } cases[] = {
        {"Delfin", {"0-Delfin", "05-Leon"}, "0-Delfin"},
        {"Ballena", {"0-Delfin", "05-Leon", "99-Ballena"}, "99-Ballena"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name99);
        SaleRig r;
        ASSERT_TRUE(r.open());
        TabSim& tab = r.t->tab_sim;
        for (qsizetype i = 0; i < tab.sim_num.size(); ++i)
            if (tab.sim_cod[i] == 2 && tab.sim_num[i] == "99")
                tab.sim_nom[i] = c.name99;
        r.tik().tab_lot[r.row("008")].codsim = 2;
        r.tick("008");
        EXPECT_EQ(r.texts(r.w->lx_nume->model()), c.picks);
        r.enter("99");
        EXPECT_EQ(r.number(), c.typed99);
        r.enter("<c-end> ");
        EXPECT_EQ(r.texts(r.w->lx_nume->model(), true), QStringList({"05-Leon"}));
    }
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

    // Text that does not come from a key never gets into either field.
    QGuiApplication::clipboard()->setText("1234567");
    QInputMethodEvent im;
    im.setCommitString("1234567");
    for (QComboBox* field : {one.w->tx_nume, one.w->tx_mont}) {
        const QString before = field->currentText();
        QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        QApplication::sendEvent(field, &im);
        EXPECT_EQ(field->currentText(), before);
    }
}

} // namespace
