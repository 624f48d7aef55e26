#pragma once
// The sale window with play entry, shown and active, on the demo catalogue, with an animal
// symbol set (set 1: 0 and 00 to 06) and a set whose "99" is its "0" (set 2), and stand-ins
// of the sale dialogs.
#include "tests/sale/sale_fixture.h"
#include "sale/entry/movtik_entry.h"

#include <QApplication>
#include <QDialog>
#include <QTest>

// The focus; as a window manager does, the sale window is active again once a modal
// window closed.
inline QWidget* focus_widget()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!QApplication::activeWindow() && w->objectName() == "movtik" && w->isVisible())
            QApplication::setActiveWindow(w);
    return QApplication::focusWidget();
}

// Keys of a text, typed where the focus is: each character types itself, but \b Backspace, \t Tab, \n Enter, \1 Ctrl+Home,
// \2 Ctrl+End, \3 Ctrl+Up, \4 Ctrl+Down, \5 Down, \6 Up, \16 Left, \177 Delete; \021 to \025 give
// the focus to tx_mont, lt_tipo, tx_mtik, lt_nume, tx_ntik (as a click does).
inline void type_keys(const QString& keys)
{
    static const QMap<int, QPair<Qt::Key, Qt::KeyboardModifiers>> special = {
        {8, {Qt::Key_Backspace, {}}}, {9, {Qt::Key_Tab, {}}}, {10, {Qt::Key_Return, {}}},
        {1, {Qt::Key_Home, Qt::ControlModifier}}, {2, {Qt::Key_End, Qt::ControlModifier}},
        {3, {Qt::Key_Up, Qt::ControlModifier}}, {4, {Qt::Key_Down, Qt::ControlModifier}}, {5, {Qt::Key_Down, {}}},
        {6, {Qt::Key_Up, {}}}, {14, {Qt::Key_Left, {}}}, {127, {Qt::Key_Delete, {}}}};
    static const QStringList clicked = {"tx_mont", "lt_tipo", "tx_mtik", "lt_nume", "tx_ntik"};
    for (const QChar c : keys) {
        QWidget* at = focus_widget();
        if (!at)
            return;
        if (const auto k = special.find(c.unicode()); k != special.end())
            QTest::keyClick(at, k->first, k->second);
        else if (c.unicode() >= 17 && c.unicode() <= 21)
            at->window()->findChild<QWidget*>(clicked[c.unicode() - 17])->setFocus();
        else
            QTest::keyClick(at, c.toLatin1());
    }
}

// Play entry with its dialog follow-ups logged.
class entry_probe : public movtik_entry {
public:
    using movtik_entry::movtik_entry;
    QStringList* log = nullptr;
    void add_ter() override { *log << "add_ter"; }
    void add_dup() override { *log << "add_dup"; }
    void add_rep() override { *log << "add_rep"; }
    void bor_jug() override { *log << "bor_jug"; }
};

struct EntryRig : SaleRig {
    entry_probe* e = nullptr;
    QString answer;     // what the sale dialogs' stand-ins leave in dlg_res
    QStringList shown;  // each dialog shown (its name and the play type ticked meanwhile), each follow-up

    EntryRig(const std::function<void(EntryRig&)>& before_open = {})
    {
        const QString sets = "1 0 Delfin,1 00 Ballena,1 01 Carnero,1 02 Toro,1 03 Ciempies,1 04 Alacran,1 05 Leon,"
                             "1 06 Rana,2 0 Delfin,2 99 Delfin,2 05 Leon";
        for (const QString& sym : sets.split(',')) {
            t->tab_sim.sim_cod << sym.section(' ', 0, 0).toInt();
            t->tab_sim.sim_num << sym.section(' ', 1, 1);
            t->tab_sim.sim_nom << sym.section(' ', 2);
        }
        t->register_window("movtik", [this](App& a) -> QWidget* {
            auto* w = new entry_probe(a);
            w->log = &shown;
            w->Form_Load();
            return w;
        });
        for (const char* name : {"tertik", "duptik", "reptik", "bortik", "signos", "signos2", "contix"})
            t->register_window(name, [this, name](App& a) -> QWidget* {
                auto* d = new QDialog;
                QTimer::singleShot(0, d, [this, d, name, &a] {
                    shown << name + QString(":") + QString::number(ticked(e->lt_tipo).value(0, -1));
                    a.dlg_datos.dlg_res = answer;
                    d->reject();
                });
                return d;
            });
        if (before_open)
            before_open(*this);
        e = static_cast<entry_probe*>(open());
        QApplication::setActiveWindow(e);
    }

    int row(const QString& codint) const { return int(listed().indexOf(codint)); }
    void tick(const QString& codint, bool on = true)
    {
        e->lt_lote->item(row(codint))->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    // The lottery ticked (if any), the number field entered and emptied, keys typed.
    void enter(const QString& codint, const QString& keys)
    {
        if (!codint.isEmpty())
            tick(codint);
        e->tx_nume->setFocus();
        e->tx_nume->setEditText("");
        type_keys(keys);
    }
    QString number() const { return e->tx_nume->currentText(); }
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
    QString focus() const { return focus_widget() ? focus_widget()->objectName() : ""; }
};
