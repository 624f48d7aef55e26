#include "typed_combo.h"

void make_typed_combo(QComboBox* box)
{
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    // An editable combo box gets a completer with its field; without one it completes
    // nothing and matches its entries case-sensitively.
    box->setCompleter(nullptr);
}
