#pragma once
// The sale over the wire: a cashier of the demo outlet logged in (as a finished login leaves
// the program), the real FreeTDS driver and the call rule, the central-server double behind
// its TDS endpoint on loopback, and the sale window typed at with the keyboard.
//
// And a soak: tickets sold one after another while connection faults strike at random
// points of the ticket cycle (a call lost before it ran, its retry too, an answer lost after
// the server ran the call, every connection closed, reopens refused, a commit whose re-run
// is refused followed by an opening that fails, a keep-alive that finds the server refusing,
// keep-alive ticks inside the messages).
// After each of the cashier's steps: a step taken while the connection counted as lost sent
// nothing that changes the server, and no step sent work for a ticket the server had closed
// before it. After each ticket the connection comes back with the keep-alive and the
// promise an outlet lives by is checked: every printed ticket is committed once, with the
// plays and the total it shows; every committed ticket is printed or annulled; no printed
// ticket is annulled, nor named by a deletion or an annulment. A sale window left without a
// ticket tries its opening once, after the keep-alive's tick that found the server: it has a
// ticket again, or, when that try is lost too, it is closed.
#include "central/tds_endpoint.h"
#include "core/app/rule.h"
#include "core/db/tds_driver.h"
#include "core/shell/timers.h"
#include "tests/sale/sale_fixture.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace wire {

struct WireSale {
    central::Server srv{[noon = test_noon()] { return noon; }};
    central::TdsEndpoint ep{srv};
    // The number of the first ticket the sale opens: the demo's history holds the ones below.
    const qint64 first = srv.model.next_numtik;
    fake::Dialogs* dlg = new fake::Dialogs;
    fake::Printers* prn = new fake::Printers;
    std::unique_ptr<App> app;
    QPointer<movtik_plays> w;
    QString error;  // why the sale cannot start

    WireSale()
    {
        Services s;
        s.dialogs.reset(dlg);
        s.printers.reset(prn);
        s.settings = std::make_unique<fake::Settings>();
        s.http = std::make_unique<fake::Http>();
        s.system = std::make_unique<fake::System>();
        s.driver = std::make_unique<db::TdsDriver>();
        app = std::make_unique<App>(std::move(s));
        if (!ep.start(QStringLiteral("127.0.0.1"), 0, &error))
            return;
        auto& d = app->dat_cox;
        d.srv_ip = ep.host();
        d.srv_port = QString::number(ep.port());
        d.bd_usr = srv.model.db_user;
        d.bd_clv = srv.model.db_password;
        d.srv_databs = "tovaren";
        d.cod_guid = "0123456789abcdef01234567";
        auto& v = app->ses_val;
        v.cod_ven = "001";
        v.cod_caj = "01";
        v.nom_ven = "AGENCIA DEMO";
        app->num_hdd = "0305419896";
        register_sale_windows(*app);
        if (!cox_reconnect(*app))
            error = "no connection to the endpoint";
    }
    ~WireSale()
    {
        if (app)
            app->unload("movtik");
        SaleRig::settle();
    }

    // Opens the sale window (shown, active); a window without a ticket closes at once.
    void open()
    {
        w = app->win<movtik_plays>("movtik");
        if (w) {
            w->show();
            QApplication::setActiveWindow(w);
        }
        SaleRig::settle();
    }
    bool shown() const { return w && w->isVisible(); }
    qint64 numtik() const { return shown() ? w->tik_cur.numtik() : 0; }
    // One play on Triple Caracas (ticked when it is not), typed in the number field: the
    // number, Enter, the amount in whole units, Enter.
    void play(const QString& number, int units)
    {
        if (!shown())
            return;
        for (int i = 0; i < w->lt_lote->count(); ++i)
            if (movtik::item_codint(w->lt_lote->item(i)) == "001" && w->lt_lote->item(i)->checkState() != Qt::Checked)
                w->lt_lote->item(i)->setCheckState(Qt::Checked);
        w->tx_nume->setFocus();
        w->tx_nume->setEditText("");
        type_keys(number + "<enter>" + QString::number(units) + "<enter>");
    }
    // Esc where the focus is (nothing once the window is gone).
    void esc()
    {
        if (shown())
            type_keys("<esc>");
        SaleRig::settle();
    }
    // The main window's tick: the keep-alive.
    void tick() { timers_Timer(*app); }

