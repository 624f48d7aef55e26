#pragma once
// The single-animal dialog simbol ("Animalitos"): the cashier ticks one or more animals,
// the cursor stepping down after each tick, and types one amount; Aceptar hands the ticked
// animals (flg_sim) and the amount (dlg_mon) to the sale window's sim_tik, one play per
// animal, and closes. Cancelar leaves dlg_num1 "" and dlg_mon "0".
#include "animals.h"

class simbol : public AnimalDialog {
    Q_OBJECT
public:
    explicit simbol(App& app);

    QListWidget* lt_simbol;

    static QPoint place_for(int screen_twips);

    void b_aceptar_Click() override;
    void b_cancelar_Click() override;
    // A row ticked or unticked: the cursor one row down, short of the last row.
    void lt_simbol_ItemCheck(int item);

private:
    void Form_Load();
};
