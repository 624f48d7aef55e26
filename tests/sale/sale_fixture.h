#pragma once
// The sale window on a TestApp after a cashier's login, shown and active, against the
// central-server double: an animal symbol set (1: 0 and 00 to 06) and a set whose "99" is
// its "0" (2); the sale dialogs answered as a cashier would, a stand-in for the ticket
// inquiry; keys typed where the focus is; the play list, the ticket and what the double
// holds.
#include "sale/dialogs/frame.h"
#include "sale/plays/movtik_plays.h"
#include "sale/windows.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPointer>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTest>
#include <gtest/gtest.h>

inline QString blanks(int n) { return QString(n, QLatin1Char(' ')); }
// A ticket number as the sale window shows it: 8 digits.
inline QString eight(qint64 numtik) { return QString::number(numtik).rightJustified(8, u'0'); }

// The values of a logged call, as text.
inline QStringList args(const central::Call& call)
{
    QStringList out;
    for (const QVariant& v : call.values)
        out << v.toString();
    return out;
}

// The lines of a golden file of tests/golden/sale.
inline QStringList golden(const QString& name)
{
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../golden/sale/" + name));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"missing golden file " + name};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    lines.removeLast();  // after the last line's end
    return lines;
}

// The focus; as a window manager does, a modal window is active, and the sale window is
// active again once a modal window closed.
inline QWidget* focus_widget()
{
    if (QWidget* modal = QApplication::activeModalWidget(); modal && !QApplication::activeWindow())
        QApplication::setActiveWindow(modal);
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!QApplication::activeWindow() && w->objectName() == "movtik" && w->isVisible())
            QApplication::setActiveWindow(w);
    return QApplication::focusWidget() ? QApplication::focusWidget() : QApplication::activeWindow();
}

// Keys typed where the focus is: each character types itself, <name> another key (<bs>,
// <tab>, <enter>, <esc>, <down>, <up>, <left>, <del>, <f5>; <c-home>, <c-end>, <c-up>,
// <c-down> with Ctrl); <@name> gives the focus to that control, as a click does.
inline void type_keys(const QString& keys)
{
    static const QMap<QString, QPair<Qt::Key, Qt::KeyboardModifiers>> named = {
        {"bs", {Qt::Key_Backspace, {}}}, {"tab", {Qt::Key_Tab, {}}},  {"enter", {Qt::Key_Return, {}}},
        {"esc", {Qt::Key_Escape, {}}},   {"down", {Qt::Key_Down, {}}}, {"up", {Qt::Key_Up, {}}},
        {"left", {Qt::Key_Left, {}}},    {"del", {Qt::Key_Delete, {}}}, {"f5", {Qt::Key_F5, {}}},
        {"c-home", {Qt::Key_Home, Qt::ControlModifier}}, {"c-end", {Qt::Key_End, Qt::ControlModifier}},
        {"c-up", {Qt::Key_Up, Qt::ControlModifier}},     {"c-down", {Qt::Key_Down, Qt::ControlModifier}}};
    static const QRegularExpression token("<([^>]+)>|.");
    for (auto it = token.globalMatch(keys); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        QWidget* at = focus_widget();
        if (!at)
            return;
        const QString name = m.captured(1);
        if (name.startsWith('@'))
            at->window()->findChild<QWidget*>(name.mid(1))->setFocus();
        else if (!name.isEmpty())
            QTest::keyClick(at, named[name].first, named[name].second);
        else
            QTest::keyClick(at, m.captured(0)[0].toLatin1());
    }
}

// Where a click ticks a row of a list: its check box.
inline QPoint check_box(QListWidget* list, int row)
{
    QStyleOptionViewItem opt;
    opt.initFrom(list->viewport());
    opt.rect = list->visualItemRect(list->item(row));
    opt.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    return list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, list).center();
}

// Runs a function, once control is back in an event loop, for each sale dialog shown.
class DialogWatch : public QObject {
public:
    explicit DialogWatch(std::function<void(SaleDialog*)> on_show) : on_show_(std::move(on_show))
    {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (auto* d = qobject_cast<SaleDialog*>(o); d && e->type() == QEvent::Show)
            QTimer::singleShot(0, d, [this, d] { on_show_(d); });
        return false;
    }

private:
    std::function<void(SaleDialog*)> on_show_;
};

struct SaleRig {
    TestApp t;
    QPointer<movtik_plays> w;
    // What the cashier does in a sale dialog: the keys typed, or the steps given.
    QString dialog_keys = "<esc>";
    std::function<void(SaleDialog*)> in_dialog;
    QStringList shown;  // each dialog shown, with the play type ticked meanwhile
    // The number of the first ticket the sale opens: the demo's history holds the ones below.
    const qint64 first = t.srv->model.next_numtik;
    DialogWatch watch_dialogs{[this](SaleDialog* d) {
        shown << d->objectName() + ":" + QString::number(ticked(w->lt_tipo).value(0, -1));
        QApplication::setActiveWindow(d);  // as a window manager does
        in_dialog ? in_dialog(d) : type_keys(dialog_keys);
        if (d->isVisible()) {
            ADD_FAILURE() << "the dialog " << qPrintable(d->objectName()) << " stayed open";
            d->close();
        }
    }};

