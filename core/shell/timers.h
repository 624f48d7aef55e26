#pragma once
#include "core/app/app.h"

// The main window's timer tick (every 60 seconds once a user has logged in): the keep-alive
// stacox with its silent reconnect, the connection flag, the caption, and on the first
// connected tick and every tenth connected tick after it the message poll getmen, which
// shows a waiting message in the modal window "mensaje". The counter of connected ticks is
// app.men_srv.men_cont. The timer is app.timers (may be null): the tick sets it to 60
// seconds and stops it, and starts it again at its end (the caption may start it sooner).
void timers_Timer(App& app);

// The text of a server message as the message window shows it.
QString men_text(const QString& fecha, const QString& hora, const QString& texto);
