#include "movtik_entry.h"
#include "core/shared/justify.h"
#include "core/shell/show.h"

#include <QLineEdit>

namespace {

// Items of the play-type list.
constexpr int kN = 0, kP = 1, kZ = 2, kT = 3, kD = 4, kR = 5, kE = 6, kL = 7, kK = 8, kO = 9;
constexpr int kLastMode = 12;   // "J - TRIPLETA"
constexpr int kExtras = 13;     // the extra play types from here on
constexpr int kBackspace = 8;

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

bool number_char(int key) { return key == '*' || (key >= '0' && key <= '9'); }

} // namespace

movtik_entry::movtik_entry(App& app, QWidget* parent) : movtik(app, parent), bridge_(new EntryBridge(this))
{
    CtlEvents& nume = bridge_->attach(tx_nume);
    nume.key_press = [this](int k) { return tx_nume_KeyPress(k); };
    nume.key_down = [this](int k, int s) { return tx_nume_KeyDown(k, s); };
    nume.drop_down = [this] { tx_nume_DropDown(); };
    nume.got_focus = [this] { tx_nume_GotFocus(); };
    nume.lost_focus = [this] { tx_nume_LostFocus(); };

    CtlEvents& tipo = bridge_->attach(lt_tipo);
    tipo.key_press = [this](int k) { return lt_tipo_KeyPress(k); };
    tipo.mouse_down = [this] { lt_tipo_MouseDown(); };
    tipo.got_focus = [this] { lt_tipo_GotFocus(); };
    tipo.lost_focus = [this] { lt_tipo_LostFocus(); };
    connect(lt_tipo, &QListWidget::itemChanged, this, [this](QListWidgetItem* it) { lt_tipo_ItemCheck(lt_tipo->row(it)); });
    connect(lt_tipo, &QListWidget::itemDoubleClicked, this, &movtik_entry::lt_tipo_DblClick);

    CtlEvents& lines = bridge_->attach(lt_nume);
    lines.key_press = [this](int k) { return lt_nume_KeyPress(k); };
    lines.got_focus = [this] { lt_nume_GotFocus(); };
    lines.lost_focus = [this] { lt_nume_LostFocus(); };

    CtlEvents& lote = bridge_->attach(lt_lote);
    lote.key_press = [this](int k) { return lt_lote_KeyPress(k); };
    lote.got_focus = [this] { lt_lote_GotFocus(); };
    lote.lost_focus = [this] { lt_lote_LostFocus(); };

    CtlEvents& mont = bridge_->attach(tx_mont);
    mont.key_press = [this](int k) { return tx_mont_KeyPress(k); };
    mont.key_down = [this](int k, int s) { return tx_mont_KeyDown(k, s); };
    mont.got_focus = [this] { tx_mont_GotFocus(); };
    mont.lost_focus = [this] { tx_mont_LostFocus(); };
    connect(tx_mont->lineEdit(), &QLineEdit::textChanged, this, &movtik_entry::tx_mont_Change);

    CtlEvents& picks = bridge_->attach(lx_nume);
    picks.key_press = [this](int k) { return lx_nume_KeyPress(k); };
    picks.got_focus = [this] { lx_nume_GotFocus(); };
    picks.lost_focus = [this] { lx_nume_LostFocus(); };
    // The program's ticks and fills of the pick list are made with its signals blocked:
    // a tick change it reports is the cashier's.
    connect(lx_nume, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* it) { lx_nume_ItemCheck(it); });
    connect(lx_nume, &QTreeWidget::itemClicked, this, &movtik_entry::lx_nume_ItemClick);

    bridge_->attach(tx_ntik).got_focus = [this] { tx_ntik_GotFocus(); };
    bridge_->attach(tx_mtik).got_focus = [this] { tx_mtik_GotFocus(); };
}

movtik_entry::~movtik_entry()
{
    // The controls die after this class: none of their last events may reach it.
    delete bridge_;
}

CodeSet movtik_entry::code_set() const
{
    const auto& t = tik_cur;
    return CodeSet{app_.tab_sim, t.lin_sim, t.lin_sit, t.lin_std, t.lin_stt};
}

