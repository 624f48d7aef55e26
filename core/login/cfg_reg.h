#pragma once
// The local settings (application "vuroda", section "parsys") and the loader's
// version marker (application "brontex", section nom_prg, key "version").
#include "core/app/app.h"

inline const QString cfg_app = QStringLiteral("vuroda");
inline const QString cfg_section = QStringLiteral("parsys");
inline const QString marker_app = QStringLiteral("brontex");
inline const QString marker_key = QStringLiteral("version");

// One local setting, def when the key is absent.
QString cfg_get(App& app, const QString& key, const QString& def = QString());
// Saves one local setting (callers sync once their group of writes is done).
void cfg_save(App& app, const QString& key, const QString& value);

// A setting's text as a 16-bit integer: blanks around it are ignored, a decimal value is
// rounded to the nearest whole number (a half to the even one); a text that is not a
// number, or whose value does not fit in 16 bits, gives 0.
int cfg_int16(const QString& text);

// Reads every local setting into app.cfg_reg with its default; sys_zord goes into
// app.ses_val.ord_lot (-1 when absent).
void cfg_load(App& app);

// The loader's marker: written with the program version at every start, "0.0.0.0" when an
// update is wanted. marker_write syncs the settings store.
void marker_write(App& app, const QString& version);
QString marker_read(App& app);