    QList<central::Call> log() { return ep.with_server([](central::Server& s) { return s.log; }); }
    QList<central::Ticket> tickets() { return ep.with_server([](central::Server& s) { return s.model.tickets; }); }
    // The state of a ticket on the server (-1 when it has none of that number).
    int state(qint64 numtik)
    {
        return ep.with_server([numtik](central::Server& s) { return s.model.ticket(numtik) ? int(s.model.ticket(numtik)->state) : -1; });
    }
    // The numbers the deletions and annulments of the log named, from its index from on.
    QList<qint64> disposed(const QList<central::Call>& log, qsizetype from = 0) const
    {
        QList<qint64> out;
        for (qsizetype i = from; i < log.size(); ++i)
            if (log[i].proc == "deltik" || log[i].proc == "anutix")
                out << log[i].values.value(0).toString().trimmed().toLongLong();
        return out;
    }
};

// A printed ticket as the printer received it: its number, its total and its plays.
struct Printed {
    qint64 numtik = 0;
    QString total;
    QStringList plays;  // "123x10", sorted
};

inline Printed read_printed(const fake::PrintedDoc& doc)
{
    static const QRegularExpression number("TICKT:(\\d+) "), play("^[0-9*]+x[0-9.,]+$");
    Printed p;
    for (const QString& line : doc.lines) {
        if (const auto m = number.match(line); m.hasMatch())
            p.numtik = m.captured(1).toLongLong();
        else if (line.trimmed().startsWith("TOTAL TICKET"))
            p.total = line.section(':', -1).trimmed();
        else
            for (const QString& word : line.split(' ', Qt::SkipEmptyParts))
                if (play.match(word).hasMatch())
                    p.plays << word;
    }
    p.plays.sort();
    return p;
}

// What a soak did, and every breach of the promise it found.
struct Figures {
    int tickets = 0;         // tickets typed
    int printed = 0;
    int annulled = 0;        // tickets annulled on the server
    int faults = 0;          // faults armed
    int left_empty = 0;      // a commit, then no next ticket: the window held none
    int ended_empty = 0;     // a ticket annulled or deleted, then no next ticket
    int reopened = 0;        // a window left without a ticket got one when the server was back
    int reopen_closed = 0;   // its try was lost again: the window closed
    int remembered = 0;      // a failed commit left a ticket to annul later
    int while_lost = 0;      // steps the cashier took while the connection counted as lost
    QStringList breaches;
};

// The ticket a call of the ticket cycle sends work for (0: none).
inline qint64 named(const central::Call& call)
{
    static const QStringList first = {"protkx", "deltik", "anutix", "delnux", "bortix", "tertix", "reptix"};
    const int at = first.contains(call.proc) ? 0 : call.proc == "duptix" ? 1 : call.proc == "valtkx" ? 2 : -1;
    return at < 0 ? 0 : call.values.value(at).toString().trimmed().toLongLong();
}

// One of the cashier's steps, checked: taken while the connection counted as lost (and no
// keep-alive tick ran inside its messages), it sends nothing that changes the server; and it
// sends nothing for a ticket the server had closed before it, but the annulment of one the
// program remembered to annul.
inline void checked_step(WireSale& s, const std::function<void()>& step, const int& ticks, const QString& fault,
                         Figures& f)
{
    static const QStringList changing = {"newtkx", "protkx", "valtkx", "deltik", "anutix", "delnux", "bortix",
                                         "tertix", "reptix", "duptix"};
    const bool lost = s.app->flg_nocox != 0;
    const int ticks_before = ticks;
    QSet<qint64> closed, remembered;
    for (const central::Ticket& t : s.tickets())
        if (t.state != central::Ticket::pending)
            closed << t.numtik;
    for (const TikAnu& t : s.app->tik_anu)
        remembered << t.numtik;
    const qsizetype from = s.log().size();
    step();
    f.while_lost += lost ? 1 : 0;
    for (const central::Call& call : s.log().mid(from)) {
        if (!changing.contains(call.proc))
            continue;
        if (lost && ticks == ticks_before)
            f.breaches << fault + ": " + call.proc + " sent while the connection counted as lost";
        const qint64 n = named(call);
        if (closed.contains(n) && !(call.proc == "anutix" && remembered.contains(n)))
            f.breaches << fault + QString(": %1 sent for ticket %2, closed before").arg(call.proc).arg(n);
    }
}