// The set with the most symbols among set and the ticked lotteries' (the later on a tie).
// Counting a set's symbols takes a while: only a set that could win is counted.
int movtik_entry::largest_set(int set) const
{
    const auto& tab = tik_cur.tab_lot;
    for (int i = 0; i < tab.size(); ++i)
        if (lot_ticked(i) && tab[i].codsim != set && sim_count(app_.tab_sim, tab[i].codsim) >= sim_count(app_.tab_sim, set))
            set = tab[i].codsim;
    return set;
}

void movtik_entry::code_mode()
{
    auto& t = tik_cur;
    t.lin_sit = t.lin_std = t.lin_stt = 0;
    for (int i = 0; i < t.tab_lot.size(); ++i)
        if (const RegLot& lot = t.tab_lot[i]; lot_ticked(i) && lot.stasit >= 1) {
            t.lin_sit = lot.stasit;
            t.lin_std = lot.stastd;
            t.lin_stt = lot.stastt;
        }
    t.lin_sim = largest_set(0);
}

// The number format of the ticked lotteries, the lower in the list deciding the length;
// code mode only from symbol lotteries; N ticked, or P while it is the play type.
void movtik_entry::act_tip()
{
    auto& t = tik_cur;
    for (int row = kN; row <= kO; ++row)
        set_checked(lt_tipo, row, false);
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    if (t.tip_jug == QLatin1String("P")) {
        t.max_num = 6;
        set_checked(lt_tipo, kP, true);
        lt_tipo->setCurrentRow(kP);
        return;
    }
    for (int i = 0; i < t.tab_lot.size(); ++i) {
        const RegLot& lot = t.tab_lot[i];
        if (!lot_ticked(i))
            continue;
        if (lot.stamor >= 1) {
            t.max_num = 6;
        } else if (lot.stadbl >= 1) {
            t.max_num = 4;
        } else if (lot.codrul <= 0) {
            t.max_num = 3;
        } else {
            if (sim_count(app_.tab_sim, lot.codsim) >= sim_count(app_.tab_sim, t.lin_sim))
                t.lin_sim = lot.codsim;
            t.max_num = lot.stasit >= 1 ? 6 : 2;
            if (lot.stasit >= 1) {
                t.lin_sit = lot.stasit;
                t.lin_std = lot.stastd;
                t.lin_stt = lot.stastt;
            }
        }
    }
    set_checked(lt_tipo, kN, true);
    lt_tipo->setCurrentRow(-1);
}

void movtik_entry::paint(QWidget* w, bool focus)
{
    const QColor on = app_.dat_cox.cod_dtbs.contains(QLatin1Char('$')) ? QColor(128, 255, 128) : QColor(255, 224, 192);
    QPalette p = w->palette();
    p.setColor(QPalette::Base, focus ? on : QColor(Qt::white));
    w->setPalette(p);
}

void movtik_entry::caret_end()
{
    QLineEdit* e = tx_nume->lineEdit();
    e->deselect();
    e->setCursorPosition(int(e->text().size()));
}

// ---- Play types ----

void movtik_entry::tick_only(int item)
{
    for (int row = kN; row <= kO; ++row)
        set_checked(lt_tipo, row, row == item);
    lt_tipo->setCurrentRow(item);
}

void movtik_entry::show_dialog(const char* name)
{
    show_modal(app_.window(QLatin1String(name)));
}

