// The annulment window and the annulment sequence it shares with the ticket inquiry.
#include "services/annul.h"
#include "services/annul_window.h"
#include "tests/services/tickets_fixture.h"

#include <QDialog>
#include <QTimer>
#include <functional>

namespace {

using central::Ticket;

const QStringList kFields{"tx_numt", "tx_fech", "tx_caja", "tx_mont"};
const QStringList kEmpty{"", "", "", ""};
const QString kQuestion = "¿Desea anular el ticket?" + k5 + "/33";
const QString kAnulado = "Ticket anulado." + k5 + "/64";
const QString kNoPuede = "Ticket no puede ser anulado." + k5 + "/48";

class Annul : public TicketsTest {
public:
    proatk* open()
    {
        t->mnu.value("pro_anu")->trigger();
        return t->win<proatk>("proatk");
    }
    // Types the number and presses Enter; returns the four fields as the question saw them.
    QStringList procesar(proatk* w, const QString& typed)
    {
        QStringList at_question;
        auto inner = dlg().on_box;
        dlg().on_box = [&](const fake::Box& b) {
            if (inner)
                inner(b);
            if (b.style == 33)
                at_question = texts(w, kFields);
        };
        w->tx_numt->clear();
        QTest::keyClicks(w->tx_numt, typed);
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        dlg().on_box = nullptr;
        return at_question;
    }
};

TEST_F(Annul, EveryStatusAndCheck)
{
    const QString today = QDate::currentDate().toString("dd/MM/yyyy");
    const QString no_ven = "Ticket no pertenece a esta tovaren. No puede ser anulado." + k5 + "/48";
    struct Case {
        const char* name;
        std::function<void(Annul&, Ticket&)> setup;
        const char* caja;       // the user's
        int answer;             // at the question
        QStringList boxes;
        const char* anutix;     // its caja; none: not called
        QStringList at_question;  // %1 the number
        Ticket::State after = Ticket::sold;
    };
    const QStringList header{"%1", today, "05", "5"};
    auto nothing = [](Annul&, Ticket&) {};
    const Case cases[] = {
        {"unknown", [](Annul&, Ticket& tk) { tk.state = Ticket::deleted; }, "03", 1,
         {"Ticket no existe." + k5 + "/48"}, nullptr, {}, Ticket::deleted},
        {"processed", [](Annul&, Ticket& tk) { tk.processed = true; }, "03", 1,
         {"Ticket procesado. No puede ser anulado." + k5 + "/48"}, nullptr, {}},
        {"paid", [](Annul&, Ticket& tk) { tk.processed = tk.paid = true; }, "03", 1,
         {"Ticket procesado. No puede ser anulado." + k5 + "/48"}, nullptr, {}},
        {"earlier day", [](Annul&, Ticket& tk) { tk.fecha = tk.fecha.addDays(-1); }, "03", 1, {kNoPuede}, nullptr, {}},
        {"annulled", [](Annul&, Ticket& tk) { tk.state = Ticket::annulled; }, "03", 1,
         {"Ticket ya está anulado." + k5 + "/48"}, nullptr, {}, Ticket::annulled},
        {"other outlet", [](Annul&, Ticket& tk) { tk.cod_ven = "002"; }, "00", 1, {no_ven}, nullptr, {}},
        {"no header row", [](Annul& a, Ticket&) { a.t.srv->no_recordset("dsptik"); }, "00", 1, {no_ven}, nullptr, {}},
        {"other caja", nothing, "03", 1,
         {"Ticket no pertenece a esta caja. No puede ser anulado." + k5 + "/48"}, nullptr, {}},
        {"supervisor", nothing, "00", 1, {kQuestion, kAnulado}, "00", header, Ticket::annulled},
        {"own caja", nothing, "05", 1, {kQuestion, kAnulado}, "05", header, Ticket::annulled},
        {"cancel", nothing, "05", 2, {kQuestion}, nullptr, header},
        {"refused by anutix",  // processed while the question was up
         [](Annul& a, Ticket&) { a.dlg().on_box = [&a](const fake::Box&) { a.model().tickets.last().processed = true; }; },
         "05", 1, {kQuestion, kNoPuede}, "05", header},
        {"another status code",
         [](Annul& a, Ticket&) {
             a.t.srv->register_procedure("dsptik", [](central::Request& r) {
                 r.status = 7;
                 r.rows({"fecmov", "codven", "iduser", "total"}).rows << QVariantList{"01-02-2030", "001", "05", 0};
                 return true;
             });
         },
         "05", 2, {kQuestion}, nullptr, {"%1", "01-02-2030", "05", "0"}},
    };
    proatk* w = open();
    qint64 num = 4711;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        const QString padded = "0000" + QString::number(++num);
        Ticket& tk = add_ticket(num);
        t->ses_val.cod_caj = k.caja;
        t.srv->no_recordset("dsptik", false);
        k.setup(*this, tk);
        clear_log();
        dlg().answers = {k.answer};
        QStringList at_question = procesar(w, QString::number(num));
        EXPECT_EQ(boxes(), k.boxes);
        QStringList want_calls{"dsptik:" + QString::number(num)};
        if (k.anutix)
            want_calls << QString("anutix:%1|001|%2").arg(num).arg(k.anutix);
        EXPECT_EQ(calls(), want_calls);
        QStringList want_question = k.at_question;
        want_question.replaceInStrings("%1", padded);
        EXPECT_EQ(at_question, want_question);
        EXPECT_EQ(texts(w, kFields), kEmpty);
        EXPECT_EQ(model().tickets.last().state, k.after);
        expect_clean();
        if (k.after == Ticket::annulled && k.anutix) {  // a second run finds it annulled
            clear_log();
            procesar(w, QString::number(num));
            EXPECT_EQ(boxes(), QStringList{"Ticket ya está anulado." + k5 + "/48"});
        }
    }
}

