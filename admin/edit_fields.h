#pragma once
// Small behaviours of the administration windows' fields and placement.
#include <QPoint>
#include <QWidget>
#include <functional>

class QTreeWidget;

// Places a window at Left, Top in twips: narrow on a screen at most 9600 twips wide,
// wide on a wider one.
void place_by_screen(QWidget* w, QPoint narrow, QPoint wide);

// The whole text of the field (a line edit or an editable combo box) is selected whenever
// it gets the focus.
void select_on_focus(QWidget* field);

// Calls f whenever the field loses the focus to another field of its window.
void on_focus_out(QWidget* field, std::function<void()> f);

// Key handler that types letters in upper case.
int upper_key(int KeyAscii);

// A list of rows the cashier reads and selects, one at a time, but never edits in place.
void read_only_rows(QTreeWidget* list);
