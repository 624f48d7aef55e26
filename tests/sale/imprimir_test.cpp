// Imprimir: the ticket total against the limits, the commit with valtkx and each of its
// refusals, the printed ticket (compared with golden files) and the next ticket.
#include "tests/sale/sale_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>

namespace {

using Arrange = std::function<void(SaleRig&)>;
const Arrange kNothing = [](SaleRig&) {};

Arrange limit(const char* key, const char* units)
{
    return [key, units](SaleRig& r) { r.model().set_param(key, QString(units) + "00000000"); };
}

TEST(SaleImprimir, EveryOutcome)
{
    const QStringList refused = {"valtkx", "anutix", "getpaq", "newtkx"};
    const QStringList out_of_bounds = {"deltik", "getpaq", "newtkx"};
    const QString anulado = "Monto del ticket no es válido. El ticket fue anulado." + blanks(5) + "\r\n\r\nMínimo : ";
    using S = central::Ticket::State;
    const struct {
        const char* name;
        Arrange before_open;
        double units;  // one play of this many units (0: none)
        Arrange before_press;
        QStringList calls;
        QStringList boxes;  // a valtkx refusal's box is titled with the ticket
        S state;
        bool stays_open;
    } cases[] = {
        {"no plays", kNothing, 0, kNothing, {"deltik"}, {}, S::deleted, false},
        {"no plays, no connection", kNothing, 0, [](SaleRig& r) { r.t->flg_nocox = 1; }, {}, {}, S::pending, false},
        {"below vta_min", limit("VENTIK_MIN", "10"), 9, kNothing, out_of_bounds, {anulado + "10 / Máximo : 10.000"},
         S::deleted, true},
        {"above vta_max", limit("VENTIK_MAX", "20"), 21, kNothing, out_of_bounds, {anulado + "1 / Máximo : 20"},
         S::deleted, true},
        {"vta_min", limit("VENTIK_MIN", "10"), 10, kNothing, {"valtkx", "getpaq", "newtkx"}, {}, S::sold, true},
        {"-1", kNothing, 10, limit("VENTIK_MAX", "5"), refused,
         {"Monto del ticket no es válido. Mínimo : 1 / Máximo : 10.000" + blanks(5)}, S::annulled, true},
        {"-2", kNothing, 10,
         [](SaleRig& r) { r.model().ticket(1)->plays << central::Play{1, "TCA", "N", "999", 100000000, false}; },
         refused, {"Cantidad de jugadas no es válida." + blanks(15)}, S::annulled, true},
        {"-3", kNothing, 10, [](SaleRig& r) { r.model().sale_time = QTime(13, 0); }, refused,
         {"Sorteo(s) cerrado(s)." + blanks(15)}, S::annulled, true},
        {"-7", kNothing, 10, [](SaleRig& r) { r.model().outlet.quota = 500000000; }, refused,
         {"Cupo de venta disponible : 5" + blanks(10)}, S::annulled, true},
        {"0", kNothing, 10, [](SaleRig& r) { r.model().ticket(1)->state = S::annulled; }, refused,
         {"Error interno de validación." + blanks(15)}, S::annulled, true},
        {"connection lost at valtkx", kNothing, 10, [](SaleRig& r) { r.t.srv->fail_next(2, "valtkx"); },
         {"valtkx", "valtkx"},
         {"No hay conexión con el servidor." + blanks(10), "Error interno de validación." + blanks(15)}, S::pending,
         false},
    };
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
        // change under the handler that showed it.
        int lines_at_box = -1;
        r.dlg().on_box = [&](const fake::Box&) {
            lines_at_box = r.w->lt_nume->count();
            r.tick(7);
        };
        r.press_imprimir();

        EXPECT_EQ(r.procs(), c.calls);
        EXPECT_EQ(r.dlg().texts(), c.boxes);
        if (!r.dlg().boxes.isEmpty()) {
            EXPECT_EQ(r.dlg().boxes.last().style, 48);
            EXPECT_EQ(r.dlg().boxes.last().title, c.calls[0] == "valtkx" ? "Ticket : 00000001" : "Tovaren");
        }
        if (c.calls.value(1) == "anutix") {
            EXPECT_EQ(lines_at_box, 0);  // the play list is cleared before the message
            EXPECT_EQ(args(r.t.srv->log.value(1)), QStringList({"1", "001", "**"}));
        }
        if (c.calls.value(0) == "valtkx")
            EXPECT_EQ(args(r.t.srv->log.value(0)).mid(2), QStringList({"00000001", QString::number(c.units * 1e8, 'f', 0), "0", "1"}));
        if (c.calls.value(0) == "deltik")
            EXPECT_EQ(args(r.t.srv->log.value(0)), QStringList({"00000001"}));
        EXPECT_EQ(r.state(1), c.state);
        EXPECT_EQ(r.t.prn->docs.size(), c.state == S::sold ? 1 : 0);
        EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
        EXPECT_EQ(!r.closed(), c.stays_open);
        if (c.stays_open)
            EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
        if (c.stays_open && !c.boxes.isEmpty()) {
            r.tick(1);  // the check that waited
            EXPECT_EQ(args(r.t.srv->log.last()), QStringList({"2"}));
        }
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
        r.w->lt_lote->item(3)->setCheckState(Qt::Checked);
        r.put_play("TCA", "123", 10);
        r.w->lx_nume->show();
        r.press_imprimir();
        EXPECT_EQ(r.state(1), central::Ticket::pending);
        r.w->lx_nume->hide();
        QStringList at_print;
        r.t.prn->fail_start = true;
        r.dlg().on_box = [&](const fake::Box&) { at_print = r.listed(true); };  // "Error de impresión."
        r.press_imprimir();
        EXPECT_EQ(at_print, rlot == "0" ? QStringList({"001"}) : QStringList());
        EXPECT_EQ(r.listed(true), rlot == "0" ? QStringList({"001"}) : QStringList());
        EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
    }
}

