// Play entry from the keyboard: the play-type letters, the number field's keys in each
// lottery's number format, its focus handlers and what the lists hand over to it.
#include "tests/sale/entry_fixture.h"

#include <random>

namespace {


// Keys typed into the number field after ticking one lottery (by its code), the focus
// given to other controls among them: the text, whether it is all selected (else the caret
// stands at its end), and where the focus is.
TEST(EntryNumber, KeysAndFocusInEveryNumberFormat)
{
    const struct {
        const char* lot;
        std::function<void(RegLot&)> tweak;
        QString keys, text;
        bool all = false;
        QString focus = "tx_nume", box = "";
    } cases[] = {
        {"001", {}, "12-\b34", "123"},  // triple: 3 characters, "-" too
        {"004", {}, "*1234", "*12"},      // zodiac
        {"005", {}, "12*4 ", "12*"},      // cacho; Space opens nothing
        {"006", {}, "123456", "1234"},    // doblete: 4
        {"007", {}, "1234567", "123456"}, // tripleta: 6
        {"001", {}, "\5" "1\5", "1", false, "tx_mont"},  // Down: on to the amount, once typed
        {"008", {}, "057*\16\177", "05-Leon"},  // animals: one code a play
        {"008", {}, "0-", "0-Delfin"},
        {"008", {}, "05\b5\b", ""},
        {"008", {}, "\2\4", "06-Rana", true},  // Ctrl+End, then nothing below
        {"008", {}, "\1\3", "0-Delfin", true},    // Ctrl+Home, nothing above
        {"008", {}, "\4\4\4\3", "00-Ballena", true},
        {"008", [](RegLot& l) { l.codsim = 2; }, "993", "0-Delfin"},  // 99 named as 0 is the 0
        {"008", {}, "0\021", "0-Delfin", false, "tx_mont"},
        {"008", {}, "5\021", "", false, "tx_nume", "Número no es válido." + blanks(10)},  // "_" refused
        {"008", {}, "5\022", "", false, "lt_tipo"},  // "_", emptied by the list
        {"008", {}, "5\024", ""},                     // back from the empty play list
        {"011", {}, "0102030", "01-Car 02-Tor 03-Cie"},  // several codes a play
        {"011", {}, "010203\b", "01-Car 02-Tor "},
        {"011", {}, "0-01", "0-Delf 01-Car "},
        {"011", [](RegLot& l) { l.stastd = l.stastt = 0; }, "01012", "01-Car 01"},
        {"011", [](RegLot& l) { l.stastd = l.stastt = 0; }, "0101\b", "01-Car "},
        {"011", [](RegLot& l) { l.stastd = 0; }, "0101\022", "", false, "lt_tipo"},
        {"011", {}, "0101\021", "01-Car 01-Car ", false, "tx_mont"},
        // The lists hand digits over, within the number's length; letters choose play types.
        {"001", {}, "123\0224", "123"},
        {"008", {}, "\02205", "05-Leon"},
        {"", {}, "\0227", "", false, "lt_tipo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.lot + QString(" ") + c.keys.toHtmlEscaped()).toStdString());
        EntryRig r;
        if (c.tweak)
            c.tweak(r.e->tik_cur.tab_lot[r.row(c.lot)]);
        r.enter(c.lot, c.keys);
        EXPECT_EQ(r.number(), c.text);
        EXPECT_EQ(r.focus(), c.focus);
        EXPECT_EQ(r.dlg().texts().join(""), c.box);
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
    const char* none = nullptr;  // no play on the ticket; else a play and the dialogs' answer
    const struct {
        const char* name;
        QStringList lots;
        const char* answer;
        QString keys;
        QList<int> ticks;
        QStringList reloads, shown;
        QString focus;
        bool lost = false;  // the connection
        int mouse = -1;     // an item of the play types ticked with the mouse
    } cases[] = {
        {"not a letter, N", {"001"}, none, "[n", {0}, {}, {}, "tx_nume"},
        {"T without plays, P", {"001"}, none, "tP", {1}, {}, {}, "tx_nume"},
        {"Z zodiac", {"004"}, none, "z", {0}, {}, {"signos:2"}, "tx_nume"},
        {"Z cacho", {"005"}, none, "Z", {0}, {}, {"signos2:2"}, "tx_nume"},
        {"T", {"001"}, "1", "t", {0}, {}, {"tertik:3", "add_ter"}, "tx_nume"},
        {"R cancelled", {"001"}, "", "r", {0}, {}, {"reptik:5"}, "tx_nume"},
        {"E", {"001"}, "1", "e", {0}, {}, {"bortik:6", "bor_jug"}, "tx_nume"},
        {"D after mode A", {}, "1", "ad", {0}, {"1", "0"}, {"duptik:4", "add_dup"}, "lt_lote"},
        {"K, L", {"001"}, none, "kl", {7}, {}, {"contix:8"}, "lt_lote"},
        {"O, A, I, J", {"001"}, none, "oaij", {0, 12}, {"0", "1", "2", "3"}, {}, "lt_lote"},
        {"extra C, then off, no extra Q", {"001"}, none, "ccq", {7}, {"67", "0", "0"}, {}, "lt_lote"},
        // The value asked for is the base mode's: never the last value multiplied again.
        {"extras without connection", {"001"}, none, "ics", {7, 11}, {"2", "267", "267", "283", "283"}, {}, "lt_lote", true},
        // An extra without a letter, ticked with the mouse, is only unticked.
        {"empty extra", {}, none, "", {7}, {}, {}, "lt_lote", false, 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EntryRig r([](EntryRig& r) { r.t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES"; });
        r.model().outlet.lots_off = {"SEL"};  // extra S finds nothing open
        r.t.srv->log.clear();
        for (const QString& code : c.lots)
            r.tick(code);
        if (c.answer)
            r.put_play("TCA", "123", 1), r.answer = c.answer;
        r.t->flg_nocox = c.lost;
        if (c.mouse >= 0)
            r.e->lt_tipo_MouseDown(), r.e->lt_tipo->item(c.mouse)->setCheckState(Qt::Checked);
        r.e->tx_nume->setFocus();
        type_keys(c.keys);
        EXPECT_EQ(r.ticked(r.e->lt_tipo), c.ticks);
        QStringList reloads;
        for (const auto& call : r.t.srv->calls("dttlot"))
            reloads << args(call)[1];
        EXPECT_EQ(reloads, c.reloads);
        EXPECT_EQ(r.shown, c.shown);
        EXPECT_EQ(r.focus(), c.focus);
        EXPECT_EQ(r.e->tik_cur.tip_jug, c.keys.endsWith("P") ? "P" : "N");
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
    }
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
        ASSERT_LE(r.number().size(), r.e->tik_cur.lin_sim > 0 ? 20 : std::max(r.e->tik_cur.max_num, 1)) << i;
    }
    r.e->lt_tipo->setFocus();
    r.e->tx_nume->setFocus();
    const QList<int> ticks = r.ticked(r.e->lt_tipo);
    EXPECT_EQ(std::count_if(ticks.begin(), ticks.end(), [](int i) { return i <= 9; }), 1);
}

} // namespace
