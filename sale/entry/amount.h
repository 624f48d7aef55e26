#pragma once
// The amount field's rules apart from the widget: the key filter against a pair of limits,
// and the amounts its list offers. Limits are chosen by kind as the money helpers choose
// them: 0 the number plays' (jug_min, jug_max), 1 the symbol plays' (jug_mis, jug_mas).
#include "number.h"
#include "core/shared/money.h"

// What a key ("." a digit or Backspace) makes of the amount field's text: no leading
// zeros, decimals only in two-decimal mode with a minimum below one unit (and no first
// decimal that would take the amount below it), never above the maximum.
Typed amount_key(const MonCtx& c, int kind, const QString& text, int key);

// The amounts offered for a pair of limits: hundredths from the minimum up to 0.50 when
// the minimum is below one unit, then 1, 2, 5, 10, 20, 50 … units up to the maximum.
QStringList amount_presets(const MonCtx& c, int kind);