QStringList golden(const QString& name)
{
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../golden/sale/" + name));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"missing golden file " + name};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    lines.removeLast();  // after the last line's end
    return lines;
}

// The printed ticket, line by line, through the printer double; date and time are the
// day's and the commit's.
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
        EXPECT_EQ(r.model().ticket(1)->tax, qint64(r.w->tik_cur.imp_tik));  // the tax sent is the one printed
        ASSERT_EQ(r.t.prn->docs.size(), 1);
        const fake::PrintedDoc& doc = r.t.prn->docs[0];
        EXPECT_TRUE(doc.ended);
        EXPECT_EQ(doc.lines.last(), "\f");
        QStringList printed = doc.lines.mid(0, doc.lines.size() - 1);
        for (QString& line : printed)
            line.replace(QDate::currentDate().toString("dd/MM/yyyy"), "DD/MM/YYYY")
                .replace(r.model().ticket(1)->hora, "HH:MM:SS");
        EXPECT_EQ(printed.join('|').replace(' ', '_'), golden(c.golden).join('|').replace(' ', '_'));
    }
}

// A sold ticket whose job cannot be started or ended is reported; the ticket stays sold.
// A printer index that names no printer keeps the printer used before.
TEST(SalePrint, PrinterFaults)
{
    const QString error = "Error de impresión." + blanks(10);
    const struct {
        const char* name;
        std::function<void(fake::Printers&)> arrange;
        QList<int> nprn;       // rep_nprn of successive tickets
        QList<int> printers;   // where their jobs went
        QStringList boxes;
    } cases[] = {
        {"no printer", [](fake::Printers& p) { p.printer_names.clear(); }, {0}, {}, {error}},
        {"not opened", [](fake::Printers& p) { p.fail_start = true; }, {0}, {}, {error}},
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
            EXPECT_EQ(r.state(i + 1), central::Ticket::sold);
        }
        QList<int> printers;
        for (const auto& doc : r.t.prn->docs)
            printers << doc.printer;
        EXPECT_EQ(printers, c.printers);
        EXPECT_EQ(r.dlg().texts(), c.boxes);
        if (!r.dlg().boxes.isEmpty())
            EXPECT_EQ(r.dlg().boxes[0].style, 16);
    }
}

} // namespace
