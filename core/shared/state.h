#pragma once
// The module-wide state groups the windows share. Each group is a member of App under
// its own name; a group grows with the windows that use it.
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

// Local settings read at start-up (application "vuroda", section "parsys").
struct CfgReg {
    QString sys_mens;
    QString sys_modv = "0";
    QString sys_rlot = "0";
    QString cox_serv, cox_port, cox_user, cox_dtbs, cox_dtb1, cox_dtb2, cox_dtb3;
    int rep_nprn = 0;
    QString rep_impr;           // name of printer rep_nprn when it was chosen ("": the index alone)
    int rep_salt = 0;
    int rep_marg = 0;
    QString rep_letr = "0";
    QString rep_enca = "1";
    QString rep_juga = "1";
    QString rep_simb = "1";
    QString rep_codb = "0";
    QString rep_cutt = "0";
    QString rep_agot = "0";
};

// Login values (the getutq rows) and the values start-up sets beside them.
struct SesVal {
    QString cod_ven;
    QString nom_ven;
    QString dir_ven;
    QString rif_ven;
    QString cod_caj;          // "" after start-up, "**" while nobody is logged in
    QString id_user;
    QDate fec_sys;
    double mod_sys = 100000000.0;
    double jug_sys = 100000000.0;
    double por_imp = 0;
    int ord_lot = -1;
    QString lot_mnu;
    QString tik_men1, tik_men2, tik_men3;
    QString num_rnl;
    int flg_anu = 1;          // may annul tickets
    QString anu_ven = "0";
    int val_fijo = 1;
};

// Sale limits (getpaq rows), stored-amount texts.
struct LimVta {
    QString jug_min, jug_max, jug_miz, jug_maz, jug_mis, jug_mas;
    QString vta_min, vta_max;
    QString dia_vence;
    QString jug_menor, jug_mayor;
    bool flg_dec = false;
};

// Connection data of the login.
struct DatCox {
    QString bd_usr;
    QString bd_clv;
    QString cod_dtbs;
    QString cod_guid;
    QString srv_ip;
    QString srv_port;
    QString srv_databs;
    QString ip_net;
};

// Symbol sets sent by getsim at login: parallel arrays in the server's order.
struct TabSim {
    QList<int> sim_cod;
    QStringList sim_num;
    QStringList sim_nom;
};

// Message-poll state of the main timer.
struct MenSrv {
    int men_cont = 10;          // connected ticks; a poll is due at 10 or more
    QString men_cod = "0";      // message identifier of the last poll
    QString men_fec, men_hor, men_txt;
};

// One lottery of the catalogue of the last dstlot answer, as the server sends it.
struct RegCat {
    QString codint;   // 3 characters: the code lotteries are named by to the server
    QString codlot;   // the code answer rows carry
    QString nomlot;
    QString codsim;   // symbol set, as text
    QString codsit;
};
// The lottery catalogue: it outlives the sale window and is replaced at each opening.
using TabCat = QList<RegCat>;

// Report-line buffer.
struct BufRep {
    QStringList rep_lin;
    int flg_nodat = 0;
    qsizetype rep_idx() const { return rep_lin.size() - 1; }
};

// What the sale window and its dialogs exchange: a dialog leaves its choice here and the
// window reads it (in its follow-up of the dialog, or in the procedure the dialog calls).
struct DlgDatos {
    QString dlg_res;                  // result; "" when cancelled or nothing to do
    QString dlg_mon;                  // amount, stored units
    QString dlg_num1, dlg_num2, dlg_num3;
    QString dlg_lot = " ";            // source lottery of a duplicate (" ": none)
    QString dlg_lots;                 // target lotteries of a duplicate, codes joined
    QStringList dlg_lotsel;           // lottery codes chosen ("*" alone: every lottery)
    QList<int> flg_zod = QList<int>(12, 0);   // signs A to L; 1 = played
    QList<int> flg_cac = QList<int>(3, 0);    // cacho kinds A to C
    QList<int> flg_sim = QList<int>(32, 0);   // animals 01 to 32
    int cod_rul = 0;

    // What the dialogs keep from one opening to the next (a dialog's window goes when it
    // closes): the repeat dialog's amount field selects its text on entry (false: the
    // caret goes to the end, once, after a digit typed on its list).
    bool flg_sel = false;
    // The duplicate dialog's: its ticket field selects its text on entry, as flg_sel; the
    // number of the last ticket looked up that had plays, and the names of its lotteries.
    bool flg_selt = false;
    QString tik_ant;
    QStringList lot_tik;
};
