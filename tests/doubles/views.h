#pragma once
// What a window shows, as text a test compares or writes into a golden transcript.
#include "tests/doubles/golden.h"

#include <QApplication>
#include <QComboBox>
#include <QTreeWidget>

// The texts of a list's rows, cells joined by "|".
inline QStringList rows_of(const QTreeWidget* lista)
{
    QStringList rows;
    for (int i = 0; i < lista->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < lista->columnCount(); ++c)
            cells << lista->topLevelItem(i)->text(c);
        rows << cells.join('|');
    }
    return rows;
}

// The entries a list box offers.
inline QStringList entries_of(const QComboBox* box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

// Posted events delivered and the windows closed meanwhile deleted.
inline void settle()
{
    QApplication::sendPostedEvents(nullptr, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