void movtik_entry::sel_tip(int index, int key, int item)
{
    if (index < kN || index == kL || index > kK) {
        movtik::sel_tip(index, key, item);  // the lottery list's modes, its order and L
        return;
    }
    Busy busy(*this);
    auto& t = tik_cur;
    auto& d = app_.dlg_datos;
    tx_nume->setEditText(QString());
    switch (index) {
    case kN:
        t.tip_jug = QStringLiteral("N");
        act_tip();
        tx_nume->setFocus();
        break;
    case kP:
        for (int i = 0; i < t.tab_lot.size(); ++i)
            if (lot_ticked(i) && t.tab_lot[i].statpl >= 1) {
                tick_only(kP);
                t.tip_jug = QStringLiteral("P");
                act_tip();
                tx_nume->setFocus();
                break;
            }
        break;
    case kZ:
        sel_zod();
        break;
    case kT:
    case kR:
    case kE:
        if (lt_nume->count() == 0)
            break;
        d.dlg_res.clear();
        if (index != kE)
            d.dlg_mon = QStringLiteral("0");
        tick_only(index);
        show_dialog(index == kT ? "tertik" : index == kR ? "reptik" : "bortik");
        act_tip();
        if (!d.dlg_res.isEmpty()) {
            index == kT ? add_ter() : index == kR ? add_rep() : bor_jug();
            // A follow-up ends the code mode of its lines; the number field keeps the focus
            // through the dialog, so the next number takes the ticked lotteries' from here.
            act_tip();
        }
        break;
    case kD:
        d.dlg_res.clear();
        d.dlg_mon = QStringLiteral("0");
        d.dlg_lot = QStringLiteral(" ");
        d.dlg_lots.clear();
        for (int row = kN; row <= kLastMode; ++row)
            set_checked(lt_tipo, row, row == kD);
        untick_extras();
        t.set_mode(0);
        car_lot();
        lt_tipo->setCurrentRow(kD);
        show_dialog("duptik");
        act_tip();
        if (!d.dlg_res.isEmpty()) {
            add_dup();
            act_tip();  // as after the follow-ups above
        }
        break;
    case kK:
        tick_only(kK);
        show_dialog("contix");
        act_tip();
        break;
    default:
        break;
    }
    lt_tipo->setCurrentRow(-1);
}

// Zodiac or cacho signs: the family of the last ticked lottery that has one decides the
// dialog; the last ticked symbol lottery gives the dialogs its rule.
void movtik_entry::sel_zod()
{
    const auto& tab = tik_cur.tab_lot;
    auto& d = app_.dlg_datos;
    d.cod_rul = 0;
    int family = 0;
    for (int i = 0; i < tab.size(); ++i) {
        if (!lot_ticked(i))
            continue;
        if (tab[i].codzod >= 1)
            family = tab[i].codzod;
        if (tab[i].codrul >= 1)
            d.cod_rul = tab[i].codrul;
    }
    if (family != 1 && family != 2)
        return;
    tick_only(kZ);
    show_dialog(family == 1 ? "signos" : "signos2");
    act_tip();
}

void movtik_entry::lt_tipo_MouseDown()
{
    tik_cur.flg_mou = true;
}

void movtik_entry::lt_tipo_ItemCheck(int item)
{
    auto& t = tik_cur;
    if (!t.flg_mou || item < 0)
        return;  // a tick of the program, or of the Space key
    t.flg_mou = false;
    if (lt_lote->count() == 0) {
        // Nothing to choose for: the tick is undone.
        for (int row = 0; row < lt_tipo->count(); ++row)
            if (row <= kO || row >= kExtras)
                set_checked(lt_tipo, row, false);
        act_tip();
        lt_lote->setFocus();
        return;
    }
    t.flg_sel = false;
    if (item < kExtras) {
        sel_tip(item, 0, 0);
    } else {
        t.flg_ext = true;
        sel_tip(kExtras, 0, item);
        t.flg_ext = false;  // also when the extra had no letter and reloaded nothing
    }
}

void movtik_entry::lt_tipo_DblClick()
{
    lt_lote->setFocus();
}

void movtik_entry::lt_tipo_GotFocus()
{
    if (tx_nume->currentText() == QLatin1String("_"))
        tx_nume->setEditText(QString());
    paint(lt_tipo, true);
}

void movtik_entry::lt_tipo_LostFocus()
{
    paint(lt_tipo, false);
}

int movtik_entry::lt_tipo_KeyPress(int KeyAscii)
{
    // The play type in use, if one of the first five, is the list's current line.
    if ((number_char(KeyAscii) || play_index(KeyAscii) >= 0) && lt_lote->count() > 0)
        for (int row = kN; row <= kD; ++row)
            if (checked(lt_tipo, row)) {
                lt_tipo->setCurrentRow(row);
                break;
            }
    return list_key(KeyAscii);
}

