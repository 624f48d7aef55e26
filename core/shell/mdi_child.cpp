#include "mdi_child.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void show_mdi_child(App& app, QWidget* w)
{
    if (!w)
        return;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
        sub->showNormal();
        if (sub->mdiArea())
            sub->mdiArea()->setActiveSubWindow(sub);
        return;
    }
    QMdiArea* area = nullptr;
    if (app.is_loaded(QStringLiteral("main")))
        if (QWidget* main = app.window(QStringLiteral("main")))
            area = main->findChild<QMdiArea*>();
    if (!area) {
        w->showNormal();
        w->raise();
        return;
    }
    const QPoint pos = w->pos();
    const QSize size = w->size();
    QMdiSubWindow* sub = area->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(w, &QObject::destroyed, sub, &QObject::deleteLater);
    w->resize(size);
    sub->adjustSize();
    sub->move(pos);
    sub->showNormal();
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
