#pragma once
// The sale window on a TestApp after a cashier's login, shown and active, against the
// central-server double: an animal symbol set (1: 0 and 00 to 06) and a set whose "99" is
// its "0" (2); the sale dialogs answered as a cashier would, a stand-in for the ticket
// inquiry; keys typed where the focus is; the play list, the ticket and what the double
// holds.
#include "sale/dialogs/frame.h"
#include "sale/plays/movtik_plays.h"
#include "sale/windows.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/test_app.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QInputMethodEvent>
#include <QLineEdit>
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
// An amount in whole units as stored units (mod_sys 100000000).
inline QString units(double u) { return QString::number(u * 1e8, 'f', 0); }

// The values of a logged call, as text.
inline QStringList args(const central::Call& call)
{
    QStringList out;
    for (const QVariant& v : call.values)
        out << v.toString();
    return out;
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

// A printed ticket's lines but its page end, the day's date and the commit's time in them
// written as DD/MM/YYYY and HH:MM:SS.
inline QStringList printed_lines(const fake::PrintedDoc& doc, const QString& hora)
{
    QStringList out = doc.lines.mid(0, doc.lines.size() - 1);
    for (QString& line : out)
        line.replace(QDate::currentDate().toString("dd/MM/yyyy"), "DD/MM/YYYY").replace(hora, "HH:MM:SS");
    return out;
}

// A click on a row of a list, scrolled into view: on its check box, or on its text.
inline void click_row(QListWidget* list, int row, bool on_box = true)
{
    list->scrollToItem(list->item(row));
    QStyleOptionViewItem opt;
    opt.initFrom(list->viewport());
    opt.rect = list->visualItemRect(list->item(row));
    opt.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opt, list);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, on_box ? box.center() : opt.rect.center());
}

inline QList<int> ticked(const QListWidget* list)
{
    QList<int> out;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->checkState() == Qt::Checked)
            out << i;
    return out;
}

inline QString joined(const QList<int>& numbers, QChar sep = u',')
{
    QStringList out;
    for (const int n : numbers)
        out << QString::number(n);
    return out.join(sep);
}

// A control's background: "f" the focus colour, "w" white, else the colour's name.
inline QString colour(const QWidget* w)
{
    const QColor c = w->palette().color(QPalette::Base);
    return c == QColor(255, 224, 192) ? "f" : c == QColor(Qt::white) ? "w" : c.name();
}

// What a sale dialog leaves in dlg_datos: the result and the amount, and what else is set.
inline QString dlg_text(const DlgDatos& x)
{
    QString out = QString("res \"%1\" mon \"%2\"").arg(x.dlg_res, x.dlg_mon);
    if (!(x.dlg_num1 + x.dlg_num2 + x.dlg_num3).isEmpty())
        out += QString(" num \"%1\" \"%2\" \"%3\"").arg(x.dlg_num1, x.dlg_num2, x.dlg_num3);
    if (x.dlg_lot != " " || !x.dlg_lots.isEmpty())
        out += QString(" lot \"%1\" lots \"%2\"").arg(x.dlg_lot, x.dlg_lots);
    if (!x.dlg_lotsel.isEmpty())
        out += " lotsel " + x.dlg_lotsel.join(',');
    for (const auto& [name, flags] : {std::pair{QString(" zod"), &x.flg_zod}, {" cac", &x.flg_cac}, {" sim", &x.flg_sim}}) {
        QList<int> set;  // from 1
        for (int i = 0; i < flags->size(); ++i)
            set << ((*flags)[i] ? i + 1 : 0);
        if (set.removeAll(0) < flags->size())
            out += name + " [" + joined(set) + "]";
    }
    return out;
}

// What a sale dialog shows: each field (text, caret, selection, colour) and each list (the
// rows ticked, the cursor row, colour) in the order they were made, the focus, whether it is
// open, and what it left in dlg_datos.
inline QString dialog_state(SaleDialog* d, const DlgDatos& x)
{
    QStringList out;
    for (QWidget* c : d->findChildren<QWidget*>())
        if (auto* e = qobject_cast<QLineEdit*>(c))
            out << QString("%1 \"%2\" %3 sel \"%4\" %5")
                       .arg(e->objectName(), e->text()).arg(e->cursorPosition()).arg(e->selectedText(), colour(e));
        else if (auto* l = qobject_cast<QListWidget*>(c))
            out << QString("%1 [%2] @%3 %4").arg(l->objectName(), joined(ticked(l))).arg(l->currentRow()).arg(colour(l));
    const QWidget* focus = focus_widget();
    return (out << "focus " + (focus ? focus->objectName() : "-") << (d->isVisible() ? "open" : "closed") << dlg_text(x))
        .join(" | ");
}