// ---- The number field ----

// A letter typed in an entry field chooses its play type.
bool movtik_entry::letter_key(int KeyAscii)
{
    const int index = play_index(KeyAscii);
    if (index == kExtras)
        sel_tip(kExtras, KeyAscii, 0);
    else if (index >= 0)
        sel_tip(index, 0, 0);
    return index >= 0;
}

int movtik_entry::tx_nume_KeyPress(int KeyAscii)
{
    return letter_key(KeyAscii) ? 0 : edit_number(KeyAscii);
}

// An editing key on the number field: the key to type at the caret, or 0.
int movtik_entry::edit_number(int KeyAscii)
{
    if (!number_char(KeyAscii) && KeyAscii != '-' && KeyAscii != kBackspace)
        return 0;
    const auto& t = tik_cur;
    QLineEdit* e = tx_nume->lineEdit();
    if (e->hasSelectedText())
        e->setText(QString());
    if (t.lin_sim <= 0) {
        // A plain number is never longer than the ticked lotteries' numbers, "-" included.
        return KeyAscii != kBackspace && e->text().size() >= t.max_num ? 0 : KeyAscii;
    }
    int key = 0;
    if (KeyAscii != '*') {
        const Typed typed = code_key(code_set(), e->text(), KeyAscii);
        e->setText(typed.text);
        key = typed.key;
    }
    caret_end();
    return key;
}

// A digit or "*" a list hands over: the number field takes the focus with its caret at the
// end, and the key is typed there by the field's own rules.
void movtik_entry::hand_over(int KeyAscii)
{
    tx_nume->setFocus();
    if (const int key = edit_number(KeyAscii))
        tx_nume->lineEdit()->insert(QString(QChar(key)));
}

int movtik_entry::tx_nume_KeyDown(int KeyCode, int Shift)
{
    const auto& t = tik_cur;
    const bool code = t.lin_sim > 0;
    const bool ctrl = Shift == 2;
    const bool step = code && ctrl && t.lin_sit <= 0;
    const auto step_to = [this, KeyCode] {
        const QString text = code_step(code_set(), tx_nume->currentText(), KeyCode);
        if (!text.isEmpty()) {
            tx_nume->setEditText(text);
            tx_nume->lineEdit()->setSelection(0, int(text.size()));
        }
    };
    switch (KeyCode) {
    case 32:  // Space: the pick list in code mode
        if (code && !EntryBridge::dropped(tx_nume))
            tx_nume_DropDown();
        return KeyCode;
    case 37:  // Left
    case 39:  // Right
    case 46:  // Delete
        return code ? 0 : KeyCode;
    case 35:  // End
    case 36:  // Home
        if (!code)
            return KeyCode;
        if (step)
            step_to();
        return 0;
    case 38:  // Up
        if (step)
            step_to();
        return 0;
    case 40:  // Down
        if (!ctrl) {
            if (!tx_nume->currentText().isEmpty())
                tx_mont->setFocus();
        } else if (step) {
            step_to();
        }
        return 0;
    default:
        return KeyCode;
    }
}

void movtik_entry::tx_nume_DropDown()
{
    if (lx_nume->isVisible()) {
        tx_nume->setFocus();
        lx_nume->hide();
        return;
    }
    if (lx_nume->topLevelItemCount() == 0) {
        tx_nume->showPopup();
        return;
    }
    const QStringList codes = typed_codes(tx_nume->currentText());
    {
        const QSignalBlocker quiet(lx_nume);  // the program's ticks are no picks
        QTreeWidgetItem* first = lx_nume->topLevelItem(0);
        lx_nume->setCurrentItem(first);
        for (int i = 0; i < lx_nume->topLevelItemCount(); ++i) {
            QTreeWidgetItem* it = lx_nume->topLevelItem(i);
            const bool typed = codes.contains(it->text(0).left(2));
            it->setCheckState(0, typed ? Qt::Checked : Qt::Unchecked);
            if (typed)
                lx_nume->setCurrentItem(it);
        }
        lx_nume->scrollToItem(lx_nume->currentItem());
    }
    lx_nume->show();
    lx_nume->setFocus();
    lx_nume->raise();
}

