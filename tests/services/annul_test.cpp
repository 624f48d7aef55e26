// The annulment window and the annulment sequence it shares with the ticket inquiry.
#include "services/annul.h"
#include "services/annul_window.h"
#include "tests/services/tickets_fixture.h"

#include <QMdiArea>
#include <functional>

namespace {

using central::Ticket;

const QStringList kFields{"tx_numt", "tx_fech", "tx_caja", "tx_mont"};
const QString kQuestion = box("¿Desea anular el ticket?", 33);
const QString kAnulado = box("Ticket anulado.", 64);
const QString kYaAnulado = box("Ticket ya está anulado.", 48);

using Annul = TicketsTest;

TEST_F(Annul, EveryStatusAndCheck)
{
    const QString header = "%1|" + today.toString("dd/MM/yyyy") + "|05|5";
    const QString no_ven = box("Ticket no pertenece a esta tovaren. No puede ser anulado.", 48) + " %1|||";
    const QString procesado = box("Ticket procesado. No puede ser anulado.", 48) + " %1|||";
    const auto code7 = [](Annul& a, Ticket&) {  // a code of the server's own: no objection
        a.t.srv->register_procedure("dsptik", [](central::Request& r) {
            r.status = 7;
            r.rows({"fecmov", "codven", "iduser", "total"}).rows << QVariantList{"01-02-2030", "001", "05", 0};
            return true;
        });
    };
    const struct {
        const char* name;
        std::function<void(Annul&, Ticket&)> setup;
        const char* caja;       // the user's
        int answer;             // at the question
        QStringList seen;       // each box with the fields while it is up; %1 the padded number
        const char* anutix;     // the caja it gets; none: not called
        Ticket::State after;
    } cases[] = {
        {"unknown", [](Annul&, Ticket& tk) { tk.state = Ticket::deleted; }, "03", 1,
         {box("Ticket no existe.", 48) + " %1|||"}, nullptr, Ticket::deleted},
        {"processed", [](Annul&, Ticket& tk) { tk.processed = true; }, "03", 1, {procesado}, nullptr, Ticket::sold},
        {"paid", [](Annul&, Ticket& tk) { tk.processed = tk.paid = true; }, "03", 1, {procesado}, nullptr, Ticket::sold},
        {"earlier day", [](Annul&, Ticket& tk) { tk.fecha = tk.fecha.addDays(-1); }, "03", 1,
         {box("Ticket no puede ser anulado.", 48) + " %1|||"}, nullptr, Ticket::sold},
        {"annulled", [](Annul&, Ticket& tk) { tk.state = Ticket::annulled; }, "03", 1, {kYaAnulado + " %1|||"}, nullptr,
         Ticket::annulled},
        {"other outlet", [](Annul&, Ticket& tk) { tk.cod_ven = "002"; }, "00", 1, {no_ven}, nullptr, Ticket::sold},
        {"no header row", [](Annul& a, Ticket&) { a.t.srv->no_recordset("dsptik"); }, "00", 1, {no_ven}, nullptr,
         Ticket::sold},
        {"other caja", [](Annul&, Ticket&) {}, "03", 1,
         {box("Ticket no pertenece a esta caja. No puede ser anulado.", 48) + " %1|||"}, nullptr, Ticket::sold},
        {"supervisor", [](Annul&, Ticket&) {}, "00", 1, {kQuestion + " " + header, kAnulado + " " + header}, "00",
         Ticket::annulled},
        {"own caja", [](Annul&, Ticket&) {}, "05", 1, {kQuestion + " " + header, kAnulado + " " + header}, "05",
         Ticket::annulled},
        {"cancel", [](Annul&, Ticket&) {}, "05", 2, {kQuestion + " " + header}, nullptr, Ticket::sold},
        {"refused by anutix",  // processed while the question was up
         [](Annul& a, Ticket&) { a.dlg().on_box = [&a](const fake::Box&) { a.model().tickets.last().processed = true; }; },
         "05", 1, {kQuestion + " " + header, box("Ticket no puede ser anulado.", 48) + " " + header}, "05", Ticket::sold},
        {"another code", code7, "05", 2, {kQuestion + " %1|01-02-2030|05|0"}, nullptr, Ticket::sold},
    };
    t->mnu.value("pro_anu")->trigger();
    auto* w = t->win<proatk>("proatk");
    qint64 num = 4711;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Ticket& tk = add_ticket(++num);
        t->ses_val.cod_caj = k.caja;
        t.srv->no_recordset("dsptik", false);
        k.setup(*this, tk);
        clear_log();
        dlg().answers = {k.answer};
        const QStringList seen = procesar(w, QString::number(num), kFields);
        EXPECT_EQ(seen, QStringList(k.seen).replaceInStrings("%1", "0000" + QString::number(num)));
        QStringList want{"dsptik:" + QString::number(num)};
        if (k.anutix)
            want << QString("anutix:%1|001|%2").arg(num).arg(k.anutix);
        EXPECT_EQ(calls(), want);
        EXPECT_EQ(fields(w, kFields), "|||");
        EXPECT_EQ(model().tickets.last().state, k.after);
        expect_clean();
        if (k.anutix && k.after == Ticket::annulled) {  // a second run finds it annulled
            clear_log();
            procesar(w, QString::number(num), kFields);
            EXPECT_EQ(boxes(), QStringList{kYaAnulado});
        }
    }
}

