// The lists of lotteries with check boxes: the rules they share (a table), and the repeat-
// plays and delete-plays dialogs opened with R and E from the sale window (transcripts).
#include "sale/dialogs/bortik.h"
#include "sale/dialogs/reptik.h"
#include "sale/entry/check_list.h"
#include "tests/sale/sale_fixture.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

// Steps on a list of 40 rows whose ItemCheck handler keeps the limit and the step, and
// what they leave: the rows ticked, the cursor row, and each run of the handler (row and
// + or -, nested runs included). Steps: "_" Space; "cN" a click on row N's check box;
// "tN", "uN" row N ticked or unticked by the program, "bN" ticked with the list's signals
// blocked; "rN" the cursor on row N ("r-": none); "T" rows 0 to 30 ticked by the program;
// "fill" the list emptied and filled again; "|" forgets the handler's runs so far.
TEST(CheckList, SharedRules)
{
    const struct {
        const char* name;
        QString steps;
        QString ticked, cursor, runs;
    } cases[] = {
        {"Space ticks the cursor row, the cursor steps down", "r0 _ _ _", "0 1 2", "3", "0+ 1+ 2+"},
        {"an untick steps down too", "r0 _ r0 _", "", "1", "0+ 0-"},
        {"on the last row the cursor stays", "r39 _", "39", "39", "39+"},
        {"no cursor row: Space ticks nothing", "r- _", "", "-", ""},
        {"a click ticks its row, the cursor steps from it", "r0 _ c5", "0 5", "6", "0+ 5+"},
        {"the program's tick runs the handler; no cursor row steps to the first", "r- t7", "7", "0", "7+"},
        {"a blocked tick runs nothing, but its untick runs the handler", "b2 u2", "", "0", "2-"},
        {"the 32nd tick undone without a message, the cursor one row down", "T | r35 _", "0-30", "36", "35+ 35-"},
        {"an untick makes room for one tick more", "T | r3 u30 c31 t32", "0-29 31", "33", "30- 31+ 32+ 32-"},
        {"a list filled again starts unticked", "t4 fill | t4", "4", "0", "4+"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QListWidget list;
        QStringList runs;
        CheckList* ticks = nullptr;
        const auto fill = [&] {
            list.clear();
            for (int row = 0; row < 40; ++row)
                ticks->add(QString("row %1").arg(row));
        };
        ticks = new CheckList(&list, [&](int row) {
            runs << QString::number(row) + (ticks->ticked(row) ? "+" : "-");
            if (ticks->refused(row))
                return;
            ticks->step_down(list.currentRow());
        });
        cursor_follows_press(&list);
        fill();
        list.resize(200, 2000);
        list.show();
        static const QRegularExpression step("fill|[_|T]|[cturb](-|\\d+)");
        for (auto it = step.globalMatch(c.steps); it.hasNext();) {
            const QString s = it.next().captured();
            const int row = s.mid(1) == "-" ? -1 : s.mid(1).toInt();
            if (s == "_")
                QTest::keyClick(&list, Qt::Key_Space);
            else if (s == "|")
                runs.clear();
            else if (s == "T")
                for (int r = 0; r <= 30; ++r)
                    ticks->set_ticked(r, true);
            else if (s == "fill")
                fill();
            else if (s[0] == 'c')
                QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, check_box(&list, row));
            else if (s[0] == 'r')
                list.setCurrentRow(row);
            else if (s[0] == 'b') {
                const QSignalBlocker quiet(&list);
                ticks->set_ticked(row, true);
            } else
                ticks->set_ticked(row, s[0] == 't');
        }
        QStringList on;
        for (int row = 0; row < list.count(); ++row)
            if (ticks->ticked(row))
                on << QString::number(row);
        QString shown = on.join(' ');
        shown.replace(QRegularExpression("^0 1 2 .* 30\\b"), "0-30").replace(QRegularExpression("^0 1 2 .* 29\\b"), "0-29");
        EXPECT_EQ(shown, c.ticked);
        EXPECT_EQ(list.currentRow() < 0 ? "-" : QString::number(list.currentRow()), c.cursor);
        EXPECT_EQ(runs.join(' '), c.runs);
    }
}

