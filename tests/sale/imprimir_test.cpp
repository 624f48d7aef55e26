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

Arrange server_limit(const char* key, const char* units)
{
    return [key, units](SaleRig& r) { r.model().set_param(key, QString(units) + "00000000"); };
}

TEST(SaleImprimir, EveryOutcome)
{
    const QString tovaren = "Tovaren", ticket1 = "Ticket : 00000001";
    const QStringList refused = {"valtkx", "anutix", "getpaq", "newtkx"};
    const QStringList committed = {"valtkx", "getpaq", "newtkx"};
    using S = central::Ticket::State;
    struct Case {
        const char* name;
        Arrange before_open;
        double units;          // one play of this many units (0: no play)
        Arrange before_press;
        QStringList calls;
        QStringList boxes;
        QString title;
        S state;
        bool stays_open;
    };
    const Case cases[] = {
        {"no plays", kNothing, 0, kNothing, {"deltik"}, {}, "", S::deleted, false},
        {"no plays, no connection", kNothing, 0, [](SaleRig& r) { r.t->flg_nocox = 1; }, {}, {}, "", S::pending, false},
        {"below vta_min", server_limit("VENTIK_MIN", "10"), 9, kNothing, {"deltik", "getpaq", "newtkx"},
         {"Monto del ticket no es válido. El ticket fue anulado." + blanks(5) + "\r\n\r\nMínimo : 10 / Máximo : 10.000"},
         tovaren, S::deleted, true},
        {"above vta_max", server_limit("VENTIK_MAX", "20"), 21, kNothing, {"deltik", "getpaq", "newtkx"},
         {"Monto del ticket no es válido. El ticket fue anulado." + blanks(5) + "\r\n\r\nMínimo : 1 / Máximo : 20"},
         tovaren, S::deleted, true},
        {"equal to vta_min", server_limit("VENTIK_MIN", "10"), 10, kNothing, committed, {}, "", S::sold, true},
        {"equal to vta_max", server_limit("VENTIK_MAX", "20"), 20, kNothing, committed, {}, "", S::sold, true},
        {"-1: the server's limits", kNothing, 10, server_limit("VENTIK_MAX", "5"), refused,
         {"Monto del ticket no es válido. Mínimo : 1 / Máximo : 10.000" + blanks(5)}, ticket1, S::annulled, true},
        {"-2: plays the client does not have", kNothing, 10,
         [](SaleRig& r) { r.model().ticket(1)->plays << central::Play{1, "TCA", "N", "999", 100000000, false}; },
         refused, {"Cantidad de jugadas no es válida." + blanks(15)}, ticket1, S::annulled, true},
        {"-3: the draw closed", kNothing, 10, [](SaleRig& r) { r.model().sale_time = QTime(13, 0); }, refused,
         {"Sorteo(s) cerrado(s)." + blanks(15)}, ticket1, S::annulled, true},
        {"-7: the quota", kNothing, 10, [](SaleRig& r) { r.model().outlet.quota = 500000000; }, refused,
         {"Cupo de venta disponible : 5" + blanks(10)}, ticket1, S::annulled, true},
        {"0: no longer pending", kNothing, 10, [](SaleRig& r) { r.model().ticket(1)->state = S::annulled; },
         refused, {"Error interno de validación." + blanks(15)}, ticket1, S::annulled, true},
        {"connection lost at valtkx", kNothing, 10, [](SaleRig& r) { r.t.srv->fail_next(2, "valtkx"); },
         {"valtkx", "valtkx"}, {kNoConexion, "Error interno de validación." + blanks(15)}, ticket1, S::pending,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        c.before_open(r);
        ASSERT_TRUE(r.open());
        if (c.units > 0)
            r.put_play("TCA", "123", c.units);
        c.before_press(r);
        r.t.srv->log.clear();
        int lines_at_box = -1;
        r.dlg().on_box = [&](const fake::Box&) { lines_at_box = r.w->lt_nume->count(); };
        r.press_imprimir();

        EXPECT_EQ(r.t.srv->procs(), c.calls);
        EXPECT_EQ(r.dlg().texts(), c.boxes);
        if (!r.dlg().boxes.isEmpty()) {
            EXPECT_EQ(r.dlg().boxes.last().title, c.title);
            EXPECT_EQ(r.dlg().boxes.last().style, 48);
        }
        if (c.title == ticket1)
            EXPECT_EQ(lines_at_box, 0);  // the play list is cleared before the message
        if (c.calls.contains("valtkx"))
            EXPECT_EQ(args(r.t.srv->calls("valtkx")[0]).mid(2),
                      QStringList({"00000001", QString::number(qint64(c.units * 100000000)), "0", "1"}));
        if (c.calls.contains("anutix"))
            EXPECT_EQ(args(r.t.srv->calls("anutix")[0]), QStringList({"1", "001", "**"}));
        if (c.calls.contains("deltik"))
            EXPECT_EQ(args(r.t.srv->calls("deltik")[0]), QStringList({"00000001"}));
        EXPECT_EQ(r.state(1), c.state);
        EXPECT_EQ(r.t.prn->docs.size(), c.state == S::sold ? 1 : 0);
        EXPECT_EQ(r.dlg().pointer(), plat::ptr_default);
        EXPECT_EQ(!r.closed(), c.stays_open);
        if (c.stays_open) {
            EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
            EXPECT_EQ(r.w->lt_nume->count(), 0);
        }
    }
}

// With sys_rlot other than "0" the lotteries are unticked before the checks; with "0" they
// stay and are ticked again on the next ticket.
TEST(SaleImprimir, LotteryTicksAndThePickList)
{
    for (const QString rlot : {"0", "1"}) {
        SCOPED_TRACE(qPrintable(rlot));
        SaleRig r;
        r.t->cfg_reg.sys_rlot = rlot;
        r.model().set_param("VENTIK_MAX", "500000000");
        ASSERT_TRUE(r.open());
        r.w->lt_lote->item(3)->setCheckState(Qt::Checked);
        r.put_play("TCA", "123", 10);
        QList<int> at_box;
        r.dlg().on_box = [&](const fake::Box&) { at_box = r.ticked(r.w->lt_lote); };
        r.press_imprimir();
        EXPECT_EQ(at_box, rlot == "0" ? QList<int>({3}) : QList<int>());
        EXPECT_EQ(r.ticked(r.w->lt_lote), rlot == "0" ? QList<int>({3}) : QList<int>());
        EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
    }

    // While the code pick list is up, Imprimir only goes back to the number field.
    SaleRig r;
    ASSERT_TRUE(r.open());
    r.put_play("TCA", "123", 10);
    r.w->lx_nume->show();
    r.t.srv->log.clear();
    r.press_imprimir();
    EXPECT_TRUE(r.t.srv->log.isEmpty());
    EXPECT_EQ(r.state(1), central::Ticket::pending);
}

QStringList golden(const QString& name)
{
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../golden/sale/" + name));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"missing golden file " + name};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

struct Sold {
    const char* codlot;
    const char* numero;
    double units;
};

// The printed ticket, line by line, through the printer double.
TEST(SalePrint, TicketsMatchTheirGoldenFiles)
{
    struct Case {
        const char* golden;
        Arrange arrange;
        QList<Sold> plays;
    };
    const Case cases[] = {
        {"detailed.txt", kNothing,
         // Lotteries with the same plays share a group; a packed line may hold 31 characters.
         {{"TCA", "123", 10}, {"TCA", "456", 5}, {"TZU", "123", 10}, {"TZU", "456", 10}, {"TZU", "789", 10},
          {"TZU", "12", 3}, {"TZU", "34", 10}, {"LAC", "01", 2}, {"GRA", "01", 2}}},
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
         {{"TCA", "123", 10}, {"TCA", "456", 10}, {"TCA", "789", 10}, {"TCA", "12", 5}, {"SEL", "07", 5}}},
        {"long_play.txt",
         [](SaleRig& r) {
             r.t->cfg_reg.rep_juga = "2";
             r.t->cfg_reg.rep_enca = "0";
             r.t->ses_val.jug_sys = 10000000000.0;
         },
         {{"TTA", "100", 1}, {"TTA", "101", 1}, {"TTA", "102", 1}, {"TTA", "103", 1}, {"TTA", "104", 1},
          {"TTA", "105", 1}, {"TTA", "106", 1}, {"TTA", "107", 1}, {"TTA", "108", 1}, {"TTA", "20", 3}}},
        {"no_plays.txt", [](SaleRig& r) { r.t->cfg_reg.rep_juga = "0"; }, {{"TCA", "123", 10}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.golden);
        SaleRig r;
        c.arrange(r);
        ASSERT_TRUE(r.open());
        for (const Sold& p : c.plays)
            r.put_play(p.codlot, p.numero, p.units);
        r.press_imprimir();
        EXPECT_TRUE(r.dlg().boxes.isEmpty()) << qPrintable(r.dlg().texts().join('|'));
        EXPECT_EQ(args(r.t.srv->calls("valtkx")[0]).last(), QString::number(r.t->cfg_reg.rep_juga.toInt()));
        ASSERT_EQ(r.t.prn->docs.size(), 1);
        const fake::PrintedDoc& doc = r.t.prn->docs[0];
        EXPECT_EQ(doc.copies, 1);
        EXPECT_TRUE(doc.ended);
        ASSERT_FALSE(doc.lines.isEmpty());
        EXPECT_EQ(doc.lines.last(), "\f");
        // The tax sent is the tax printed.
        EXPECT_EQ(r.model().ticket(1)->tax, qint64(r.w->tik_cur.imp_tik));
        const QString hora = r.model().ticket(1)->hora;
        QStringList printed = doc.lines.mid(0, doc.lines.size() - 1);
        for (QString& line : printed)
            line.replace(QDate::currentDate().toString("dd/MM/yyyy"), "DD/MM/YYYY").replace(hora, "HH:MM:SS");
        EXPECT_EQ(printed, golden(c.golden));
    }
}

// A sold ticket whose job cannot be started or ended is reported; the ticket stays sold.
// A printer index that names no printer keeps the printer used before.
TEST(SalePrint, PrinterFaults)
{
    const QString error = "Error de impresión." + blanks(10);
    const struct {
        const char* name;
        std::function<void(fake::Printers&, CfgReg&)> arrange;
        QStringList boxes;
        int printer;  // the printer the job went to (-1 none)
    } cases[] = {
        {"no printer installed", [](fake::Printers& p, CfgReg&) { p.printer_names.clear(); }, {error}, -1},
        {"the printer cannot be opened", [](fake::Printers& p, CfgReg&) { p.fail_start = true; }, {error}, -1},
        {"a line fails", [](fake::Printers& p, CfgReg&) { p.fail_after_lines = 2; }, {}, 0},
        {"the second printer", [](fake::Printers& p, CfgReg& c) { p.printer_names << "Otra"; c.rep_nprn = 1; }, {}, 1},
        {"no such printer: the one before",
         [](fake::Printers& p, CfgReg& c) { p.printer_names << "Otra"; c.rep_nprn = 7; }, {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        c.arrange(*r.t.prn, r.t->cfg_reg);
        ASSERT_TRUE(r.open());
        r.put_play("TCA", "123", 10);
        r.press_imprimir();
        EXPECT_EQ(r.dlg().texts(), c.boxes);
        if (!r.dlg().boxes.isEmpty())
            EXPECT_EQ(r.dlg().boxes[0].style, 16);
        EXPECT_EQ(r.state(1), central::Ticket::sold);
        EXPECT_EQ(r.t.prn->docs.isEmpty() ? -1 : r.t.prn->docs[0].printer, c.printer);
        EXPECT_EQ(r.w->tx_ntik->text(), "00000002");
    }

    // Once a ticket went to the second printer, an index naming none keeps that one.
    SaleRig r;
    r.t.prn->printer_names << "Otra";
    r.t->cfg_reg.rep_nprn = 1;
    ASSERT_TRUE(r.open());
    for (int nprn : {1, 9}) {
        r.t->cfg_reg.rep_nprn = nprn;
        r.put_play("TCA", "123", 10);
        r.press_imprimir();
        EXPECT_EQ(r.t.prn->docs.last().printer, 1);
    }
}

} // namespace
