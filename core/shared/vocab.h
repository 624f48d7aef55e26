#pragma once
// The play vocabulary: classes of played numbers, zodiac signs, cacho kinds, animals, and
// the lookups in the symbol sets that the server sends at login.
#include <QString>
#include <QStringList>

struct TabSim;

// The fixed lists the sale dialogs show; filled once at start-up.
struct Vocab {
    QStringList tab_zod;   // 12 sign names, letters "A" to "L"
    QStringList tab_cac;   // 3 cacho kinds, letters "A" to "C"
    QStringList tab_ani;   // 32 animals, "01 - Pajaro" to "32 - Gallina"
};

// Class letter of a played number by its trimmed shape: "R", "T", "Y", "L", "Z", "M";
// empty when the shape fits none.
QString jug_tipo(const QString& number);
// Sign name (mode below 2) or cacho name (mode 2 and above) of an upper-case letter,
// padded with blanks to 11 characters; 11 blanks for an unknown letter.
QString zod_name(const QString& letter, int mode);
// "A" to "L" for 0 to 11, else "".
QString zod_letter(int index);
// Animal name of a code "01" to "32", padded with blanks to 10 characters.
QString ani_name(const QString& code);

// Name of a symbol in a set, exactly 10 characters (10 blanks when not found). The code
// "0" may also be written "0-" or "0a"; "00" is a symbol of its own.
QString sim_name(const TabSim& tab, int set, const QString& code);
QString sim_name(const TabSim& tab, const QString& set, const QString& code);
// The symbol 0 as the server may write it within a code: "0a" always reads "0"; "99"
// reads "0" when the set names 99 as it names 0.
QString sim_zero(const TabSim& tab, int set, const QString& code);
QString sim_zero(const TabSim& tab, const QString& set, const QString& code);
// Named symbols of a set: the codes "00" to "99", plus "0" unless it repeats "99".
int sim_count(const TabSim& tab, int set);

void ani_table(Vocab& v);
void zod_table(Vocab& v);