    // over_wire: through the real driver and the double's TDS endpoint (TestApp::over_wire).
    explicit SaleRig(bool over_wire = false)
    {
        if (over_wire) {
            EXPECT_TRUE(t.over_wire());
        }
        t.connect();
        auto& s = t->ses_val;
        s.cod_ven = "001";
        s.cod_caj = "01";
        s.nom_ven = "AGENCIA DEMO";
        s.ord_lot = 0;
        s.lot_mnu = model().outlet.values.value("GETLOT_MNU");
        s.tik_men1 = "GRACIAS POR SU COMPRA";
        t->num_hdd = "0305419896";
        const QString sets = "1 0 Delfin,1 00 Ballena,1 01 Carnero,1 02 Toro,1 03 Ciempies,1 04 Alacran,1 05 Leon,"
                             "1 06 Rana,2 0 Delfin,2 99 Delfin,2 05 Leon";
        for (const QString& sym : sets.split(',')) {
            t->tab_sim.sim_cod << sym.section(' ', 0, 0).toInt();
            t->tab_sim.sim_num << sym.section(' ', 1, 1);
            t->tab_sim.sim_nom << sym.section(' ', 2);
        }
        zod_table(t->vocab);
        register_sale_windows(*t);
        t->register_window("contix", [this](App&) -> QWidget* {
            auto* d = new QDialog;
            QTimer::singleShot(0, d, [this, d] {
                shown << "contix:" + QString::number(ticked(w->lt_tipo).value(0, -1));
                d->reject();
            });
            return d;
        });
    }
    ~SaleRig() { unload(); }

    central::Model& model() { return t.srv->model; }
    fake::Dialogs& dlg() { return *t.dlg; }
    QStringList procs() const { return t.srv->procs(); }
    TikCur& tik() { return w->tik_cur; }

    // Opens the sale window (loaded, shown, active) and lets a close it asked for happen;
    // null once it closed.
    movtik_plays* open()
    {
        w = t->win<movtik_plays>("movtik");
        if (w) {
            w->show();
            QApplication::setActiveWindow(w);
        }
        settle();
        return w;
    }
    // Runs what was queued: a close asked for during an activation, deferred deletions.
    static void settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void unload()
    {
        t->unload("movtik");
        settle();
    }
    bool closed() { return !w || !w->isVisible(); }

    // A play put straight on the server's ticket and the client's total, as the ticket
    // cycle sees plays. amount in whole units.
    void put_play(const QString& codlot, const QString& numero, double amount)
    {
        const qint64 stored = qint64(amount * t->ses_val.mod_sys);
        central::Ticket* tk = model().ticket(tik().numtik());
        ASSERT_TRUE(tk);
        tk->plays.append(central::Play{int(tk->plays.size()), codlot, "N", numero, stored, false});
        tik().tot_tik += double(stored);
        w->lt_nume->addItem(codlot + " " + numero);
    }
    // The state of a ticket on the server.
    QString state(qint64 numtik)
    {
        return QStringList{"pending", "sold", "annulled", "deleted"}.value(model().ticket(numtik)->state);
    }
    // Ticks of the pending-ticket watch.
    void watch(int n)
    {
        for (int i = 0; i < n; ++i)
            w->timer_tik_Timer();
    }
    void press_imprimir()
    {
        w->b_imprimir->click();
        settle();
    }

