#pragma once
// The reports of results and accounts: the outlet's winning tickets (reprtq), the bank's
// results by day or lottery (reprba) and the outlet's account balance (replup).
#include "sales.h"

// "Reporte - Resultados Tovaren": the range, the caja and a status.
class reprtq : public rep_days_caja {
    Q_OBJECT
public:
    explicit reprtq(App& app);

    QComboBox* tx_stat;

    // Typed letters go in upper case.
    static int tx_stat_KeyPress(int KeyAscii);
    // The status sent for a status text: "T" 2 every prize, "P" 1 paid ones, anything else
    // (also "N" and an empty field) 0 unpaid ones.
    static int status(const QString& text);

protected:
    void Form_Load();
    bool gen_rep() override;
};

// "Reporte - Resultados Banca": 70 columns on screen, 32 on paper.
class reprba : public rep_frame {
    Q_OBJECT
public:
    explicit reprba(App& app);

    QDateEdit* tx_desd;
    QDateEdit* tx_hast;
    QComboBox* tx_modo;
    QComboBox* tx_lote;

    void bt_emitir_Click() override;
    void bt_imprimir_Click() override;
    // A mode was chosen: the lottery field is emptied, and open only for "LOTERIAS".
    void tx_modo_Click();
    // The mode is chosen from its list only; lottery names go in upper case.
    static int tx_modo_KeyPress(int KeyAscii);
    static int tx_lote_KeyPress(int KeyAscii);

protected:
    void Form_Load();
    bool gen_rep() override;

private:
    bool flg_imp = false;   // the report is built for the printer
};

// "Reporte - Cuadre de Cuentas": no server call until a report is asked for.
class replup : public rep_frame {
    Q_OBJECT
public:
    explicit replup(App& app);

    QDateEdit* tx_desde;
    QDateEdit* tx_hasta;

protected:
    void Form_Load();
    bool gen_rep() override;
};
