#pragma once
// Showing a loaded window modally or as a window of its own.
#include <QWidget>

// Shows w as an application-modal window and returns when it is closed or hidden
// (QDialog::exec for a dialog, a local event loop otherwise). A window left hidden
// afterwards is unloaded (deleted, its closing already done).
void show_modal(QWidget* w);
// Shows w modeless as a top-level window of its own, brought to the front when it is
// already open; closing it unloads it.
void show_top(QWidget* w);
