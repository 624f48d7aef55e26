#include "mdi_child.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>

namespace {

// Unloads an MDI child's frame with it: when the window closes itself (or is deleted),
// its frame goes too, so that the next reference loads the window afresh.
class ChildFrame : public QObject {
public:
    ChildFrame(QWidget* w, QMdiSubWindow* sub) : QObject(sub), w_(w), sub_(sub)
    {
        w->installEventFilter(this);
        connect(w, &QObject::destroyed, sub, &QObject::deleteLater);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (o == w_ && e->type() == QEvent::Close) {
            // Whether the window accepted its closing is known once the event is done.
            QPointer<QWidget> w = w_;
            QPointer<QMdiSubWindow> sub = sub_;
            QTimer::singleShot(0, sub_, [w, sub] {
                if (w && sub && w->isHidden())
                    sub->deleteLater();
            });
        }
        return QObject::eventFilter(o, e);
    }

private:
    QPointer<QWidget> w_;
    QMdiSubWindow* sub_;
};

} // namespace

void show_mdi_child(App& app, QWidget* w)
{
    if (!w)
        return;
    QMdiArea* area = app.mdi;
    if (!area) {
        w->showNormal();
        w->raise();
        return;
    }
    auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget());
    if (!sub || sub->mdiArea() != area) {
        // A window that placed or sized itself keeps its place and its client size.
        const bool placed = w->testAttribute(Qt::WA_Moved);
        const QPoint at = w->pos();
        const QSize client = w->testAttribute(Qt::WA_Resized) ? w->size() : QSize();
        sub = area->addSubWindow(w);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        new ChildFrame(w, sub);
        if (client.isValid()) {
            const QMargins m = sub->contentsMargins();
            sub->resize(client.grownBy(m));
        }
        if (placed)
            sub->move(at);
    }
    if (sub->isMinimized())
        sub->showNormal();
    else
        sub->show();
    w->show();
    area->setActiveSubWindow(sub);
}

void close_mdi_child(QWidget* w)
{
    if (!w)
        return;
    w->setAttribute(Qt::WA_DeleteOnClose);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget()))
        sub->close();
    else
        w->close();
}
