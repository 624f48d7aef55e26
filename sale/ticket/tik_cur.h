#pragma once
// The ticket being sold and the entry state of the sale window: one object that the ticket
// cycle, play entry and play registration share. The sale window holds it for its lifetime.
#include <QList>
#include <QString>

// A lottery open for the ticket: a row of newtkx or dttlot, named from the catalogue.
struct RegLot {
    QString codint;   // 3 characters: the code sent in lottery lists
    QString codlot;   // the code answer rows name the lottery by ("" when not in the catalogue)
    QString nomlot;
    int statpl = 0, stater = 0, stazod = 0, statrz = 0, stamor = 0, stadbl = 0;
    int stasit = 0, stastd = 0, stastt = 0, codsim = 0, codrul = 0, codzod = 0, zorder = 0;

    // Animal lotteries: symbol lotteries with one symbol a play.
    bool animal() const { return codrul > 0 && stasit == 0; }
    // Lotteries of one kind may be ticked together.
    int kind() const { return stadbl + 2 * stamor + 3 * stasit + 4 * codrul + 5 * statpl + 6 * stater; }
};

// One play record of the ticket; its index is the play's identifier on the server.
struct JugTik {
    QString nomlot;        // the lottery's name
    QString tipo;          // line kind: "N", "T", "S", "C"
    QString stasit, codsim;
    QString numero;
    double monto = 0;      // stored units
    QString stajug = "N";  // "N" on the ticket, "A" sold out, "E" taken off
    int modzod = 0;        // sign kind
    QString codint;        // the lottery's code ("" when the lottery is not open for the ticket)
};

struct TikCur {
    // The pending ticket.
    QString num_tik;          // 8 digits with leading zeros; "0" when no ticket is open,
                              // from the end of one ticket until the next opening
    qint64 num_val = 0;       // the ticket valtkx committed last (0: none yet)
    QString ser_tik;          // 8 digits
    QString fec_tik;          // "dd/mm/yyyy"
    QString hor_tik;          // time of opening, then of the commit
    double tot_tik = 0;       // stored units
    double imp_tik = 0;       // municipal tax, whole stored units
    QList<JugTik> jug_tik;    // plays 0 .. can_jug - 1 (later records are stale)
    int can_jug = 0;
    int can_lin = 0;          // lines of the play list

    // The lotteries open for the ticket: record i is item i of the lottery list.
    QList<RegLot> tab_lot;

    // Entry state.
    QString tip_jug = "N";    // play type in use
    bool flg_mou = false;     // the play-type list was pressed with the mouse
    bool foc_lot = false;     // the lottery list has the focus
    bool flg_lot = false;     // the last reload of the lottery list found lotteries
    bool flg_ext = false;     // an extra play type was ticked with the mouse
    int max_num = 0;          // longest plain number
    int lin_sim = 0, lin_sit = 0, lin_std = 0, lin_stt = 0;  // code mode of the entry
    int cam_act = 0;          // the entry field that took the focus last: 1 number, 2 amount
    bool flg_sel = false;     // the number field selects its text when it takes the focus
    int sel_lim = 0;          // codrul of the lottery ticked last (0: none ticked)

    // The line being added: what the play procedures stage for add_lin.
    QString lin_lot;          // the lottery's name
    QString lin_codint;       // and its code
    QString lin_num;          // number or codes as granted ("0-" for the symbol 0)
    QString lin_tip;          // line kind: "N", "T", "S", "C"
    QString lin_mon;          // amount, stored units; 0 or less: sold out
    int lin_zod = 0;          // sign kind: 0 zodiac, 2 cacho

    // Lottery list: the mode sent with a reload (0 all, 1 animals, 2 triple/terminal/zodiac,
    // 3 tripleta; base × 100 + a letter's code while an extra is asked for), the base mode
    // in force (so an extra's value is never decoded), the mode before the last switch,
    // and the order (0 by draw time, 1 by name).
    int mod_lot = 0;
    int mod_bas = 0;
    int mod_ant = 0;
    int ord_act = 0;
    bool hab_ani = false, hab_tpl = false, hab_trp = false;  // modes A, I and J offered

    int cnt_tmr = 0;          // ticks of the watch since its last check
    int can_cat = 0;          // catalogue entries of the last dstlot answer

    // The numeric value of num_tik (0 when no ticket is open).
    qint64 numtik() const { return num_tik.toLongLong(); }
    // Whether num_tik names the ticket valtkx committed last: sold, perhaps printed, it is
    // never deleted or annulled from the sale window, whatever path leads there.
    bool committed() const { return num_val != 0 && numtik() == num_val; }
    // Whether the window holds a ticket open on the server: one newtkx opened and that was
    // not committed, annulled or deleted since. Nothing is sent for a ticket not open.
    bool open() const { return numtik() != 0 && !committed(); }
    // The amount limits of the entry, as the money helpers take them: 0 the number plays'
    // (jug_min, jug_max), 1 the symbol plays' (jug_mis, jug_mas) when the lottery ticked
    // last is a symbol lottery.
    int lim_kind() const { return sel_lim >= 1 ? 1 : 0; }
    // A base mode: sent as it is and kept as the base.
    void set_mode(int mode) { mod_lot = mod_bas = mode; }
};
