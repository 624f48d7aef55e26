#include "show.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>

namespace {

// Ends a local event loop when the watched window is hidden or destroyed.
class HideWatch : public QObject {
public:
    HideWatch(QWidget* w, QEventLoop& loop) : loop_(loop)
    {
        w->installEventFilter(this);
        connect(w, &QObject::destroyed, &loop, &QEventLoop::quit);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Hide)
            loop_.quit();
        return QObject::eventFilter(o, e);
    }

private:
    QEventLoop& loop_;
};

} // namespace

void show_modal(QWidget* w)
{
    if (!w)
        return;
    QPointer<QWidget> guard(w);
    if (!w->isWindow())
        w->setWindowFlag(Qt::Window, true);
    if (auto* d = qobject_cast<QDialog*>(w)) {
        d->setWindowModality(Qt::ApplicationModal);
        d->exec();
    } else {
        w->setWindowModality(Qt::ApplicationModal);
        QEventLoop loop;
        HideWatch watch(w, loop);
        w->show();
        w->raise();
        w->activateWindow();
        if (w->isVisible())
            loop.exec();
        if (guard)
            w->removeEventFilter(&watch);
    }
    if (guard && guard->isHidden())
        delete guard.data();
}

void show_top(QWidget* w)
{
    if (!w)
        return;
    if (!w->isWindow())
        w->setWindowFlag(Qt::Window, true);
    w->setAttribute(Qt::WA_DeleteOnClose, true);
    if (w->isMinimized())
        w->showNormal();
    else
        w->show();
    w->raise();
    w->activateWindow();
}
