#include "ticket_style.h"

#include <QWidget>

QFont face(const char* family, double points, bool bold)
{
    QFont f;
    // Verdana is a wide face; Tahoma and MS Sans Serif are narrow ones, for which the
    // condensed sans stands in where it is installed.
    const QString name = QString::fromLatin1(family);
    f.setFamilies(name == QLatin1String("Verdana") ? QStringList{name} : QStringList{name, "DejaVu Sans Condensed"});
    f.setStyleHint(QFont::SansSerif);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void colour(QWidget* w, QPalette::ColorRole role, const QColor& c)
{
    QPalette p = w->palette();
    p.setColor(role, c);
    w->setPalette(p);
    if (role == QPalette::Window)
        w->setAutoFillBackground(true);
}