// The promise, checked against everything printed and every ticket the server held since.
struct Promise {
    QSet<qint64> before;            // the server's tickets before the sale (its history)
    QMap<qint64, Printed> printed;  // by number
    qsizetype docs_seen = 0, log_seen = 0;

    explicit Promise(WireSale& s)
    {
        for (const central::Ticket& t : s.tickets())
            before << t.numtik;
    }

    void check(WireSale& s, const QString& fault, QStringList& breaches)
    {
        const auto breach = [&](const QString& what) { breaches << fault + ": " + what; };
        for (; docs_seen < s.prn->docs.size(); ++docs_seen) {
            const Printed p = read_printed(s.prn->docs[docs_seen]);
            if (printed.contains(p.numtik))
                breach(QString("ticket %1 printed twice").arg(p.numtik));
            printed[p.numtik] = p;
        }
        const QList<central::Call> log = s.log();
        for (qint64 n : s.disposed(log, log_seen))
            if (printed.contains(n))
                breach(QString("printed ticket %1 named by a deletion or an annulment").arg(n));
        log_seen = log.size();

        // Each ticket of the server as a printed one would read: its total and its plays.
        struct Held {
            central::Ticket::State state;
            Printed p;
        };
        const QMap<qint64, Held> held = s.ep.with_server([&](central::Server& srv) {
            QMap<qint64, Held> out;
            for (const central::Ticket& t : srv.model.tickets) {
                if (before.contains(t.numtik))
                    continue;
                Held h{t.state, {t.numtik, mon_showtik(s.app->mon(), double(t.total)).trimmed(), {}}};
                for (const central::Play& play : t.plays)
                    if (!play.deleted && play.monto > 0)
                        h.p.plays << play.text() + "x" + srv.model.units(play.monto);
                h.p.plays.sort();
                out[t.numtik] = h;
            }
            return out;
        });
        const QString states[] = {"pending", "sold", "annulled", "deleted"};
        for (auto it = held.begin(); it != held.end(); ++it)
            if (it->state == central::Ticket::sold && !printed.contains(it.key()))
                breach(QString("ticket %1 committed, neither printed nor annulled").arg(it.key()));
        for (const Printed& p : printed) {
            const auto h = held.constFind(p.numtik);
            if (h == held.constEnd())
                breach(QString("printed ticket %1 unknown to the server").arg(p.numtik));
            else if (h->state != central::Ticket::sold)
                breach(QString("printed ticket %1 is %2").arg(p.numtik).arg(states[h->state]));
            else if (p.total != h->p.total || p.plays != h->p.plays)
                breach(QString("ticket %1 printed as %2 [%3], committed as %4 [%5]")
                           .arg(p.numtik).arg(p.total, p.plays.join(' '), h->p.total, h->p.plays.join(' ')));
        }
    }
};

