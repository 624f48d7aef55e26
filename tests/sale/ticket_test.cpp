// The ticket cycle of the sale window against the double: its set-up, opening a ticket,
// the pending-ticket watch, closing and reopening, Imprimir with the commit, the printed
// ticket (golden files) and the next ticket.
#include "tests/sale/sale_fixture.h"
#include "core/shell/mdi_child.h"
#include "sale/ticket/cycle.h"

#include <QMdiSubWindow>

namespace {

using Arrange = std::function<void(SaleRig&)>;
const Arrange kNothing = [](SaleRig&) {};

// Loading the window with every answer of newtkx, and with each call of the set-up lost
// (after an earlier window loaded the catalogue): the calls, the messages, the ticket, the
// lottery list (every code at column 61) and the play types with the outlet's extras, the
// caption; the first activation closes a window without a ticket.
TEST(SaleOpen, EveryAnswerOfTheSetUp)
{
    const auto status = [](int code) -> Arrange { return [code](SaleRig& r) { r.model().newtkx_override = code; }; };
    const auto lost = [](const char* proc) -> Arrange {
        return [proc](SaleRig& r) {
            r.open();
            r.unload();
            r.t.srv->log.clear();
            r.t.srv->fail_next(2, proc);
        };
    };
    const struct {
        const char* name;
        Arrange arrange;
    } cases[] = {
        {"opened", kNothing},
        // The animal lotteries of sale mode 1 by name; a 25-character name cut to 20.
        {"sale mode 1, by name, extras, $ database",
         [](SaleRig& r) {
             r.t->ses_val.lot_mnu = "S - SELVA PLUS,,C - CHANCES,";
             r.t->ses_val.ord_lot = 1;
             r.t->cfg_reg.sys_modv = "1";
             r.t->dat_cox.cod_dtbs = "DE$MO";
         }},
        {"eight digits", [](SaleRig& r) { r.model().next_numtik = 99999999; }},
        {"number 0", [](SaleRig& r) { r.model().next_numtik = 0; }},
        {"none in the sale mode", [](SaleRig& r) { r.t->cfg_reg.sys_modv = "7"; }},
        {"every draw closed", [](SaleRig& r) { r.model().sale_time = QTime(23, 0); }},
        {"1", [](SaleRig& r) { r.model().outlet.status = 2; }},
        {"2", [](SaleRig& r) { r.model().outlet.status = 1; }},
        {"3", status(3)},
        {"4", status(4)},
        {"6", [](SaleRig& r) { r.t->ses_val.cod_ven = "002"; }},
        {"7", [](SaleRig& r) { r.model().outlet.quota = 0; }},
        {"8", status(8)},
        // deltik and valtkx take 8 digits: such a ticket could never be committed.
        {"nine digits", [](SaleRig& r) { r.model().next_numtik = 123456789; }},
        {"dstlot lost", lost("dstlot")},
        {"dsplot lost", lost("dsplot")},
        {"getpaq lost", lost("getpaq")},
        {"newtkx lost", lost("newtkx")},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        c.arrange(r);
        r.w = r.t->win<movtik_plays>("movtik");
        ASSERT_TRUE(r.w);
        QStringList lots, types;
        for (int i = 0; i < r.w->lt_lote->count(); ++i)
            lots << r.w->lt_lote->item(i)->text().left(20).trimmed() + " " + r.w->lt_lote->item(i)->text().mid(60);
        for (int i = 13; i < r.w->lt_tipo->count(); ++i)
            types << "\"" + r.w->lt_tipo->item(i)->text() + "\"";
        const TikCur& t = r.tik();
        transcript << QString("== ") + c.name << r.report(false)
                   << QString("num_tik %1 | catalogue %2 | table %3 | %4")
                          .arg(t.num_tik).arg(r.t->tab_cat.size()).arg(t.tab_lot.size()).arg(r.w->windowTitle())
                   << ("lotteries: " + lots.join(", ")).trimmed() << "extras: " + types.join(' ');
        EXPECT_EQ(r.listed().size(), r.tik().tab_lot.size());
        EXPECT_TRUE(r.tik().numtik() == 0 || r.w->timer_tik->isActive());
        r.w->show();
        SaleRig::settle();
        transcript << (r.closed() ? "closed" : "open");
    }
    SaleRig::expect_transcript(transcript, "opening.txt");
}

// The watch checks the pending ticket every sixth tick, tried once; a ticket the server
// gave up is deleted and replaced, its lotteries ticked again when sys_rlot is "0" and
// still open.
TEST(SaleWatch, ChecksEverySixthTickAndReplacesADroppedTicket)
{
    QStringList transcript;
    for (const QString rlot : {"0", "1"}) {
        SaleRig r;
        r.t->cfg_reg.sys_rlot = rlot;
        ASSERT_TRUE(r.open());
        r.lots("001 002");  // Triple Caracas 13:00, Triple Zulia 16:45
        r.put_play("TCA", "123", 10);
        r.report(false);
        r.t.srv->error_next(1, "statik");
        r.watch(11);
        transcript << "== sys_rlot " + rlot << "> 11 ticks, the first check failing" << r.report(false);
        r.watch(1);
        transcript << "> 1 tick" << r.report(false);
        r.model().ticket(r.first)->fecha = QDate::currentDate().addDays(-1);
        r.model().sale_time = QTime(13, 0);  // Caracas has drawn since
        r.watch(6);
        transcript << "> 6 ticks, the ticket given up" << r.report() << QString("ticket %1 ").arg(r.first) + r.state(r.first);
        EXPECT_TRUE(r.w->timer_tik->isActive());
    }
    SaleRig::expect_transcript(transcript, "watch.txt");
}

// A next ticket that does not open never leaves the lottery list and its table apart: a
// refusal empties both, an opening without a number keeps both as they were. Either way no
// ticket number or total is left shown: the ticket shown was given up.
TEST(SaleWatch, ARefusedNextTicketKeepsListAndTableTogether)
{
    for (int lotteries : {0, 12}) {
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.model().ticket(r.first)->fecha = QDate::currentDate().addDays(-1);
        r.model().sale_time = QTime(13, 0);  // fewer lotteries now
        if (lotteries == 0)
            r.model().newtkx_override = 7;
        else
            r.model().next_numtik = 0;
        r.watch(6);
        EXPECT_EQ(r.tik().num_tik, "0");
        EXPECT_EQ(r.w->tx_ntik->text(), "");
        EXPECT_EQ(r.w->tx_mtik->text(), "");
        ASSERT_EQ(r.tik().tab_lot.size(), lotteries);
        QStringList table;
        for (const RegLot& lot : r.tik().tab_lot)
            table << lot.codint;
        EXPECT_EQ(r.listed(), table);
    }
}

// Opening, closing and reopening: every command holds exactly its own parameters while the
// window is open and none once it closed; nothing of a closed window is left.
TEST(SaleOpen, ReopeningLeavesNoParameterWindowOrTimer)
{
    SaleRig r;
    const auto top_levels = QApplication::topLevelWidgets().size();
    for (int round = 1; round <= 3; ++round) {
        ASSERT_TRUE(r.open());
        r.put_play("TCA", "123", 10);
        QPointer<QTimer> timer = r.w->timer_tik;
        QStringList names;
        for (db::Command* cmd : r.t->commands())
            names += cmd->param_names();
        EXPECT_EQ(names.join(""), "q1z0z1z2z3z4z5z6z7z8z9z10w0w1x1x2x3x4x5x6x7x8y0y1y2y3y4y5y6");
        r.t.srv->log.clear();
        r.w->close();  // no server call: the ticket stays pending
        r.unload();
        EXPECT_TRUE(r.t.srv->log.isEmpty());
        EXPECT_EQ(r.state(r.first + round - 1), "pending");
        EXPECT_FALSE(r.w || timer);
        for (db::Command* cmd : r.t->commands())
            EXPECT_TRUE(cmd->params().isEmpty());
        EXPECT_EQ(QApplication::topLevelWidgets().size(), top_levels);
    }
}

// In the main window's MDI area the window closes at its next activation when the ticket
// after a commit could not be opened.
TEST(SaleOpen, ClosesAtTheNextActivationWithoutATicket)
{
    SaleRig r;
    QMdiArea area;
    r.t->mdi = &area;
    area.show();
    r.w = r.t->win<movtik_plays>("movtik");
    show_mdi_child(*r.t, r.w);
    r.settle();
    r.put_play("TCA", "123", 10);
    r.model().outlet.quota = 1000000000;  // this ticket uses the quota up
    r.press_imprimir();
    EXPECT_EQ(r.dlg().texts(), QStringList({"Cupo de venta agotado." + blanks(15)}));
    ASSERT_FALSE(r.closed());
    show_mdi_child(*r.t, new QWidget);
    r.settle();
    EXPECT_FALSE(r.closed());
    area.setActiveSubWindow(qobject_cast<QMdiSubWindow*>(r.w->parentWidget()));
    r.settle();
    EXPECT_FALSE(r.t->is_loaded("movtik"));
    r.t->mdi = nullptr;
}

Arrange limit(const char* key, const char* units)
{
    return [key, units](SaleRig& r) { r.model().set_param(key, QString(units) + "00000000"); };
}

// Imprimir with a total of 0, outside the sale limits, each valtkx refusal and success:
// the calls, messages, the ticket on the server and the printer, and the next ticket.
TEST(SaleImprimir, EveryOutcome)
{
    const struct {
        const char* name;
        Arrange before_open;
        double units;  // one play of this many units (0: none)
        Arrange before_press = kNothing;
    } cases[] = {
        {"no plays", kNothing, 0},
        {"no plays, no connection", kNothing, 0, [](SaleRig& r) { r.t->flg_nocox = 1; }},
        {"below vta_min", limit("VENTIK_MIN", "10"), 9},
        {"above vta_max", limit("VENTIK_MAX", "20"), 21},
        {"vta_min", limit("VENTIK_MIN", "10"), 10},
        {"vta_max", limit("VENTIK_MAX", "20"), 20},
        {"-1", kNothing, 10, limit("VENTIK_MAX", "5")},
        {"-2", kNothing, 10, [](SaleRig& r) { r.model().ticket(r.first)->plays << central::Play{1, "TCA", "N", "999", 100000000, false}; }},
        {"-3", kNothing, 10, [](SaleRig& r) { r.model().sale_time = QTime(13, 0); }},
        {"-7", kNothing, 10, [](SaleRig& r) { r.model().outlet.quota = 500000000; }},
        {"0", kNothing, 10, [](SaleRig& r) { r.model().ticket(r.first)->state = central::Ticket::annulled; }},
        {"connection lost at valtkx", kNothing, 10, [](SaleRig& r) { r.t.srv->fail_next(2, "valtkx"); }},
    };
    QStringList transcript;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        c.before_open(r);
        ASSERT_TRUE(r.open());
        if (c.units > 0)
            r.put_play("TCA", "123", c.units);
        c.before_press(r);
        r.t.srv->log.clear();
        // A watch check that falls due while a message is up waits: the ticket does not
        // change under the handler that showed it. The lines of a refused or deleted ticket
        // are gone from the play list before its message.
        QStringList at_box;
        r.dlg().on_box = [&](const fake::Box&) {
            at_box << QString("(lines %1 at the message)").arg(r.w->lt_nume->count());
            r.watch(7);
        };
        r.press_imprimir();
        transcript << QString("== ") + c.name << r.report(false) << at_box
                   << QString("ticket %1 %2, %3 printed").arg(r.first).arg(r.state(r.first)).arg(r.t.prn->docs.size());
        if (!at_box.isEmpty() && !r.closed()) {
            r.watch(1);  // the check that waited
            transcript << r.report(false).mid(0, 1);
        }
    }
    SaleRig::expect_transcript(transcript, "imprimir.txt");
}

