#include "check_list.h"

#include <QListWidget>
#include <QMouseEvent>

namespace {

class PressCursor : public QObject {
public:
    explicit PressCursor(QListWidget* list) : QObject(list), list_(list) { list->viewport()->installEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress)
            if (QListWidgetItem* item = list_->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()))
                list_->setCurrentItem(item);
        return false;
    }

private:
    QListWidget* list_;
};

} // namespace

void cursor_follows_press(QListWidget* list)
{
    new PressCursor(list);
}

CheckList::CheckList(QListWidget* list, std::function<void(int row)> item_check)
    : QObject(list), list_(list), model_(list->model()), item_check_(std::move(item_check))
{
    seen_again();
    // The model, not the list: it also reports what changes while the list's signals are
    // blocked, so the ticks seen stay true to the rows.
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int first, int last) {
        for (int row = first; row <= last; ++row)
            seen_.insert(row, state(row));
    });
    connect(model_, &QAbstractItemModel::rowsRemoved, this,
            [this](const QModelIndex&, int first, int last) { seen_.remove(first, last - first + 1); });
    connect(model_, &QAbstractItemModel::modelReset, this, &CheckList::seen_again);
    connect(model_, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex& from, const QModelIndex& to) {
        for (int row = from.row(); row <= to.row(); ++row)
            changed(row);
    });
}

Qt::CheckState CheckList::state(int row) const
{
    return Qt::CheckState(model_->index(row, 0).data(Qt::CheckStateRole).toInt());
}

void CheckList::seen_again()
{
    seen_.clear();
    for (int row = 0; row < model_->rowCount(); ++row)
        seen_ << state(row);
}

void CheckList::changed(int row)
{
    if (row < 0 || row >= seen_.size() || state(row) == seen_[row])
        return;  // not a tick
    seen_[row] = state(row);
    if (!list_->signalsBlocked())
        item_check_(row);
}

void CheckList::add(const QString& text)
{
    auto* item = new QListWidgetItem(text);
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    list_->addItem(item);
}

bool CheckList::ticked(int row) const
{
    return row >= 0 && row < model_->rowCount() && state(row) == Qt::Checked;
}

void CheckList::set_ticked(int row, bool on)
{
    if (QListWidgetItem* item = list_->item(row))
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

int CheckList::count() const
{
    int n = 0;
    for (int row = 0; row < model_->rowCount(); ++row)
        n += ticked(row) ? 1 : 0;
    return n;
}

QStringList CheckList::picked(const QStringList& per_row, int from) const
{
    QStringList out;
    for (int row = from; row < per_row.size(); ++row)
        if (ticked(row))
            out << per_row[row];
    return out;
}

bool CheckList::refused(int row)
{
    if (count() <= most_ticked)
        return false;
    set_ticked(row, false);
    return true;
}

void CheckList::step_down(int from)
{
    if (from < list_->count() - 1)
        list_->setCurrentRow(from + 1);
}
