// The lists of lotteries with check boxes: the rules they share (a table), and the repeat-
// plays and delete-plays dialogs opened with R and E from the sale window (transcripts).
#include "sale/entry/check_list.h"
#include "tests/sale/sale_fixture.h"

#include <QListWidget>
#include <QStyle>
#include <QStyleOptionViewItem>

namespace {

// Where a click ticks a row of a list: its check box.
QPoint check_box(QListWidget* list, int row)
{
    QStyleOptionViewItem opt;
    opt.initFrom(list->viewport());
    opt.rect = list->visualItemRect(list->item(row));
    opt.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    return list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, list).center();
}

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
        EXPECT_EQ(ticks->count(), int(on.size()));
        EXPECT_EQ(list.currentRow() < 0 ? "-" : QString::number(list.currentRow()), c.cursor);
        EXPECT_EQ(runs.join(' '), c.runs);
    }
}

} // namespace