TEST_F(Annul, EmptyFieldAndLostConnections)
{
    Ticket& tk = add_ticket(4711, "03");
    proatk* w = open();

    // An empty field sends ticket 0.
    clear_log();
    procesar(w, "");
    EXPECT_EQ(calls(), QStringList{"dsptik:0"});
    EXPECT_EQ(boxes(), QStringList{"Ticket no existe." + k5 + "/48"});

    // Lost at dsptik: only the lost-connection message; the padded number stays.
    clear_log();
    t.srv->fail_next(2, "dsptik");
    procesar(w, "4711");
    EXPECT_EQ(boxes(), QStringList{kNoConexion + "/16"});
    EXPECT_EQ(texts(w, kFields), QStringList({"00004711", "", "", ""}));
    expect_clean();

    // Lost at anutix: the header stays too, and the ticket is not annulled.
    t.connect();
    clear_log();
    t.srv->fail_next(2, "anutix");
    procesar(w, "4711");
    EXPECT_EQ(boxes(), QStringList({kQuestion, kNoConexion + "/16"}));
    EXPECT_EQ(texts(w, kFields), QStringList({"00004711", QDate::currentDate().toString("dd/MM/yyyy"), "03", "5"}));
    EXPECT_EQ(tk.state, Ticket::sold);
    expect_clean();
}

TEST_F(Annul, LastTicketOnEveryActivation)
{
    add_ticket(4711, "03");
    proatk* w = open();
    EXPECT_EQ(t.srv->calls("dsputk").size(), 1);
    EXPECT_EQ(calls().last(), "dsputk:<null>|001|03");
    EXPECT_EQ(w->tx_ultt->text(), "00004711");
    EXPECT_EQ(w->tx_ultt->selectedText(), "00004711");

    // A run annuls the ticket and its boxes come and go: "Último:" is not refreshed.
    auto real_box = [](const fake::Box&) {
        QDialog box;
        QTimer::singleShot(0, &box, &QDialog::accept);
        box.exec();
    };
    dlg().on_box = real_box;
    add_ticket(4712, "03");
    QTest::keyClicks(w->tx_numt, "4711");
    QTest::keyClick(w->tx_numt, Qt::Key_Return);
    dlg().on_box = nullptr;
    EXPECT_EQ(dlg().texts().last(), "Ticket anulado." + k5);
    EXPECT_EQ(t.srv->calls("dsputk").size(), 1);
    EXPECT_EQ(w->tx_ultt->text(), "00004711");

    // Back from another child: refreshed; a caja without tickets empties it.
    t->mnu.value("mov_prm")->trigger();
    EXPECT_EQ(active(), "movprm");
    t->ses_val.cod_caj = "07";
    t->mnu.value("pro_anu")->trigger();
    EXPECT_EQ(active(), "proatk");
    EXPECT_EQ(t.srv->calls("dsputk").size(), 2);
    EXPECT_EQ(w->tx_ultt->text(), "");
    t->ses_val.cod_caj = "03";
    main->mdi_area()->activatePreviousSubWindow();
    main->mdi_area()->activateNextSubWindow();
    EXPECT_EQ(t.srv->calls("dsputk").size(), 3);
    EXPECT_EQ(w->tx_ultt->text(), "00004712");

    // A lost connection keeps what it showed.
    t.srv->fail_next(2, "dsputk");
    w->Form_Activate();
    EXPECT_EQ(w->tx_ultt->text(), "00004712");
}

// The inquiry's path: the number given (above the 32-bit range), no header, a reload after
// every outcome but a lost connection.
TEST_F(Annul, InquiryPath)
{
    const qint64 big = 3000000123;
    Ticket& tk = add_ticket(big, "03");
    int reloads = 0;
    AnnulPath path;
    path.numtik = big;
    path.after = [&] { ++reloads; };

    const struct {
        int fail;               // lost at: 0 none, 1 dsptik, 2 anutix
        QStringList boxes;
        QStringList calls;
        int reloads;
    } runs[] = {
        {1, {kNoConexion + "/16"}, {"dsptik:3000000123", "dsptik:3000000123"}, 0},
        {2, {kQuestion, kNoConexion + "/16"},
         {"dsptik:3000000123", "anutix:3000000123|001|03", "anutix:3000000123|001|03"}, 0},
        {0, {kQuestion, kAnulado}, {"dsptik:3000000123", "anutix:3000000123|001|03"}, 1},
        {0, {"Ticket ya está anulado." + k5 + "/48"}, {"dsptik:3000000123"}, 2},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.fail);
        t.connect();
        clear_log();
        if (r.fail)
            t.srv->fail_next(2, r.fail == 1 ? "dsptik" : "anutix");
        anular_ticket(*t, path);
        EXPECT_EQ(boxes(), r.boxes);
        EXPECT_EQ(calls(), r.calls);
        EXPECT_EQ(reloads, r.reloads);
        expect_clean();
    }
    EXPECT_EQ(tk.state, Ticket::annulled);
}

} // namespace
