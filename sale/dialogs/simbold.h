#pragma once
// The two-animal dialog simbold and the three-animal dialog simbolt ("Animalitos"): one
// list of the animals for each animal of the play, one chosen in each (the row the cursor
// moves to is ticked alone), and one amount. Every accepted Aceptar writes the chosen codes
// to dlg_num1 to dlg_num3 (simbolt also joins them in dlg_res) and the amount to dlg_mon,
// has the sale window register the play (dbl_tik, mor_tik), and puts every list back on
// the first animal, the amount kept, the dialog open for the next play. A list without a
// chosen animal (unticked with Space, or empty) sends nothing: the focus goes to it.
// Cancelar empties the codes and leaves dlg_mon "0"; the plays already sold stay.
#include "animals.h"

class simbold : public AnimalDialog {
    Q_OBJECT
public:
    explicit simbold(App& app);

    QListWidget* lt_simbol1;
    QListWidget* lt_simbol2;
    QListWidget* lt_simbol3 = nullptr;  // simbolt's third animal

    static QPoint place_for(int screen_twips);

    void b_aceptar_Click() override;
    void b_cancelar_Click() override;
    // The choice rule, run whenever the list's cursor is set (a click, the arrow keys, the
    // dialog): the row under the cursor ticked, every other row unticked.
    void lt_simbol_Click(QListWidget* list);

protected:
    simbold(App& app, const char* name, QSize client, QRect label_at, QPoint mont_at, int animals);

private:
    void Form_Load();
    // Every list on the first animal, the first list with the focus.
    void first_animals();

    QList<QListWidget*> lists_;
};

class simbolt : public simbold {
    Q_OBJECT
public:
    explicit simbolt(App& app);
};