void movtik_entry::tx_nume_GotFocus()
{
    auto& t = tik_cur;
    if (t.flg_sel)
        tx_nume->lineEdit()->setSelection(0, int(tx_nume->currentText().size()));
    else
        caret_end();
    paint(tx_nume, true);
    t.cam_act = 1;
    t.flg_sel = true;
    if (lots_ticked() > 0)
        act_tip();
    else
        sel_tip(kL, 0, 0);
    if (t.can_lin > 500)
        app_.msg(QStringLiteral("Ticket contiene demasiadas jugadas. Si se hacen más jugadas el ticket se anulará.") +
                     blanks(10),
                 plat::mb_exclamation);
    if (tik_full())
        app_.msg(QStringLiteral("Total del ticket ya llegó al límite de venta máxima. No se pueden hacer más jugadas.") +
                     blanks(10),
                 plat::mb_exclamation);
}

void movtik_entry::tx_nume_LostFocus()
{
    const auto& t = tik_cur;
    code_mode();
    const QString text = tx_nume->currentText();
    if (t.lin_sim >= 1 && !trim_blanks(text).isEmpty())
        tx_nume->setEditText(code_leave(code_set(), text));
    paint(tx_nume, false);
}

// ---- The lottery list ----

// A tick of the lottery list changed, by the cashier or the program: at most 31 lotteries,
// all of one kind; the lottery ticked sets the number format, the pick list and the amount
// presets, and the lottery ticked last chooses the amount limits.
void movtik_entry::lt_lote_ItemCheck(int item)
{
    auto& t = tik_cur;
    const auto& tab = t.tab_lot;
    if (item < 0 || item >= tab.size()) {
        set_checked(lt_lote, item, false);  // no lottery behind it
        return;
    }
    if (lots_ticked() > 31) {
        set_checked(lt_lote, item, false);
        return;
    }
    const int cursor = lt_lote->currentRow();
    int candidate = t.sel_lim;
    const RegLot lot = tab[item];
    if (lot_ticked(item)) {
        candidate = lot.codrul;
        for (int i = 0; i < tab.size(); ++i)
            if (lot_ticked(i) && tab[i].kind() != lot.kind())
                set_checked(lt_lote, i, false);
        t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
        if (lot.stamor == 1) {
            t.max_num = 6;
        } else if (lot.stadbl == 1) {
            t.max_num = 4;
        } else if (lot.codrul <= 0) {
            t.max_num = 3;
        } else {
            if (sim_count(app_.tab_sim, 0) <= sim_count(app_.tab_sim, lot.codsim))
                t.lin_sim = lot.codsim;
            t.max_num = lot.stasit >= 1 ? 6 : 2;
            if (lot.stasit >= 1) {
                t.lin_sit = lot.stasit;
                t.lin_std = lot.stastd;
                t.lin_stt = lot.stastt;
            }
        }
        fill_picks(lot.codsim, lot.codsim);
        const QString amount = tx_mont->currentText();
        tx_mont->clear();
        tx_mont->addItems(amount_presets(app_.mon(), lot.codrul < 1 ? 0 : 1));
        tx_mont->setEditText(amount);
    } else {
        fill_picks(lot.codsim, 0);
    }
    if (cursor < lt_lote->count() - 1)
        lt_lote->setCurrentRow(cursor + 1);
    if (lots_ticked() == 0) {
        for (QComboBox* field : {tx_nume, tx_mont}) {
            field->clear();
            field->clearEditText();
        }
        t.sel_lim = 0;
    } else if (t.sel_lim != candidate) {
        tx_nume->setEditText(QString());
        tx_mont->setEditText(QString());
        t.sel_lim = candidate;
    }
}

