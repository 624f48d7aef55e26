// The payment window, and what it shares with the annulment window: the ticket field's
// keys, Enter and Esc, the place.
#include "services/payment_window.h"
#include "tests/services/tickets_fixture.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <functional>

namespace {

using central::Ticket;
using Payment = TicketsTest;

const QStringList kFields{"tx_numt", "tx_fech", "tx_caja", "tx_mont", "tx_prem"};

TEST_F(Payment, EveryStatusAndCheck)
{
    const QString shown = " %1|" + today.addDays(-1).toString("dd/MM/yyyy") + "|05|5|1.234";  // %1 the serial
    const QString question = box("¿Desea cancelar el ticket?", 33) + shown;
    const QString no_ven = box("Ticket no pertenece a esta tovaren. No puede ser cancelado.", 48) + " %1||||";
    const struct {
        const char* name;
        std::function<void(Payment&, Ticket&)> setup;
        int answer;
        QStringList seen;     // each box with the fields while it is up
        bool pagtix = false;
        bool paid = false;
    } cases[] = {
        {"unknown", [](Payment&, Ticket& tk) { tk.serial = 1; }, 1, {box("Ticket no existe.", 48) + " %1||||"}},
        {"annulled", [](Payment&, Ticket& tk) { tk.state = Ticket::annulled; }, 1,
         {box("Ticket anulado.", 48) + " %1||||"}},
        {"paid", [](Payment&, Ticket& tk) { tk.paid = true; }, 1, {box("Ticket ya está cancelado.", 48) + shown},
         false, true},
        {"expired", [](Payment&, Ticket& tk) { tk.fecha = tk.fecha.addDays(-3); }, 1,
         {box("Ticket vencido.", 48) + " %1||||"}},
        {"not processed", [](Payment&, Ticket& tk) { tk.processed = false; }, 1,
         {box("Ticket no ha sido procesado.", 48) + " %1||||"}},
        {"other outlet", [](Payment&, Ticket& tk) { tk.cod_ven = "002"; }, 1, {no_ven}},
        {"no row", [](Payment& p, Ticket&) { p.t.srv->no_recordset("dsptix"); }, 1, {no_ven}},
        {"no prize", [](Payment&, Ticket& tk) { tk.premio = 0; }, 1,
         {box("Ticket no tiene premios.", 48) + " %1|" + today.addDays(-1).toString("dd/MM/yyyy") + "|05|5|0"}},
        {"cancel", [](Payment&, Ticket&) {}, 2, {question}},
        {"refused",  // paid elsewhere while the question was up
         [](Payment& p, Ticket&) { p.dlg().on_box = [&p](const fake::Box&) { p.model().tickets.last().paid = true; }; },
         1, {question, box("Ticket no puede ser cancelado.", 48) + shown}, true, true},
        {"paid now", [](Payment&, Ticket&) {}, 1, {question, box("Ticket cancelado.", 64) + shown}, true, true},
    };
    t->mnu.value("pro_pag")->trigger();
    auto* w = t->win<proptk>("proptk");
    qint64 num = 4711;
    for (const auto& k : cases) {
        SCOPED_TRACE(k.name);
        Ticket& tk = add_ticket(++num);  // a processed winner of 1.234 units from yesterday
        tk.fecha = today.addDays(-1);
        tk.processed = true;
        tk.premio = 123400000000;
        const QString serial = QString::number(tk.serial);
        t.srv->no_recordset("dsptix", false);
        k.setup(*this, tk);
        clear_log();
        dlg().answers = {k.answer};
        EXPECT_EQ(procesar(w, serial, kFields), QStringList(k.seen).replaceInStrings("%1", serial));
        EXPECT_EQ(fields(w, kFields), "||||");
        QStringList want{"dsptix:<null>|" + serial};
        if (k.pagtix)  // the key dsptix answered, not the serial; twelve blanks; no value
            want << QString("pagtix:0000%1|001|03|            |<null>").arg(num);
        EXPECT_EQ(calls(), want);
        EXPECT_EQ(model().tickets.last().paid, k.paid);
        expect_clean();
    }
    // Paid through the window, the ticket is then reported as paid.
    clear_log();
    procesar(w, QString::number(model().tickets.last().serial), kFields);
    EXPECT_EQ(boxes(), QStringList{box("Ticket ya está cancelado.", 48)});
}

// The ticket field of both windows: digits and Backspace only, at most 8, an empty one
// sent as eight "0"; Enter runs "Procesar" or the button with the focus, Esc "Cancelar".
TEST_F(Payment, BothWindowsFieldKeysAndPlace)
{
    const struct {
        const char* window;
        const char* item;
        QString call;
    } cases[] = {{"proatk", "pro_anu", "dsptik:0"}, {"proptk", "pro_pag", "dsptix:<null>|00000000"}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.window);
        t->mnu.value(k.item)->trigger();
        auto* w = t->win<TicketForm>(k.window);
        EXPECT_EQ(w->focusWidget(), w->tx_numt);
        EXPECT_EQ(w->size(), QSize(341, 222));
        EXPECT_EQ(w->parentWidget()->pos(),
                  TicketForm::place_for(QGuiApplication::primaryScreen()->geometry().width() * 15));
        QTest::keyClicks(w->tx_numt, "1a 2-+.,3456789");
        EXPECT_EQ(w->tx_numt->text(), "12345678");
        QTest::keyClick(w->tx_numt, Qt::Key_Backspace);
        EXPECT_EQ(w->tx_numt->text(), "1234567");
        w->tx_numt->clear();
        clear_log();
        QTest::keyClick(w->tx_numt, Qt::Key_Return);
        EXPECT_EQ(calls(), QStringList{k.call});
        EXPECT_EQ(boxes(), QStringList{box("Ticket no existe.", 48)});

        w->b_cancelar->setFocus();
        QTest::keyClick(w->b_cancelar, Qt::Key_Return);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(t->is_loaded(k.window));
        t->mnu.value(k.item)->trigger();
        QTest::keyClick(t->win<TicketForm>(k.window)->tx_numt, Qt::Key_Escape);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_FALSE(t->is_loaded(k.window));
    }
    EXPECT_EQ(TicketForm::place_for(9600), QPoint(0, 0));
    EXPECT_EQ(TicketForm::place_for(9615), QPoint(33, 33));
}

} // namespace