// Text pasted into a field without typing it: by Ctrl+V and Shift+Insert, then by an input
// method.
inline void paste(QWidget* field, const QString& clipboard, const QString& commit)
{
    QGuiApplication::clipboard()->setText(clipboard);
    QInputMethodEvent im;
    im.setCommitString(commit);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
    QApplication::sendEvent(field, &im);
}

// A step of the cashier in a sale dialog: keys typed where the focus is, or "~box [list] N"
// and "~row [list] N" a click on row N's check box or text (of the first list unless
// named), "~out" and "~in" the focus taken away and given back, "~sel" the field's second
// character selected with the mouse, "~paste" text pasted by keys and by input method,
// "~close" a close through the window frame.
inline void dialog_step(SaleDialog* d, const QString& step)
{
    static QPointer<QWidget> out;
    const QStringList w = step.split(' ');
    if (w[0] == "~box" || w[0] == "~row")
        click_row(w.size() > 2 ? d->findChild<QListWidget*>(w[1]) : d->findChild<QListWidget*>(), w.last().toInt(),
                  w[0] == "~box");
    else if (step == "~out")
        (out = QApplication::focusWidget())->clearFocus();
    else if (step == "~in")
        out->setFocus();
    else if (step == "~sel")
        qobject_cast<QLineEdit*>(QApplication::focusWidget())->setSelection(1, 1);
    else if (step == "~close")
        d->close();
    else if (step == "~paste")
        paste(QApplication::focusWidget(), "12a", "34b");
    else
        type_keys(step);
}

// Runs what was queued: a close asked for during an activation, deferred deletions.
inline void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Opens the sale window (loaded, shown, active) and lets a close it asked for happen; null
// once it closed.
inline movtik_plays* open_sale(App& app)
{
    QPointer<movtik_plays> w = app.win<movtik_plays>("movtik");
    if (w) {
        w->show();
        QApplication::setActiveWindow(w);
    }
    settle();
    return w;
}

