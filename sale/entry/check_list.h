#pragma once
// The lists of lotteries with check boxes in which several rows can be ticked: the sale
// window's lottery list and the sale dialogs' lists (the lotteries to repeat plays on, the
// lotteries to delete plays of, the targets of a duplicated ticket). What they share:
// - ItemCheck: the list's handler runs with the row whenever a row's tick changes, whoever
//   changed it: the cashier (Space ticks or unticks the cursor row, a click on a check box
//   its row) or the program. A tick the handler itself sets or clears runs the handler
//   again, nested, before the statement that set it returns: the handlers rely on that
//   (a refused tick undone, one row unticking others). Ticks set while the list's signals
//   are blocked run nothing (a list being filled).
// - The limit: at most 31 ticked rows. The handler of the tick that makes 32 unticks that
//   row again, without a message (refused); the untick runs the handler once more.
// - The step: after a tick or an untick the cursor goes one row down unless it is on the
//   last row (from no cursor row, to the first), so that Space ticks down the list
//   (step_down). A press of the mouse on a row makes it the cursor row, on its check box
//   as well, so a click steps down from the row it ticked (cursor_follows_press).
//
// How a list uses it: the window builds its QListWidget, lets its cursor follow a press,
// binds it once,
//     lote = new CheckList(lt_lote, [this](int row) { lt_lote_ItemCheck(row); });
// fills it (add, or checkable items of its own: any way of filling is followed), and its
// ItemCheck handler begins with the limit and ends with the step:
//     if (lote->refused(row))
//         return;
//     ...
//     lote->step_down(lt_lote->currentRow());
// A handler with rows of its own rules (a row that stands for all the others) applies the
// two where its rows call for them.
#include <QList>
#include <QObject>
#include <QStringList>
#include <functional>

class QAbstractItemModel;
class QListWidget;

// From now on a press of the mouse on a row of the list makes it the list's current row,
// on the row's check box as well (where Qt leaves the current row as it was), before the
// tick changes.
void cursor_follows_press(QListWidget* list);

class CheckList : public QObject {
    Q_OBJECT
public:
    static constexpr int most_ticked = 31;

    // Watches the list's ticks from now on; owned by the list.
    CheckList(QListWidget* list, std::function<void(int row)> item_check);

    // A row with a check box, unticked, at the end of the list.
    void add(const QString& text);
    bool ticked(int row) const;
    // Ticks or unticks a row (a row the list lacks takes nothing); a change runs ItemCheck.
    void set_ticked(int row, bool on);
    // How many rows are ticked.
    int count() const;
    // What the ticked rows from row `from` on stand for, in list order: each one's entry of
    // per_row.
    QStringList picked(const QStringList& per_row, int from = 0) const;

    // The limit, for the row whose tick changed: with more than 31 rows ticked the row is
    // unticked again and true is answered.
    bool refused(int row);
    // The cursor to the row after from, unless from is the last row.
    void step_down(int from);

private:
    Qt::CheckState state(int row) const;
    void seen_again();
    void changed(int row);

    QListWidget* list_;
    QAbstractItemModel* model_;
    std::function<void(int)> item_check_;
    QList<Qt::CheckState> seen_;  // each row's tick as last seen
};
