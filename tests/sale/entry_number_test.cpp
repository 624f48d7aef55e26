// Play entry from the keyboard: the play-type letters, the number field's keys in each
// lottery's number format, its focus handlers and what the lists hand over to it.
#include "tests/sale/entry_fixture.h"

#include <QClipboard>
#include <QInputMethodEvent>
#include <random>

namespace {

using Tweak = std::function<void(RegLot&)>;
const Tweak kSame;
const Tweak kNoRepeat = [](RegLot& l) { l.stastd = l.stastt = 0; };
const Tweak kSet2 = [](RegLot& l) { l.codsim = 2; };

// Keys typed into the number field after ticking one lottery (by its code), the focus
// given to other controls among them: the text, whether it is all selected (else the caret
// stands at its end), and where the focus is.
TEST(EntryNumber, KeysAndFocusInEveryNumberFormat)
{
    const struct {
        const char* lot;
        Tweak tweak;
        QString keys, text;
        bool all = false;
        QString focus = "tx_nume";
    } cases[] = {
        {"001", kSame, "12-\b34", "123"},  // triple: 3 characters, "-" too
        {"004", kSame, "*1234", "*12"},      // zodiac
        {"005", kSame, "12*4 ", "12*"},      // cacho; Space opens nothing
        {"006", kSame, "123456", "1234"},    // doblete: 4
        {"007", kSame, "1234567", "123456"}, // tripleta: 6
        {"001", kSame, "\5", "", false, "tx_nume"},
        {"001", kSame, "1\5", "1", false, "tx_mont"},
        {"001", kSame, "12*\021", "12*", false, "tx_mont"},
        {"008", kSame, "057*\16\177", "05-Leon"},  // animals: one code a play
        {"008", kSame, "0-", "0-Delfin"},
        {"008", kSame, "05\b5\b", ""},
        {"008", kSame, "\2\4", "06-Rana", true},  // Ctrl+End, then nothing below
        {"008", kSame, "\1\3", "0-Delfin", true},    // Ctrl+Home, nothing above
        {"008", kSame, "\4\4\4\3", "00-Ballena", true},
        {"008", kSet2, "993", "0-Delfin"},  // 99 named as 0 is the 0
        {"008", kSame, "0\021", "0-Delfin", false, "tx_mont"},
        {"008", kSame, "05\021", "05-Leon", false, "tx_mont"},
        {"008", kSame, "5\021", "_", false, "tx_mont"},
        {"008", kSame, "5\022", "", false, "lt_tipo"},  // "_", emptied by the list
        {"008", kSame, "5\023", ""},                     // back from the ticket total and
        {"008", kSame, "5\024", ""},                     // the empty play list
        {"011", kSame, "0102030", "01-Car 02-Tor 03-Cie"},  // several codes a play
        {"011", kSame, "010203\b", "01-Car 02-Tor "},
        {"011", kSame, "0-01", "0-Delf 01-Car "},
        {"011", kNoRepeat, "01012", "01-Car 01"},
        {"011", kNoRepeat, "0101\b", "01-Car "},
        {"011", [](RegLot& l) { l.stastd = 0; }, "0101\021", "_", false, "tx_mont"},
        {"011", kSame, "0101\021", "01-Car 01-Car ", false, "tx_mont"},
        // The lists hand digits over, within the number's length; letters choose play types.
        {"001", kSame, "\0227", "7"},
        {"001", kSame, "123\0224", "123"},
        {"008", kSame, "\02205", "05-Leon"},
        {"001", kSame, "12\022n", ""},
        {"", kSame, "\0227", "", false, "lt_tipo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.lot + QString(" ") + c.keys.toHtmlEscaped()).toStdString());
        EntryRig r;
        if (c.tweak)
            c.tweak(r.e->tik_cur.tab_lot[r.row(c.lot)]);
        r.enter(c.lot, c.keys);
        EXPECT_EQ(r.number(), c.text);
        EXPECT_EQ(r.focus(), c.focus);
        const QLineEdit* edit = r.e->tx_nume->lineEdit();
        EXPECT_EQ(edit->selectedText(), c.all ? c.text : "");
        if (!c.all && c.focus == "tx_nume") {
            EXPECT_EQ(edit->cursorPosition(), c.text.size());
        }
    }
}

// Each play-type letter typed into the number field: the play types ticked afterwards,
// the list reloads, the dialog shown (with the play type ticked while it is open), the
// follow-ups run, and where the focus went.
TEST(EntryNumber, PlayTypeLetters)
{
    using Arrange = std::function<void(EntryRig&)>;
    const auto lots = [](QStringList codes, bool line = false, QString answer = "") -> Arrange {
        return [=](EntryRig& r) {
            for (const QString& code : codes)
                r.tick(code);
            if (line)
                r.put_play("TCA", "123", 1);
            r.answer = answer;
        };
    };
    const struct {
        const char* name;
        Arrange arrange;
        QString keys;
        QList<int> ticks;
        QStringList reloads, shown, calls;
        QString focus;
    } cases[] = {
        {"N", lots({"001"}), "n", {0}, {}, {}, {}, "tx_nume"},
        {"P", lots({"001"}), "P", {1}, {}, {}, {}, "tx_nume"},
        {"P refused: no permutations", lots({"008"}), "p", {0}, {}, {}, {}, "tx_nume"},
        {"Z zodiac", lots({"004"}), "z", {0}, {}, {"signos:2"}, {}, "tx_nume"},
        {"Z cacho", lots({"005"}), "Z", {0}, {}, {"signos2:2"}, {}, "tx_nume"},
        {"T without lines", lots({"001"}), "t", {0}, {}, {}, {}, "tx_nume"},
        {"T", lots({"001"}, true, "1"), "t", {0}, {}, {"tertik:3"}, {"add_ter"}, "tx_nume"},
        {"R cancelled", lots({"001"}, true), "r", {0}, {}, {"reptik:5"}, {}, "tx_nume"},
        {"E", lots({"001"}, true, "1"), "e", {0}, {}, {"bortik:6"}, {"bor_jug"}, "tx_nume"},
        {"D after mode A", [](EntryRig& r) { r.e->sel_tip(10, 0, 0), r.answer = "1"; }, "d", {0}, {"1", "0"},
         {"duptik:4"}, {"add_dup"}, "lt_lote"},
        {"K", lots({"001"}), "k", {0}, {}, {"contix:8"}, {}, "tx_nume"},
        {"L", lots({"001"}), "l", {7}, {}, {}, {}, "lt_lote"},
        {"O", lots({"001"}), "o", {0}, {"0"}, {}, {}, "lt_lote"},
        {"A, I, J", lots({"001"}), "aij", {0, 12}, {"1", "2", "3"}, {}, {}, "lt_lote"},
        {"extra C, then off, no extra Q", lots({"001"}), "ccq", {7}, {"67", "0", "0"}, {}, {}, "lt_lote"},
        {"extra S, none left: back", lots({"001"}), "s", {7}, {"83", "0"}, {}, {}, "lt_lote"},
        {"not a letter", lots({"001"}), "[", {0}, {}, {}, {}, "tx_nume"},
        // The value asked for is the base mode's: never the last value multiplied again.
        {"extras without connection", [](EntryRig& r) { r.tick("001"), r.e->sel_tip(11, 0, 0), r.t->flg_nocox = 1; },
         "cs", {7, 11, 13}, {"2", "267", "283"}, {}, {}, "lt_lote"},
        // An extra without a letter, ticked with the mouse, is only unticked.
        {"empty extra",
         [](EntryRig& r) {
             r.e->lt_tipo_MouseDown();
             r.e->lt_tipo->item(14)->setCheckState(Qt::Checked);
         },
         "", {7}, {}, {}, {}, "lt_lote"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EntryRig r([](EntryRig& r) { r.t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES"; });
        r.model().outlet.lots_off = {"SEL"};  // extra S finds nothing open
        r.t.srv->log.clear();
        c.arrange(r);
        r.e->tx_nume->setFocus();
        type_keys(c.keys);
        EXPECT_EQ(r.ticked(r.e->lt_tipo), c.ticks);
        EXPECT_EQ(r.reloads(), c.reloads);
        EXPECT_EQ(r.shown, c.shown);
        EXPECT_EQ(r.e->calls, c.calls);
        EXPECT_EQ(r.focus(), c.focus);
        EXPECT_EQ(r.e->tik_cur.tip_jug, c.keys == "P" ? "P" : "N");
        EXPECT_FALSE(r.e->tik_cur.flg_ext);
        EXPECT_EQ(r.number(), "");
    }
}

// The warnings on entering the number field, once each: a message box taking the focus
// away and giving it back is no new entry.
TEST(EntryNumber, WarningsOnEntering)
{
    const QString many = "Ticket contiene demasiadas jugadas. Si se hacen más jugadas el ticket se anulará." + blanks(10);
    const QString full = "Total del ticket ya llegó al límite de venta máxima. No se pueden hacer más jugadas." + blanks(10);
    for (const int lines : {500, 501}) {
        EntryRig r;
        r.tick("001");
        r.e->tik_cur.can_lin = lines;
        r.e->tx_mtik->setText("10.000");  // vta_max
        r.dlg().on_box = [&r](const fake::Box&) {
            QDialog box;
            box.show();
            QApplication::setActiveWindow(&box);
            box.hide();
            QApplication::setActiveWindow(r.e);
        };
        r.e->tx_nume->setFocus();
        EXPECT_EQ(r.dlg().texts(), lines > 500 ? QStringList({many, full}) : QStringList({full}));
        EXPECT_EQ(r.focus(), "tx_nume");
        EXPECT_EQ(r.e->tx_nume->palette().color(QPalette::Base), QColor(255, 224, 192));
    }
}

// The pick list in place of the field's list, with the typed codes ticked; text that does
// not come from a key never gets in.
TEST(EntryNumber, PickListAndPaste)
{
    EntryRig r;
    for (const char* item : {"0-Delfin", "05-Leon", "06-Rana"})
        (new QTreeWidgetItem(r.e->lx_nume, {item}))->setCheckState(0, Qt::Unchecked);
    r.enter("008", "05 ");
    EXPECT_EQ(r.focus(), "lx_nume");
    EXPECT_EQ(r.e->lx_nume->topLevelItem(1)->checkState(0), Qt::Checked);
    EXPECT_EQ(r.e->lx_nume->currentItem()->text(0), "05-Leon");
    r.e->tx_nume_DropDown();  // again: closed
    EXPECT_FALSE(r.e->lx_nume->isVisible());
    EXPECT_EQ(r.focus(), "tx_nume");

    QGuiApplication::clipboard()->setText("1234567");
    QTest::keyClick(r.e->tx_nume, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(r.e->tx_nume, Qt::Key_Insert, Qt::ShiftModifier);
    QInputMethodEvent im;
    im.setCommitString("1234567");
    QApplication::sendEvent(r.e->tx_nume, &im);
    EXPECT_EQ(r.number(), "05-Leon");
}

// A storm of random keys, wherever the focus goes: nothing breaks, a plain number never
// outgrows its lotteries', and the number field leaves one play type ticked.
TEST(EntryNumber, KeyStorm)
{
    const QString keys = "01234567890123456789*----" "nplkoaijscqzdtre" "\b\t\5\6\16\177\1\2\3\4  \n";
    EntryRig r;
    std::mt19937 rnd(20240611);
    for (int i = 0; i < 3000; ++i) {
        type_keys(QString(keys[int(rnd() % keys.size())]));
        ASSERT_TRUE(r.w);
        const TikCur& t = r.e->tik_cur;
        ASSERT_LE(r.number().size(), t.lin_sim > 0 ? 20 : std::max(t.max_num, 1)) << i;
    }
    r.e->lt_tipo->setFocus();
    r.e->tx_nume->setFocus();
    const QList<int> ticks = r.ticked(r.e->lt_tipo);
    EXPECT_EQ(std::count_if(ticks.begin(), ticks.end(), [](int i) { return i <= 9; }), 1);
}

} // namespace
