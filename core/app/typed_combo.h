#pragma once
// An editable combo box that holds what is typed into it and nothing else: it completes
// nothing (neither in its field nor in a list below it), Enter or leaving the field takes an
// entry of its list only when the text matches that entry exactly (never one that differs in
// case), and Enter adds no entry to the list. Its entries are still offered in its own list.
#include <QComboBox>

void make_typed_combo(QComboBox* box);
