#include "edit_fields.h"
#include "core/shared/twips.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QTimer>
#include <QTreeWidget>
#include <QHeaderView>

namespace {

class FocusWatch : public QObject {
public:
    FocusWatch(QWidget* field, QEvent::Type type, std::function<void()> f)
        : QObject(field), field_(field), type_(type), f_(std::move(f))
    {
        field->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        // Another window or a pop-up taking the focus (the window closing among them) is
        // no leaving of the field; nor is anything that happens once the window is gone.
        if (e->type() == type_ && field_->window()->isVisible()) {
            const Qt::FocusReason why = static_cast<QFocusEvent*>(e)->reason();
            if (type_ == QEvent::FocusIn || (why != Qt::ActiveWindowFocusReason && why != Qt::PopupFocusReason))
                f_();
        }
        return false;
    }

private:
    QWidget* field_;
    QEvent::Type type_;
    std::function<void()> f_;
};

QLineEdit* edit_of(QWidget* field)
{
    if (auto* cb = qobject_cast<QComboBox*>(field))
        return cb->lineEdit();
    return qobject_cast<QLineEdit*>(field);
}

} // namespace

void place_by_screen(QWidget* w, QPoint narrow, QPoint wide)
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const int twips = s ? s->geometry().width() * 15 : 0;
    const QPoint at = twips > 9600 ? wide : narrow;
    w->move(tw(at.x()), tw(at.y()));
}

void select_on_focus(QWidget* field)
{
    QLineEdit* edit = edit_of(field);
    if (!edit)
        return;
    // Deferred, or the click that gave the focus would clear the selection again.
    new FocusWatch(field, QEvent::FocusIn, [edit] { QTimer::singleShot(0, edit, [edit] { edit->selectAll(); }); });
}

void on_focus_out(QWidget* field, std::function<void()> f)
{
    new FocusWatch(field, QEvent::FocusOut, std::move(f));
}

int upper_key(int KeyAscii)
{
    return QChar(char16_t(KeyAscii)).toUpper().unicode();
}

void read_only_rows(QTreeWidget* list)
{
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
}
