#pragma once
// The reports of a day's or a range's sales: sales and annulled tickets (repvtq), municipal
// tax (repitx) and the cash count of a caja (repctq).
#include "frame.h"

// Criteria of the reports over a range of days and a caja, "TODAS" first among the cajas.
class rep_days_caja : public rep_frame {
    Q_OBJECT
public:
    QDateEdit* tx_desd;
    QDateEdit* tx_hast;
    QComboBox* tx_caja;

protected:
    rep_days_caja(App& app, const QString& name, const QString& caption);
    // Dates at the working date, then the caja list.
    void Form_Load();
    // The filters as the procedures take them: "TODAS" goes as two blanks.
    sp::RepArgs args() const;
    QString caja_label() const;
};

// "Reporte - Ventas Tovaren".
class repvtq : public rep_days_caja {
    Q_OBJECT
public:
    explicit repvtq(App& app);

protected:
    bool gen_rep() override;
};

// "Reporte - Impuesto Municipal".
class repitx : public rep_days_caja {
    Q_OBJECT
public:
    explicit repitx(App& app);

protected:
    bool gen_rep() override;
};

// "Reporte - Cuadre de Caja": one day, one caja.
class repctq : public rep_frame {
    Q_OBJECT
public:
    explicit repctq(App& app);

    QDateEdit* tx_fech;
    QComboBox* tx_caja;

protected:
    void Form_Load();
    bool gen_rep() override;
};