// The pick list filled anew, the number field's text kept: for a symbol lottery, with the
// set that has the most symbols among start and the ticked lotteries (the later on a tie).
void movtik_entry::fill_picks(int codsim, int start)
{
    const QString number = tx_nume->currentText();
    tx_nume->clear();
    const QSignalBlocker quiet(lx_nume);
    lx_nume->clear();
    if (codsim > 0) {
        for (const QString& text : pick_items(CodeSet{app_.tab_sim, largest_set(start)}))
            (new QTreeWidgetItem(lx_nume, {text}))->setCheckState(0, Qt::Unchecked);
    }
    tx_nume->setEditText(number);
}

void movtik_entry::lt_lote_GotFocus()
{
    auto& t = tik_cur;
    if (tx_nume->currentText() == QLatin1String("_"))
        tx_nume->setEditText(QString());
    if (t.flg_ext)
        sel_tip(kL, 0, 0);
    t.foc_lot = true;
    lt_lote->setCurrentRow(0);
    paint(lt_lote, true);
}

void movtik_entry::lt_lote_LostFocus()
{
    lt_lote->setCurrentRow(-1);
    paint(lt_lote, false);
    tik_cur.foc_lot = false;
}

// ---- The amount field ----

int movtik_entry::tx_mont_KeyPress(int KeyAscii)
{
    if (amount_char(KeyAscii)) {
        QLineEdit* e = tx_mont->lineEdit();
        if (e->hasSelectedText())
            e->setText(QString());
        const Typed typed = amount_key(app_.mon(), tik_cur.lim_kind(), e->text(), KeyAscii);
        if (typed.text != e->text())
            e->setText(typed.text);
        e->setCursorPosition(int(e->text().size()));
        return typed.key;
    }
    letter_key(KeyAscii);
    return 0;
}

int movtik_entry::tx_mont_KeyDown(int KeyCode, int Shift)
{
    const bool open = EntryBridge::dropped(tx_mont);
    switch (KeyCode) {
    case 32:  // Space opens or closes the presets
        open ? tx_mont->hidePopup() : tx_mont->showPopup();
        return KeyCode;
    case 38:  // Up: back to the number
        if (Shift == 2 || open)
            return KeyCode;
        tx_nume->setFocus();
        return 0;
    case 40:
        return Shift == 2 || open ? KeyCode : 0;
    default:
        return KeyCode;
    }
}

void movtik_entry::tx_mont_GotFocus()
{
    auto& t = tik_cur;
    t.cam_act = 2;
    if (lots_ticked() == 0) {
        sel_tip(kL, 0, 0);
        return;
    }
    if (tx_nume->currentText() == QLatin1String("_")) {
        tx_nume->setEditText(QString());
        app_.msg(QStringLiteral("Número no es válido.") + blanks(10), plat::mb_exclamation);
        tx_nume->setFocus();
        return;
    }
    act_tip();
    adjust_amount();  // an empty amount shows the minimum
    tx_mont->lineEdit()->setSelection(0, int(tx_mont->currentText().size()));
    paint(tx_mont, true);
}

QString movtik_entry::adjust_amount()
{
    const MonCtx m = app_.mon();
    const QString amount = mon_parse(m, tx_mont->currentText());
    tx_mont->setEditText(mon_adjust(m, amount, tik_cur.lim_kind()));
    return amount;
}

void movtik_entry::tx_mont_LostFocus()
{
    paint(tx_mont, false);
}

// Thousands marks kept in place as the amount changes; the caret at the end.
void movtik_entry::tx_mont_Change()
{
    QLineEdit* e = tx_mont->lineEdit();
    const QString marked = mon_miles(app_.mon(), e->text());
    if (marked != e->text())
        e->setText(marked);  // comes back here once, unchanged
    e->setCursorPosition(int(e->text().size()));
}

// ---- The code pick list ----

// The number of several codes from the picked items: their first six characters, in list
// order, one blank between.
QString movtik_entry::picked(int& count) const
{
    QString text;
    count = 0;
    for (int i = 0; i < lx_nume->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* it = lx_nume->topLevelItem(i);
        if (it->checkState(0) != Qt::Checked)
            continue;
        if (!text.isEmpty())
            text += QLatin1Char(' ');
        text += it->text(0).left(6);
        ++count;
    }
    return text;
}

