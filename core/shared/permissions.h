#pragma once
// The permission codes: each denies one item of the main window's menu.
#include <QString>
#include <QStringList>
#include <array>

struct PerEntry {
    const char* cod;    // the code, 3 characters
    const char* nom;    // its caption in the permissions window
    const char* item;   // the menu item it hides
};

// The ten codes in table order.
const std::array<PerEntry, 10>& per_entries();

// The permission table as the login leaves it: parallel lists indexed from 0
// (empty until the first successful login).
struct TabPer {
    QStringList per_cod;
    QStringList per_nom;
};
