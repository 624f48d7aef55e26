#pragma once
// What the administration windows ask of the values they read and may send back, for the
// readings of their procedure functions (read.h), and how a save that runs several calls
// ends when one of them does not go through.
#include "core/app/app.h"

#include <QString>
#include <functional>

// A CHAR value without the blanks that fill it to its column's width: what goes back for
// it, since the server compares CHAR values without them.
QString unfilled(const QString& text);

// Runs one call of a save that runs several (a removal, then each item stored; each
// parameter) and answers whether it went through. A call the rule gave the connection up
// on has said so with the lost-connection message; one the rule refused before sending it
// (a value that does not fit its parameter) is given up here the same way, through
// cox_lost, and so is a call due while the connection already counts as lost, which is
// not made. A save never stops partway in silence.
bool save_step(App& app, const std::function<bool()>& call);