    QList<int> ticked(QListWidget* list) const
    {
        QList<int> out;
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->checkState() == Qt::Checked)
                out << i;
        return out;
    }
    // The codes of the lotteries listed in lt_lote (of the ticked ones only, when asked).
    QStringList listed(bool only_ticked = false) const
    {
        QStringList out;
        for (int i = 0; i < w->lt_lote->count(); ++i)
            if (!only_ticked || w->lt_lote->item(i)->checkState() == Qt::Checked)
                out << movtik::item_codint(w->lt_lote->item(i));
        return out;
    }
    int row(const QString& codint) const { return int(listed().indexOf(codint)); }
    void tick(const QString& codint, bool on = true)
    {
        w->lt_lote->item(row(codint))->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    // Ticks the lotteries of these codes (separated by blanks) and no other.
    void lots(const QString& codes)
    {
        const QStringList wanted = codes.split(' ', Qt::SkipEmptyParts);
        for (const QString& code : listed())
            tick(code, wanted.contains(code));
    }
    // The number field entered and emptied, keys typed.
    void enter(const QString& keys)
    {
        w->tx_nume->setFocus();
        w->tx_nume->setEditText("");
        type_keys(keys);
    }
    QString number() const { return w->tx_nume->currentText(); }
    // A sign dialog's Aceptar on these lotteries: the number, an amount of 5 and the signs
    // (letters from "A"), zodiac or cacho.
    void sign_play(const QString& codes, const QString& num, const QString& letters, bool cacho = false)
    {
        lots(codes);
        auto& d = t->dlg_datos;
        d.dlg_num1 = num;
        d.dlg_mon = "500000000";
        QList<int>& flags = cacho ? d.flg_cac : d.flg_zod;
        flags.fill(0);
        for (QChar c : letters)
            flags[c.unicode() - 'A'] = 1;
        cacho ? w->zod_tik2() : w->zod_tik();
    }
    QString focus() const { return focus_widget() ? focus_widget()->objectName() : ""; }
    // The texts of a list's items, the ticked ones only when asked: the pick list's
    // (lx_nume->model()), the amount presets (tx_mont->model()).
    static QStringList texts(const QAbstractItemModel* m, bool only_ticked = false)
    {
        QStringList out;
        for (int i = 0; i < m->rowCount(); ++i)
            if (!only_ticked || m->index(i, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
                out << m->index(i, 0).data().toString();
        return out;
    }

    QStringList lines() const
    {
        QStringList out;
        for (int i = 0; i < w->lt_nume->count(); ++i)
            out << w->lt_nume->item(i)->text();
        return out;
    }
    // The calls with their values (dates and times as "*") and the messages (style, text,
    // a title other than the program's) since the last look, for a transcript.
    QStringList events()
    {
        QStringList out;
        static const QRegularExpression date_time("\\d{4}-\\d\\d-\\d\\d|\\d\\d:\\d\\d:\\d\\d");
        for (const central::Call& call : std::exchange(t.srv->log, {}))
            out << ("call " + call.proc + " " + args(call).join('|').replace(date_time, "*")).trimmed();
        for (const fake::Box& box : std::exchange(dlg().boxes, {}))
            out << QString("box %1 \"%2\"%3")
                       .arg(box.style)
                       .arg(QString(box.text).replace("\r", "\\r").replace("\n", "\\n"),
                            box.title == "Tovaren" ? "" : " " + box.title);
        return out;
    }
    // What happened since the last report, for a transcript: the events, the dialogs shown,
    // then the play list and the entry, or that the window closed. Checked each time: the
    // pointer is back to default and no parameter is left on cmd_sp; unless the ticket was
    // arranged otherwise, the line count and the total shown are the ticket's and the double
    // holds the client's plays.
    QStringList report(bool ticket = true)
    {
        QStringList out = events();
        for (const QString& name : shown)
            out << "dialog " + name;
        shown.clear();
        EXPECT_EQ(dlg().pointer(), plat::ptr_default);
        EXPECT_TRUE(t->cmd_sp.params().isEmpty());
        if (!w)
            return out << "closed";
        for (const QString& line : lines())
            out << "line " + line;
        QStringList types;
        for (int i : ticked(w->lt_tipo))
            types << QString::number(i);
        const auto shown = [](const QString& v) { return v.isEmpty() ? QStringLiteral("-") : v; };
        out << QString("ticket %1 | total %2 | number \"%3\" | amount \"%4\" | focus %5 | types %6 | ticked %7")
                   .arg(shown(w->tx_ntik->text()), shown(w->tx_mtik->text()), number(), w->tx_mont->currentText(),
                        shown(focus()), shown(types.join(',')), shown(listed(true).join(',')));
        if (ticket && tik().numtik() > 0)
            agree();
        return out;
    }
    // A transcript against its golden file: the first line that differs.
    // TOVAREN_GOLDEN=write writes the transcript as the new golden file instead.
    static void expect_transcript(const QStringList& got, const QString& name)
    {
        if (qEnvironmentVariable("TOVAREN_GOLDEN") == "write") {
            QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../golden/sale/" + name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << qPrintable(name);
            f.write((got.join('\n') + '\n').toUtf8());
            return;
        }
        const QStringList want = golden(name);
        for (qsizetype i = 0; i < std::max(got.size(), want.size()); ++i)
            if (got.value(i, "(end)") != want.value(i, "(end)")) {
                ADD_FAILURE() << qPrintable(name) << " line " << i + 1 << "\n  got:  " << qPrintable(got.value(i, "(end)"))
                              << "\n  want: " << qPrintable(want.value(i, "(end)"));
                return;
            }
    }

    // The double's ticket holds the client's records, index by index, and its total.
    void agree()
    {
        const central::Ticket* tk = model().ticket(tik().numtik());
        ASSERT_TRUE(tk);
        QStringList server, client;
        qint64 sum = 0;
        for (const central::Play& sp : tk->plays) {
            server << QString("%1 %2 %3").arg(sp.index).arg(sp.numero).arg(sp.deleted ? 0 : sp.monto);
            sum += sp.deleted ? 0 : sp.amount();
        }
        for (int i = 0; i < tik().can_jug; ++i)
            client << QString("%1 %2 %3").arg(i).arg(tik().jug_tik[i].numero.trimmed()).arg(qint64(tik().jug_tik[i].monto));
        EXPECT_EQ(server, client);
        EXPECT_EQ(double(sum), tik().tot_tik);
        EXPECT_EQ(w->tx_mtik->text(), mon_show(t->mon(), tik().tot_tik));
        EXPECT_EQ(tik().can_lin, w->lt_nume->count());
    }
};