// Sells tickets with faults drawn from seed, checking the promise after each ticket.
inline Figures soak(quint32 seed, int tickets)
{
    Figures f;
    WireSale s;
    if (!s.error.isEmpty()) {
        f.breaches << "the sale cannot start: " + s.error;
        return f;
    }
    s.ep.with_server([](central::Server& srv) {
        srv.model.outlet.quota = 1000000000000000000;
        srv.model.cupo_num = 1000000000000000000;
    });
    QRandomGenerator rng(seed);
    // The procedures of the ticket cycle; "" strikes whatever call comes next.
    const QStringList procs = {"", "getpaq", "newtkx", "protkx", "valtkx", "anutix", "deltik"};
    bool tick_in_boxes = false;
    int ticks = 0;  // keep-alive ticks inside the messages
    s.dlg->on_box = [&](const fake::Box&) {
        if (tick_in_boxes)
            s.tick(), ++ticks;
    };
    Promise promise(s);
    for (int i = 0; i < tickets; ++i) {
        if (!s.numtik()) {
            checked_step(s, [&] { s.esc(); }, ticks, QString("seed %1 ticket %2: Esc without a ticket").arg(seed).arg(i), f);
            s.open();  // a window left without a ticket closed
        }
        const int plays = 1 + int(rng.bounded(3));
        const int at = int(rng.bounded(plays + 1));  // the step the fault is armed before
        // none, lost before it ran, answer lost, all closed, the commit's answer lost and its
        // re-run refused (the ticket annulled) with the next opening's getpaq lost twice, the
        // keep-alive's probe refused before and after its reopen (lost, the connection open)
        const int kind = int(rng.bounded(6));
        const QString proc = procs[rng.bounded(int(procs.size()))];
        const int runs = 1 + int(rng.bounded(2));    // calls it strikes
        const int refused = int(rng.bounded(3));     // reopens refused after it
        tick_in_boxes = rng.bounded(4) == 0;
        const QString fault = QString("seed %1 ticket %2: fault %3 on \"%4\" x%5 before step %6 of %7, %8 reopens refused%9")
                                  .arg(seed).arg(i).arg(kind).arg(proc).arg(runs).arg(at).arg(plays).arg(refused)
                                  .arg(tick_in_boxes ? ", ticks in messages" : "");
        const bool had = s.numtik() != 0;
        const qsizetype docs = s.prn->docs.size();
        for (int step = 0; step <= plays; ++step) {
            if (step == at && kind != 0) {
                ++f.faults;
                if (kind == 3)
                    s.ep.drop_connections();
                s.ep.with_server([&](central::Server& srv) {
                    if (kind == 1)
                        srv.fail_next(runs, proc);
                    if (kind == 4)
                        srv.fail_next(2, "getpaq");
                    else
                        srv.fail_next_open(refused);
                });
                if (kind == 2)
                    s.ep.lose_answers_at_next_calls(runs, proc);
                if (kind == 4)
                    s.ep.lose_answers_at_next_calls(1, "valtkx");
                if (kind == 5) {
                    s.ep.with_server([](central::Server& srv) { srv.error_next(2, "stacox"); });
                    s.tick();
                }
            }
            const QString number = QString::number(rng.bounded(1000)).rightJustified(3, '0');
            const int units = 1 + int(rng.bounded(20));
            checked_step(s, [&] { step < plays ? s.play(number, units) : s.esc(); }, ticks, fault, f);
        }
        ++f.tickets;
        s.ep.lose_answers_at_next_calls(0);
        s.ep.with_server([&](central::Server& srv) {
            for (const QString& p : procs)
                srv.fail_next(0, p);
            srv.fail_next_open(0);
            srv.error_next(0, "stacox");
        });
        tick_in_boxes = false;
        if (s.numtik() && !s.app->tik_anu.isEmpty())
            f.breaches << fault + ": a ticket opened while a failed one waited for its annulment";
        f.remembered += s.app->tik_anu.isEmpty() ? 0 : 1;
        const bool empty = had && s.shown() && !s.numtik();
        f.left_empty += empty && s.prn->docs.size() > docs ? 1 : 0;
        f.ended_empty += empty && s.prn->docs.size() == docs ? 1 : 0;

        // The connection back, what waited for it sent, and a window without a ticket given
        // one once the tick is over, or closed when that try is lost too; then the promise.
        const bool lost_again = empty && rng.bounded(3) == 0;
        if (lost_again)
            s.ep.with_server([](central::Server& srv) { srv.fail_next(2, "newtkx"); });
        s.tick();
        if (s.app->flg_nocox != 0 || !s.app->tik_anu.isEmpty())
            f.breaches << fault + ": the keep-alive did not bring the connection back and annul what waited";
        SaleRig::settle();
        if (s.shown() && !s.numtik())
            f.breaches << fault + ": the sale window stayed without a ticket once the server was back";
        if (lost_again && s.shown())
            f.breaches << fault + ": a window whose try was lost again stayed open";
        f.reopened += empty && s.numtik() ? 1 : 0;
        f.reopen_closed += empty && !s.shown() ? 1 : 0;
        promise.check(s, fault, f.breaches);
    }
    f.printed = int(promise.printed.size());
    for (const central::Ticket& t : s.tickets())
        f.annulled += t.state == central::Ticket::annulled && !promise.before.contains(t.numtik) ? 1 : 0;
    return f;
}

} // namespace wire