// A step in a dialog with a lottery list: keys typed where the focus is, or "~click N" a
// click on row N's check box, "~out" and "~in" the focus taken from the list and given
// back, "~close" a close through the window frame. Then what the dialog shows: the rows
// ticked, the cursor row, the focus, the amount field (text, caret, selection), and what
// it left in dlg_datos.
QString dialog_step(SaleRig& r, SaleDialog* d, const QString& step)
{
    auto* list = d->findChild<QListWidget*>("lt_lote");
    if (step.startsWith("~click"))
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, check_box(list, step.mid(7).toInt()));
    else if (step == "~out")
        list->clearFocus();
    else if (step == "~in")
        list->setFocus();
    else if (step == "~close")
        d->close();
    else
        type_keys(step);
    QStringList ticked;
    for (const int row : r.ticked(list))
        ticked << QString::number(row);
    QString out = QString("> %1 | ticked %2 | cursor %3 | focus %4")
                      .arg(step, ticked.join(','))
                      .arg(list->currentRow())
                      .arg(r.focus());
    if (auto* e = d->findChild<QLineEdit*>("tx_mont"))
        out += QString(" | \"%1\" caret %2 selected \"%3\"").arg(e->text()).arg(e->cursorPosition()).arg(e->selectedText());
    const DlgDatos& x = r.t->dlg_datos;
    return out + QString(" | %1 | res \"%2\" mon \"%3\" lotsel %4")
                     .arg(d->isVisible() ? "open" : "closed", x.dlg_res, x.dlg_mon, x.dlg_lotsel.join(','));
}

// The steps of each opening of a dialog, as dialog_step takes them; the opening shows the
// rows listed, the cursor and the list's colour.
void work_dialogs(SaleRig& r, QStringList& transcript, QList<QStringList> openings)
{
    r.in_dialog = [&r, &transcript, openings](SaleDialog* d) mutable {
        EXPECT_EQ(d->pos(), reptik::place_for(SaleDialog::screen_twips()));  // bortik's is the same
        auto* list = d->findChild<QListWidget*>("lt_lote");
        QStringList rows;
        for (int row = 0; row < list->count(); ++row)
            rows << list->item(row)->text();
        transcript << QString("open %1 | %2 | cursor %3 | %4")
                          .arg(d->objectName(), rows.join('|'))
                          .arg(list->currentRow())
                          .arg(list->palette().color(QPalette::Base).name());
        for (const QString& step : openings.isEmpty() ? QStringList() : openings.takeFirst())
            transcript << dialog_step(r, d, step);
    };
}

// R on a ticket with lines on three lotteries opens the repeat dialog: the lotteries open
// for sale (the window's list, here by draw time), ticked with Space and the mouse, the
// amount with digits typed on the list, then the reptix call with the codes in list order
// and the lines it adds, or no call. dlg_lotsel holds four entries of an earlier use.
TEST(SaleDialogs, RepeatPlays)
{
    const struct {
        const char* name;
        QList<QStringList> openings;
        int more = 0;  // lotteries like Triple Caracas added to the double's
    } cases[] = {
        {"Space down the list, digits typed on it",
         {{"<down><down><down><down><down><down>", " ", " ", " ", "<up>", " ", "1", "0", "<enter>"}}},
        {"ticked by the mouse, handed over in list order", {{"~click 8", "~click 6", "~click 8", "~click 8", "<enter>"}}},
        {"a digit past the maximum dropped, then the field selects all on entry",
         {{" ", "5", "0", "<@lt_lote>", "0", "<@lt_lote>", "0", "<@lt_lote>", "<@tx_mont>", "7", "<enter>"}}},
        {"the next opening selects on entry", {{"3", "<esc>"}, {"<@tx_mont>", "2", "<@lt_lote>", "<@tx_mont>", "<esc>"}}},
        {"the 32nd tick undone", {{QString(32, ' '), " ", "<enter>"}}, 29},
        {"nothing ticked", {{"5", "<enter>"}}},
        {"escaped", {{" ", "5", "<esc>"}}},
        {"closed through the frame", {{" ", "5", "~close"}}},
    };
    EXPECT_EQ(reptik::place_for(9600), QPoint(187, 133));  // twips: 2800, 2000
    EXPECT_EQ(reptik::place_for(9615), QPoint(93, 200));   // 1400, 3000
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        for (int i = 0; i < c.more; ++i)
            r.model().lotteries << r.model().lotteries[0], r.model().lotteries.last().codint = QString::number(100 + i);
        ASSERT_TRUE(r.open());
        r.lots("001 002");
        r.enter("123<enter>10<enter>");
        r.lots("003");
        r.enter("45<enter>5<enter>");
        r.t->dlg_datos.dlg_lotsel = {"999", "998", "997", "996"};
        // The dialog's limits: 20 to 500 (the amount goes unchecked).
        r.t->lim_vta.jug_menor = "2000000000", r.t->lim_vta.jug_mayor = "50000000000";
        r.report();
        transcript << QString("== ") + c.name;
        work_dialogs(r, transcript, c.openings);
        for (qsizetype i = 0; i < c.openings.size(); ++i)
            type_keys("<@tx_nume>r");
        transcript << r.report();
    }
    SaleRig::expect_transcript(transcript, "reptik.txt");
}