// A ticket valtkx committed is never deleted nor annulled by the sale window, whatever path
// leads back to it: with the window's number set back to it, each way of disposing of a
// pending ticket sends nothing for it and remembers nothing to annul.
TEST(SaleImprimir, ACommittedTicketIsNeverDeletedOrAnnulled)
{
    const double ten = 1000000000;  // 10 units
    const struct {
        const char* name;
        Arrange dispose;
    } ways[] = {
        {"del_cur", [](SaleRig& r) { r.w->del_cur(); }},
        {"anu_cur", [](SaleRig& r) { r.w->anu_cur(); }},
        {"Imprimir, valtkx refusing it", [=](SaleRig& r) { r.tik().tot_tik = ten; r.press_imprimir(); }},
        {"Imprimir, the connection lost at valtkx",
         [=](SaleRig& r) {
             r.tik().tot_tik = ten;
             r.t.srv->fail_next(2, "valtkx");
             r.press_imprimir();
         }},
        {"Imprimir, out of bounds", [](SaleRig& r) { r.tik().tot_tik = 1; r.press_imprimir(); }},
        {"the watch, the server giving it up",
         [](SaleRig& r) {
             r.t.srv->register_procedure("statik", [](central::Request& q) {
                 q.status = 1;
                 return true;
             });
             r.watch(6);
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.name);
        SaleRig r;
        ASSERT_TRUE(r.open());
        r.put_play("TCA", "123", 10);
        r.press_imprimir();
        ASSERT_EQ(r.state(r.first), "sold");
        ASSERT_EQ(r.tik().num_tik, eight(r.first + 1));
        r.t.srv->log.clear();
        r.tik().num_tik = eight(r.first);
        way.dispose(r);
        EXPECT_EQ(r.t.srv->calls("deltik").size() + r.t.srv->calls("anutix").size(), 0);
        EXPECT_EQ(r.state(r.first), "sold");
        EXPECT_TRUE(r.t->tik_anu.isEmpty());
    }
}

// With sys_rlot other than "0" the lotteries are unticked before the checks; with "0" they
// stay and are ticked again on the next ticket. While the code pick list is up, Imprimir
// only goes back to the number field.
TEST(SaleImprimir, LotteryTicksAndThePickList)
{
    for (const QString rlot : {"0", "1"}) {
        SaleRig r;
        r.t->cfg_reg.sys_rlot = rlot;
        ASSERT_TRUE(r.open());
        r.lots("001");
        r.put_play("TCA", "123", 10);
        r.w->lx_nume->show();
        r.press_imprimir();
        EXPECT_EQ(r.state(r.first), "pending");
        r.w->lx_nume->hide();
        QStringList at_print;
        r.t.prn->fail_start = true;
        r.dlg().on_box = [&](const fake::Box&) { at_print = r.listed(true); };  // "Error de impresión."
        r.press_imprimir();
        EXPECT_EQ(at_print, rlot == "0" ? QStringList({"001"}) : QStringList());
        EXPECT_EQ(r.listed(true), rlot == "0" ? QStringList({"001"}) : QStringList());
        EXPECT_EQ(r.w->tx_ntik->text(), eight(r.first + 1));
    }
}

// The printed ticket, line by line, through the printer double; date and time are the
// day's and the commit's. The tax is a whole number of stored units, rounded half to even.
TEST(SalePrint, TicketsMatchTheirGoldenFiles)
{
    const struct {
        const char* golden;
        Arrange arrange;
        const char* plays;  // "lottery number units" separated by ","
    } cases[] = {
        // Lotteries with the same plays share a group; a packed line may hold 31 characters.
        {"detailed.txt", kNothing,
         "TCA 123 10,TCA 456 5,TZU 123 10,TZU 456 10,TZU 789 10,TZU 12 3,TZU 34 10,LAC 01 2,GRA 01 2"},
        {"summarised_tax_dollar.txt",
         [](SaleRig& r) {
             r.t->cfg_reg.rep_juga = "2";
             r.t->cfg_reg.rep_marg = 2;
             r.t->cfg_reg.rep_salt = 1;
             r.t->cfg_reg.sys_mens = "  BUENA SUERTE  ";
             r.t->ses_val.por_imp = 10;
             r.t->ses_val.tik_men2 = "REVISE SU TICKET";
             r.t->dat_cox.cod_dtbs = "DEMO$";
         },
         "TCA 123 10,TCA 456 10,TCA 789 10,TCA 12 5,SEL 07 5"},
        {"long_play.txt",
         [](SaleRig& r) {
             r.t->cfg_reg.rep_juga = "2";
             r.t->cfg_reg.rep_enca = "0";
             r.t->ses_val.jug_sys = 1e10;
         },
         "TTA 100 1,TTA 101 1,TTA 102 1,TTA 103 1,TTA 104 1,TTA 105 1,TTA 106 1,TTA 107 1,TTA 108 1,TTA 20 3"},
        {"no_plays.txt", [](SaleRig& r) { r.t->cfg_reg.rep_juga = "0"; }, "TCA 123 10"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.golden);
        SaleRig r;
        c.arrange(r);
        ASSERT_TRUE(r.open());
        for (const QString& play : QString(c.plays).split(',')) {
            const QStringList p = play.split(' ');
            r.put_play(p[0], p[1], p[2].toDouble());
        }
        r.press_imprimir();
        EXPECT_TRUE(r.dlg().boxes.isEmpty());
        EXPECT_EQ(args(r.t.srv->calls("valtkx")[0]).last(), QString::number(r.t->cfg_reg.rep_juga.toInt()));
        EXPECT_EQ(r.model().ticket(r.first)->tax, qint64(r.tik().imp_tik));  // the tax sent is the one printed
        ASSERT_EQ(r.t.prn->docs.size(), 1);
        const fake::PrintedDoc& doc = r.t.prn->docs[0];
        EXPECT_TRUE(doc.ended);
        EXPECT_EQ(doc.lines.last(), "\f");
        QStringList printed = doc.lines.mid(0, doc.lines.size() - 1);
        for (QString& line : printed)
            line.replace(QDate::currentDate().toString("dd/MM/yyyy"), "DD/MM/YYYY")
                .replace(r.model().ticket(r.first)->hora, "HH:MM:SS");
        EXPECT_EQ(printed.join('|').replace(' ', '_'), golden(c.golden).join('|').replace(' ', '_'));
    }
    const double taxes[][3] = {{1000000000, 10, 100000000}, {50, 1, 0}, {150, 1, 2}, {250, 1, 2}, {1999999999, 1, 20000000}};
    for (const auto& c : taxes)
        EXPECT_EQ(tax_of(c[0], c[1]), c[2]) << c[0];
}

// A sold ticket whose job fails at any step is reported once; the ticket stays sold and
// every step after a failed one is still tried. A printer index that names no printer
// keeps the printer used before.
TEST(SalePrint, PrinterFaults)
{
    const QString error = "Error de impresión." + blanks(10);
    const struct {
        const char* name;
        std::function<void(fake::Printers&)> arrange;
        QList<int> nprn;      // rep_nprn of successive tickets
        QList<int> printers;  // where their jobs went
        QStringList boxes;
    } cases[] = {
        {"no printer", [](fake::Printers& p) { p.printer_names.clear(); }, {0}, {}, {error}},
        {"not opened", [](fake::Printers& p) { p.fail_start = true; }, {0}, {}, {error}},
        {"a line fails", [](fake::Printers& p) { p.fail_after_lines = 3; }, {0}, {0}, {error}},
        {"the page end fails", [](fake::Printers& p) { p.fail_page = true; }, {0}, {0}, {error}},
        {"the job end fails", [](fake::Printers& p) { p.fail_doc = true; }, {0}, {0}, {error}},
        {"none such at first", [](fake::Printers& p) { p.printer_names << "Otra"; }, {7}, {0}, {}},
        {"none such later", [](fake::Printers& p) { p.printer_names << "Otra"; }, {1, 9}, {1, 1}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        c.arrange(*r.t.prn);
        ASSERT_TRUE(r.open());
        for (int i = 0; i < c.nprn.size(); ++i) {
            r.t->cfg_reg.rep_nprn = c.nprn[i];
            r.put_play("TCA", "123", 10);
            r.press_imprimir();
            EXPECT_EQ(r.state(i + 1), "sold");
        }
        QList<int> printers;
        for (const auto& doc : r.t.prn->docs) {
            printers << doc.printer;
            EXPECT_EQ(doc.ended, !r.t.prn->fail_doc);
            EXPECT_EQ(doc.lines.endsWith("\f"), !r.t.prn->fail_page);
        }
        EXPECT_EQ(printers, c.printers);
        EXPECT_EQ(r.dlg().texts(), c.boxes);
        EXPECT_TRUE(c.boxes.isEmpty() || r.dlg().boxes.value(0).style == 16);
    }
}

} // namespace
