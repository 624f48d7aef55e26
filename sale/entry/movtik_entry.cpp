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

    bridge_->attach(lt_lote).key_press = [this](int k) { return lt_lote_KeyPress(k); };

    bridge_->attach(tx_ntik).got_focus = [this] { tx_ntik_GotFocus(); };
    bridge_->attach(tx_mtik).got_focus = [this] { tx_mtik_GotFocus(); };
}

movtik_entry::~movtik_entry()
{
    // The controls die after this class: none of their last events may reach it.
    delete bridge_;
}

bool movtik_entry::lot_ticked(int i) const
{
    return i >= 0 && i < tik_cur.tab_lot.size() && checked(lt_lote, i);
}

bool movtik_entry::any_lot_ticked() const
{
    for (int i = 0; i < tik_cur.tab_lot.size(); ++i)
        if (lot_ticked(i))
            return true;
    return false;
}

CodeSet movtik_entry::code_set() const
{
    const auto& t = tik_cur;
    return CodeSet{app_.tab_sim, t.lin_sim, t.lin_sit, t.lin_std, t.lin_stt};
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
        if (!d.dlg_res.isEmpty())
            index == kT ? add_ter() : index == kR ? add_rep() : bor_jug();
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
        if (!d.dlg_res.isEmpty())
            add_dup();
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

int movtik_entry::tx_nume_KeyPress(int KeyAscii)
{
    if (const int index = play_index(KeyAscii); index >= 0) {
        if (index == kExtras)
            sel_tip(kExtras, KeyAscii, 0);
        else
            sel_tip(index, 0, 0);
        return 0;
    }
    return edit_number(KeyAscii);
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
    tik_cur.flg_sel = false;
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
    if (any_lot_ticked())
        act_tip();
    else
        sel_tip(kL, 0, 0);
    if (t.can_lin > 500)
        app_.msg(QStringLiteral("Ticket contiene demasiadas jugadas. Si se hacen más jugadas el ticket se anulará.") +
                     blanks(10),
                 plat::mb_exclamation);
    const double total = mon_parse(app_.mon(), tx_mtik->text()).toDouble();
    if (total >= app_.lim_vta.vta_max.toDouble())
        app_.msg(QStringLiteral("Total del ticket ya llegó al límite de venta máxima. No se pueden hacer más jugadas.") +
                     blanks(10),
                 plat::mb_exclamation);
}

void movtik_entry::tx_nume_LostFocus()
{
    auto& t = tik_cur;
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    for (int i = 0; i < t.tab_lot.size(); ++i) {
        if (!lot_ticked(i))
            continue;
        const RegLot& lot = t.tab_lot[i];
        if (lot.stasit >= 1) {
            t.lin_sit = lot.stasit;
            t.lin_std = lot.stastd;
            t.lin_stt = lot.stastt;
        }
        if (sim_count(app_.tab_sim, lot.codsim) >= sim_count(app_.tab_sim, t.lin_sim))
            t.lin_sim = lot.codsim;
    }
    const QString text = tx_nume->currentText();
    if (t.lin_sim >= 1 && !trim_blanks(text).isEmpty())
        tx_nume->setEditText(code_leave(code_set(), text));
    paint(tx_nume, false);
}

// ---- The play list and the read-only fields ----

// Letters choose play types; "*" and digits go to the number field.
int movtik_entry::list_key(int KeyAscii)
{
    const bool number = number_char(KeyAscii);
    if (!number && play_index(KeyAscii) < 0)
        return KeyAscii;
    if (lt_lote->count() > 0) {
        if (!number)
            tx_nume_KeyPress(KeyAscii);
        else if (any_lot_ticked())
            hand_over(KeyAscii);
    }
    tik_cur.flg_sel = false;
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