void movtik_entry::lx_nume_GotFocus()
{
    int count = 0;
    if (tik_cur.lin_sit != 0) {
        tx_nume->setEditText(picked(count));
        return;
    }
    const QTreeWidgetItem* pick = nullptr;
    for (int i = 0; i < lx_nume->topLevelItemCount(); ++i)
        if (lx_nume->topLevelItem(i)->checkState(0) == Qt::Checked)
            pick = lx_nume->topLevelItem(i);
    if (!pick && lx_nume->topLevelItemCount() > 0) {
        const QSignalBlocker quiet(lx_nume);
        lx_nume->topLevelItem(0)->setCheckState(0, Qt::Checked);
        pick = lx_nume->topLevelItem(0);
    }
    if (pick)
        tx_nume->setEditText(pick->text(0));
}

void movtik_entry::lx_nume_LostFocus()
{
    tx_nume->setFocus();  // before hiding it, or the focus would go to the next control
    lx_nume->hide();
}

void movtik_entry::lx_nume_ItemCheck(QTreeWidgetItem* item)
{
    if (tik_cur.lin_sit == 0) {
        tx_nume->setEditText(item->text(0));
        tx_nume->setFocus();
        return;
    }
    int count = 0;
    const QString text = picked(count);
    if (count > 3) {
        // A fourth pick is refused: the item just ticked, whichever the current one is.
        const QSignalBlocker quiet(lx_nume);
        item->setCheckState(0, Qt::Unchecked);
        return;
    }
    tx_nume->setEditText(text);
    if (count == 3)
        tx_nume->setFocus();
}

void movtik_entry::lx_nume_ItemClick()
{
    QTreeWidgetItem* current = lx_nume->currentItem();
    if (tik_cur.lin_sit != 0 || !current)
        return;
    const QSignalBlocker quiet(lx_nume);
    for (int i = 0; i < lx_nume->topLevelItemCount(); ++i)
        lx_nume->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    current->setCheckState(0, Qt::Checked);
    tx_nume->setEditText(current->text(0));
}

// The pick list takes no typed characters; Space ticks or unticks its current item.
int movtik_entry::lx_nume_KeyPress(int KeyAscii)
{
    return KeyAscii == ' ' ? KeyAscii : 0;
}

// ---- The play list and the read-only fields ----

// Letters choose play types; "*" and digits go to the number field.
int movtik_entry::list_key(int KeyAscii)
{
    const bool number = number_char(KeyAscii);
    if (!number && play_index(KeyAscii) < 0)
        return KeyAscii;
    // Cleared before the number field may take the focus: it puts its caret at the end this
    // once, and selects its text again on its next entry.
    tik_cur.flg_sel = false;
    if (lt_lote->count() > 0) {
        if (!number)
            tx_nume_KeyPress(KeyAscii);
        else if (lots_ticked() > 0)
            hand_over(KeyAscii);
    }
    return KeyAscii;
}

int movtik_entry::lt_nume_KeyPress(int KeyAscii)
{
    return list_key(KeyAscii);
}

int movtik_entry::lt_lote_KeyPress(int KeyAscii)
{
    return list_key(KeyAscii);
}

void movtik_entry::lt_nume_GotFocus()
{
    if (tx_nume->currentText() == QLatin1String("_"))
        tx_nume->setEditText(QString());
    if (lt_nume->count() == 0) {
        tx_nume->setFocus();
        return;
    }
    paint(lt_nume, true);
    if (lt_nume->selectedItems().isEmpty())
        lt_nume->setCurrentRow(lt_nume->count() - 1);
}

void movtik_entry::lt_nume_LostFocus()
{
    paint(lt_nume, false);
    const int last = lt_nume->count() - 1;
    lt_nume->setCurrentRow(last);
    if (last >= 0)
        lt_nume->scrollToItem(lt_nume->item(last));
    lt_nume->setCurrentRow(-1);
}

void movtik_entry::tx_ntik_GotFocus()
{
    if (tx_nume->currentText() == QLatin1String("_"))
        tx_nume->setEditText(QString());
    tx_nume->setFocus();
}

void movtik_entry::tx_mtik_GotFocus()
{
    tx_ntik_GotFocus();
}