TEST_F(Annul, LastTicketOnEveryActivation)
{
    add_ticket(4711, "03");
    t->mnu.value("pro_anu")->trigger();
    auto* w = t->win<proatk>("proatk");
    EXPECT_EQ(calls(), QStringList{"dsputk:<null>|001|03"});
    EXPECT_EQ(w->tx_ultt->selectedText(), "00004711");

    // A run does not refresh "Último:".
    add_ticket(4712, "03");
    procesar(w, "4711", kFields);
    EXPECT_EQ(boxes().last(), kAnulado);
    EXPECT_EQ(t.srv->calls("dsputk").size(), 1);
    EXPECT_EQ(w->tx_ultt->text(), "00004711");

    // Back from another child it is; a caja without tickets empties it.
    t->mnu.value("mov_prm")->trigger();
    t->ses_val.cod_caj = "07";
    t->mnu.value("pro_anu")->trigger();
    EXPECT_EQ(t.srv->calls("dsputk").size(), 2);
    EXPECT_EQ(w->tx_ultt->text(), "");
    t->ses_val.cod_caj = "03";
    main->mdi_area()->activatePreviousSubWindow();
    main->mdi_area()->activateNextSubWindow();
    EXPECT_EQ(t.srv->calls("dsputk").size(), 3);
    EXPECT_EQ(w->tx_ultt->text(), "00004712");
}

// The inquiry's path: the number given (beyond 32 bits), no header, a reload after every
// outcome but a lost connection.
TEST_F(Annul, InquiryPath)
{
    const Ticket& tk = add_ticket(3000000123, "03");
    int reloads = 0;
    AnnulPath path;
    path.numtik = 3000000123;
    path.after = [&] { ++reloads; };
    const QString dsptik = "dsptik:3000000123", anutix = "anutix:3000000123|001|03";
    const struct {
        const char* lost_at;
        QStringList boxes, calls;
        int reloads;
    } runs[] = {
        {"dsptik", {kLostBox}, {dsptik, dsptik}, 0},
        {"anutix", {kQuestion, kLostBox}, {dsptik, anutix, anutix}, 0},
        {"", {kQuestion, kAnulado}, {dsptik, anutix}, 1},
        {"", {kYaAnulado}, {dsptik}, 2},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.lost_at);
        t.connect();
        clear_log();
        t.srv->fail_next(*r.lost_at ? 2 : 0, r.lost_at);
        anular_ticket(*t, path);
        EXPECT_EQ(boxes(), r.boxes);
        EXPECT_EQ(calls(), r.calls);
        EXPECT_EQ(reloads, r.reloads);
        expect_clean();
    }
    EXPECT_EQ(tk.state, Ticket::annulled);
}

} // namespace
