#pragma once
#include "core/app/app.h"

// Shows w modeless as a child of the main window's MDI area and makes it the active child.
// The frame takes the window's position and size; closing the frame deletes the window
// (unloads it) and unloading the window removes its frame. Without a main window (tests)
// the window is shown on its own.
void show_mdi_child(App& app, QWidget* w);

// Closes a window shown by show_mdi_child, with its frame; the window is deleted (unloaded)
// once control is back in the event loop, so a window may close itself from its own handler.
void close_mdi_child(QWidget* w);