struct SaleRig : QObject {
    TestApp t;
    QPointer<movtik_plays> w;
    // What the cashier does in each sale dialog shown, once control is back in an event
    // loop: the steps of each opening in turn (see dialog_step), each with what the dialog
    // shows after it kept for the next report; with no opening left, these keys.
    QList<QStringList> openings;
    QString dialog_keys = "<esc>";
    QStringList trail;
    QStringList shown;  // each dialog shown, with the play type ticked meanwhile
    // The number of the first ticket the sale opens: the demo's history holds the ones below.
    const qint64 first = t.srv->model.next_numtik;

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (auto* d = qobject_cast<SaleDialog*>(o); d && e->type() == QEvent::Show)
            QTimer::singleShot(0, d, [this, d] {
                seen(d->objectName());
                QApplication::setActiveWindow(d);  // as a window manager does
                openings.isEmpty() ? type_keys(dialog_keys) : work(d, openings.takeFirst());
                if (d->isVisible()) {
                    ADD_FAILURE() << "the dialog " << qPrintable(d->objectName()) << " stayed open";
                    d->close();
                }
            });
        return false;
    }
    void seen(const QString& dialog) { shown << dialog + ":" + QString::number(ticked(w->lt_tipo).value(0, -1)); }

    SaleRig()
    {
        qApp->installEventFilter(this);
        t.connect();
        auto& s = t->ses_val;
        s.cod_ven = "001", s.cod_caj = "01", s.nom_ven = "AGENCIA DEMO", s.ord_lot = 0;
        s.lot_mnu = model().outlet.values.value("GETLOT_MNU"), s.tik_men1 = "GRACIAS POR SU COMPRA";
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
            QTimer::singleShot(0, d, [this, d] { seen("contix"), d->reject(); });
            return d;
        });
    }
    ~SaleRig() override
    {
        unload();
        qApp->removeEventFilter(this);
    }

    central::Model& model() { return t.srv->model; }
    fake::Dialogs& dlg() { return *t.dlg; }
    TikCur& tik() { return w->tik_cur; }

    movtik_plays* open() { return w = open_sale(*t); }
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
    // The entry beyond a report: the number field's caret and selection, the amount's
    // selection, the number's length and limit kind, the pick list with the items ticked,
    // the amount presets (and whether they are open).
    QString entry() const
    {
        const QLineEdit *e = w->tx_nume->lineEdit(), *m = w->tx_mont->lineEdit();
        return QString("caret %1 sel \"%2\" | amount sel \"%3\" | max_num %4 sel_lim %5 | picks %6 [%7] | presets %8%9")
            .arg(e->cursorPosition()).arg(e->selectedText(), m->selectedText()).arg(w->tik_cur.max_num)
            .arg(w->tik_cur.sel_lim).arg(texts(w->lx_nume->model()).join(','), texts(w->lx_nume->model(), true).join(','),
                                         texts(w->tx_mont->model()).join(','), EntryBridge::dropped(w->tx_mont) ? " (open)" : "");
    }
    // The texts of a list's items, the ticked ones only when asked: a list box's, the pick
    // list's (lx_nume->model()), the amount presets (tx_mont->model()).
    static QStringList texts(const QAbstractItemModel* m, bool only_ticked = false)
    {
        QStringList out;
        for (int i = 0; i < m->rowCount(); ++i)
            if (!only_ticked || m->index(i, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
                out << m->index(i, 0).data().toString();
        return out;
    }

    // A dialog opened: where, what it keeps from earlier openings, its lists' rows (again
    // whenever they change) and its state; then each step and the state after it.
    void work(SaleDialog* d, const QStringList& steps)
    {
        const DlgDatos& x = t->dlg_datos;
        trail << QString("open %1 \"%2\" at %3,%4 | keeps sel %5 selt %6 tik_ant \"%7\" lot_tik %8")
                     .arg(d->objectName(), d->windowTitle()).arg(d->x()).arg(d->y()).arg(x.flg_sel).arg(x.flg_selt)
                     .arg(x.tik_ant, x.lot_tik.join('|'));
        QMap<QString, QString> seen;
        for (qsizetype i = -1; i < steps.size(); ++i) {
            if (i >= 0)
                dialog_step(d, steps[i]);
            trail << (i < 0 ? QString("  ") : "> " + steps[i] + " | ") + dialog_state(d, x);
            for (const QListWidget* l : d->findChildren<QListWidget*>()) {
                const QStringList rows = texts(l->model());
                const QString now = rows.size() > 20 ? QString("%1 rows %2..%3").arg(rows.size()).arg(rows.first(), rows.last())
                                                     : rows.join('|');
                if (now != seen.value(l->objectName()))
                    trail << "  " + l->objectName() + " = " + (seen[l->objectName()] = now);
            }
            trail << events();
        }
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
    // What happened since the last report, for a transcript: the dialogs' steps, the events,
    // the dialogs shown, then the play list and the entry, or that the window closed.
    // Checked each time: the pointer is back to default and no parameter is left on cmd_sp;
    // unless the ticket was arranged otherwise, the line count and the total shown are the
    // ticket's and the double holds the client's plays.
    QStringList report(bool ticket = true)
    {
        QStringList out = std::exchange(trail, {}) << events();
        for (const QString& name : shown)
            out << "dialog " + name;
        shown.clear();
        EXPECT_EQ(dlg().pointer(), plat::ptr_default);
        EXPECT_TRUE(t->cmd_sp.params().isEmpty());
        if (!w)
            return out << "closed";
        for (const QString& line : texts(w->lt_nume->model()))
            out << "line " + line;
        const auto shown = [](const QString& v) { return v.isEmpty() ? QStringLiteral("-") : v; };
        out << QString("ticket %1 | total %2 | number \"%3\" | amount \"%4\" | focus %5 | types %6 | ticked %7")
                   .arg(shown(w->tx_ntik->text()), shown(w->tx_mtik->text()), number(), w->tx_mont->currentText(),
                        shown(focus()), shown(joined(ticked(w->lt_tipo))), shown(listed(true).join(',')));
        if (ticket && tik().numtik() > 0)
            agree();
        return out;
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

// What a case does to a rig; and nothing.
using Step = std::function<void(SaleRig&)>;
inline const Step kNothing = [](SaleRig&) {};

// Each case on a fresh sale window: "== name", then what run(rig, case, transcript) writes;
// the whole against a golden file of tests/golden/sale.
template <class Case, size_t N, class Run>
void sale_cases(const char* golden, const Case (&cases)[N], Run run)
{
    QStringList transcript;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SaleRig r;
        transcript << QString("== ") + c.name;
        run(r, c, transcript);
    }
    expect_golden(transcript, QString("sale/") + golden);
}

// A sale dialog worked case by case: the sale window set up by arrange(rig, case), which
// opens it; then for each list of steps in the case's openings the dialog opened by
// open(rig, case) and worked, and what the sale window shows after.
template <class Case, size_t N, class Arrange, class Open>
void dialog_cases(const char* golden, const Case (&cases)[N], Arrange arrange, Open open)
{
    sale_cases(golden, cases, [&](SaleRig& r, const Case& c, QStringList& transcript) {
        arrange(r, c);
        ASSERT_FALSE(r.closed());
        r.report();
        r.openings = c.openings;
        for (qsizetype i = 0; i < c.openings.size(); ++i)
            open(r, c);
        transcript << r.report();
    });
}