// E opens the delete dialog: "Todas" and the lotteries of the catalogue the ticket's lines
// play on, in catalogue order and once each (Triple Tachira's line comes first, Triple
// Caracas has two, a zodiac play of Triple Caracas Zodiacal shows the first 15 characters
// of Triple Caracas, and Chance Cacho Astral's name is longer than 15); ticks by Space and
// the mouse, "Todas" against the lotteries, the highlight on "Todas" at every entry, then
// the bortix call with "*" or the codes in list order and the lines left, or no call.
TEST(SaleDialogs, DeletePlays)
{
    const struct {
        const char* name;
        QStringList steps;
        bool zodiac_only = false;  // the ticket's only line a zodiac play
    } cases[] = {
        {"Todas by Space", {" ", "<enter>"}},
        {"lotteries by Space, Todas unticks them, a lottery unticks Todas",
         {"<down>", " ", " ", "<up><up><up>", " ", "<down>", " ", "~out", "~in", "<down><down><down>", " ", "<enter>"}},
        {"two lotteries by the mouse, handed over in list order", {"~click 5", "~click 2", "~click 0", "~click 5", "~click 2", "<enter>"}},
        {"the lottery whose first 15 characters another shares", {"<down>", " ", "<enter>"}, true},
        {"nothing ticked", {"<enter>"}},
        {"escaped", {"<down> ", "<esc>"}},
        {"closed through the frame", {" ", "~close"}},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        ASSERT_TRUE(r.open());
        if (c.zodiac_only) {
            r.sign_play("004", "25", "A");
        } else {
            r.lots("003");
            r.enter("45<enter>5<enter>");
            r.lots("001 002");
            r.enter("123<enter>10<enter>");
            r.lots("001");
            r.enter("456<enter>10<enter>");
            r.sign_play("004", "25", "A");
            r.sign_play("005", "25", "B", true);
        }
        r.t->dlg_datos.dlg_lotsel = {"999", "998", "997", "996"};
        r.report();
        transcript << QString("== ") + c.name;
        work_dialogs(r, transcript, {c.steps});
        type_keys("<@tx_nume>e");
        transcript << r.report();
    }
    SaleRig::expect_transcript(transcript, "bortik.txt");
}

// The catalogue entries lines play on: by their play's code; a line without one by the
// first 15 characters of the names.
TEST(SaleDialogs, PlayedLotteries)
{
    TabCat cat;
    for (const auto& [code, name] : {std::pair{"001", "TRIPLE CARACAS"}, {"004", "TRIPLE CARACAS ZODIACAL"},
                                     {"007", "TRIPLETA LA MILLONARIA"}, {"003", "TRIPLE TACHIRA "}, {"002", "TRIPLE ZULIA"}})
        cat << RegCat{code, "", name, "0", "0"};
    const QList<PlayedLine> lines = {{"", "TRIPLETA LA MIL Triple  123"}, {"004", "TRIPLE CARACAS  Ter Zod  25"},
                                     {"", "TRIPLE TACHIRA  Triple  45"},  {"004", "TRIPLE CARACAS  Ter Zod  26"},
                                     {"", "TRIPLE          Triple  12"}};
    EXPECT_EQ(played_lots(cat, lines), QList<int>({1, 2, 3}));
}

} // namespace
