#include "duptik.h"
#include "core/shared/justify.h"
#include "core/shared/whole.h"
#include "sale/plays/movtik_plays.h"
#include "sale/ticket/procs.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

constexpr int kBackspace = 8;
constexpr int kUp = 38, kDown = 40;
constexpr int kNumtDigits = 8;

// A numeric text of the catalogue as a number; blank or no number reads 0.
double val(const QString& text)
{
    return trim_blanks(text).toDouble();
}

// A ticket number as typed; an empty field is ticket 0.
qint64 numt_val(const QString& text)
{
    return text_whole(text).value_or(0);
}

// The first catalogue entry of a name (blanks around names aside); -1 when none.
int cat_index(const TabCat& cat, const QString& name)
{
    const QString n = trim_blanks(name);
    for (int i = 0; i < cat.size(); ++i)
        if (trim_blanks(cat[i].nomlot) == n)
            return i;
    return -1;
}

} // namespace

int numt_key(const QString& text, int selected, int KeyAscii)
{
    if (KeyAscii == kBackspace)
        return KeyAscii;
    if (KeyAscii < '0' || KeyAscii > '9')
        return 0;
    return text.size() - selected < kNumtDigits ? KeyAscii : 0;
}

bool dup_fits(const QString& codsim, const QString& codsit, const RegLot& lot)
{
    const double s = val(codsim), t = val(codsit);
    const bool sets = (lot.codsim >= 1 && s > 0) || (lot.codsim == 0 && s == 0);
    const bool sits = (lot.stasit == 0 && t == 0) || (lot.stasit >= 1 && t > 0);
    return sets && sits;
}

QList<int> dup_targets(const TabCat& cat, const QString& source, const QList<RegLot>& tab_lot)
{
    const int from = cat_index(cat, source);
    const QString codsim = from >= 0 ? cat[from].codsim : QString();
    const QString codsit = from >= 0 ? cat[from].codsit : QString();
    QList<int> out;
    for (const RegLot& lot : tab_lot) {
        const std::optional<qint64> code = text_whole(lot.codint);
        if (!code || !dup_fits(codsim, codsit, lot))
            continue;
        for (int j = 0; j < cat.size(); ++j)
            if (text_whole(cat[j].codint) == code) {
                out << j;
                break;
            }
    }
    return out;
}

DupChoice dup_choice(const TabCat& cat, const QStringList& sources, const QStringList& targets)
{
    DupChoice c;
    for (const QString& name : sources)
        if (const int j = cat_index(cat, name); j >= 0)
            c.lot = cat[j].codint;
    if (trim_blanks(c.lot).isEmpty())
        return c;
    for (const QString& name : targets)
        if (const int j = cat_index(cat, name); j >= 0)
            c.lots += cat[j].codint;
    return c;
}

duptik::duptik(App& app)
    : SaleDialog(app, "duptik", QStringLiteral("Duplicar Ticket"), {5905, 3780}, {0, 4000}, {2000, 4000})
{
    // The lists are wider than their design (2600), and the window with them, so that the
    // lotteries' names show whole in the fonts at hand; the fields stay in the middle.
    lt_lot1 = check_list("lt_lot1", {100, 100, 2800, 2500});
    lt_lot2 = check_list("lt_lot2", {3000, 100, 2800, 2500});
    Label1 = label("Label1", QStringLiteral("Ticket:"), {1300, 2850, 800, 315});
    tx_numt = text_field("tx_numt", {2200, 2750, 2000, 390});
    Label2 = label("Label2", QStringLiteral("Monto:"), {1300, 3350, 800, 315});
    tx_mont = text_field("tx_mont", {2200, 3250, 2000, 390});
    setTabOrder(tx_numt, tx_mont);
    setTabOrder(tx_mont, lt_lot1);
    setTabOrder(lt_lot1, lt_lot2);

    CtlEvents& numt = bridge().attach(tx_numt);
    numt.key_down = [this](int k, int s) { return tx_numt_KeyDown(k, s); };
    numt.key_press = [this](int k) { return tx_numt_KeyPress(k); };
    numt.got_focus = [this] { tx_numt_GotFocus(); };
    numt.lost_focus = [this] { tx_numt_LostFocus(); };
    mont = new AmountField(app_, bridge(), tx_mont, &LimVta::jug_menor, &LimVta::jug_mayor);
    mont->entering = [this] { return tx_mont_GotFocus(); };
    bridge().attach(tx_mont).key_down = [this](int k, int s) { return tx_mont_KeyDown(k, s); };
    bind_list(lt_lot1);
    bind_list(lt_lot2);
    lot1 = on_tick(lt_lot1, [this](int row) { lt_lot1_ItemCheck(row); });
    lot2 = on_tick(lt_lot2, [this](int row) { lt_lot2_ItemCheck(row); });
    // The source follows the cursor, wherever it moved; a click on the cursor row's own
    // check box ticks it again.
    connect(lt_lot1, &QListWidget::currentRowChanged, this, [this] { lt_lot1_Click(); });
    connect(lt_lot1, &QListWidget::itemClicked, this, [this] { lt_lot1_Click(); });
    Form_Load();
}

void duptik::bind_list(QListWidget* list)
{
    CtlEvents& ev = bridge().attach(list);
    ev.key_press = [this](int k) { return lt_lot_KeyPress(k); };
    ev.got_focus = [this, list] { lt_lot_GotFocus(list); };
    ev.lost_focus = [this, list] { lt_lot_LostFocus(list); };
}

QPoint duptik::place_for(int screen_twips)
{
    return place(screen_twips, {3000, 2500}, {1800, 1600});
}

void duptik::Form_Load()
{
    move(place_for(screen_twips()));
    pas_dup = 1;
    for (QListWidget* list : {lt_lot1, lt_lot2}) {
        list->clear();
        list->setCurrentRow(-1);
    }
    tx_numt->setFocus();
}

QStringList duptik::texts(const QListWidget* list)
{
    QStringList out;
    for (int row = 0; row < list->count(); ++row)
        out << list->item(row)->text();
    return out;
}

// With no ticket, back to the field; the first Enter pads the number and goes to the
// amount, the next (once the amount has been entered) hands the choice over.
void duptik::b_aceptar_Click()
{
    if (tx_numt->text().isEmpty()) {
        tx_numt->setFocus();
        return;
    }
    if (pas_dup == 1) {
        tx_numt->setText(pad_left(trim_blanks(tx_numt->text()), kNumtDigits, QStringLiteral("0")));
        tx_mont->setFocus();
        return;
    }
    auto& d = app_.dlg_datos;
    const DupChoice c = dup_choice(app_.tab_cat, lot1->picked(texts(lt_lot1)), lot2->picked(texts(lt_lot2)));
    d.dlg_res = tx_numt->text();
    d.dlg_mon = mon_parse(app_.mon(), tx_mont->text()).trimmed();
    d.dlg_lot = c.lot;
    d.dlg_lots = c.lots;
    unload();
}

void duptik::b_cancelar_Click()
{
    auto& d = app_.dlg_datos;
    d.dlg_res.clear();
    d.dlg_mon.clear();
    unload();
}

void duptik::tx_numt_GotFocus()
{
    auto& d = app_.dlg_datos;
    if (d.flg_selt)
        tx_numt->selectAll();
    else
        tx_numt->setCursorPosition(int(tx_numt->text().size()));
    d.flg_selt = true;
    paint(tx_numt, true);
    pas_dup = 1;
}

// The ticket's lotteries, looked up again only for another number or an empty list.
void duptik::tx_numt_LostFocus()
{
    auto& d = app_.dlg_datos;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const qint64 numtik = numt_val(tx_numt->text());
    if (lt_lot1->count() == 0 || numtik != numt_val(d.tik_ant)) {
        const PlayRows plays = dettix(app_, numtik, true);  // the lotteries only
        if (plays.ok) {  // with the connection lost the lists stay as they were
            QStringList names;
            for (const PlayRow& p : plays.rows)
                if (!names.contains(p.nomlot))
                    names << p.nomlot;
            lt_lot1->clear();
            if (names.isEmpty()) {
                tx_numt->clear();  // a ticket the server does not know, or one without plays
            } else {
                d.lot_tik = names;
                for (const QString& name : names)
                    lot1->add(name);
                lt_lot1->setCurrentRow(-1);
                d.tik_ant = trim_blanks(tx_numt->text());
            }
        }
    }
    app_.dlg.set_pointer(plat::ptr_default);
    paint(tx_numt, false);
}

int duptik::tx_numt_KeyDown(int KeyCode, int Shift)
{
    if (KeyCode == kDown)
        tx_mont->setFocus();
    return KeyCode;
}

int duptik::tx_numt_KeyPress(int KeyAscii)
{
    return numt_key(tx_numt->text(), int(tx_numt->selectedText().size()), KeyAscii);
}

// No ticket, no amount: the message, and back to the ticket.
AmountField::Entry duptik::tx_mont_GotFocus()
{
    if (tx_numt->text().isEmpty()) {
        app_.msg(QStringLiteral("Ticket no es válido.") + QString(15, QLatin1Char(' ')), plat::mb_exclamation);
        tx_numt->setFocus();
        return AmountField::Entry::refused;
    }
    pas_dup = 2;
    return AmountField::Entry::select_all;
}

int duptik::tx_mont_KeyDown(int KeyCode, int Shift)
{
    if (KeyCode == kUp)
        tx_numt->setFocus();
    return KeyCode;
}

// The cursor row is the source, ticked alone.
void duptik::lt_lot1_Click()
{
    const int at = lt_lot1->currentRow();
    if (at < 0)
        return;
    for (int row = 0; row < lt_lot1->count(); ++row)
        lot1->set_ticked(row, row == at);
}

// A source ticked: its targets listed anew, none ticked.
void duptik::lt_lot1_ItemCheck(int row)
{
    if (!lot1->ticked(row))
        return;
    lt_lot2->clear();
    lt_lot2->setCurrentRow(-1);
    const movtik_plays* w = sale_window();
    if (!w)
        return;
    for (const int j : dup_targets(app_.tab_cat, lt_lot1->item(row)->text(), w->tik_cur.tab_lot))
        lot2->add(app_.tab_cat[j].nomlot);
}

void duptik::lt_lot2_ItemCheck(int row)
{
    if (lot2->refused(row))
        return;
    lot2->step_down(lt_lot2->currentRow());
}

// The cursor on the first ticked row, or the first row.
void duptik::lt_lot_GotFocus(QListWidget* list)
{
    int row = 0;
    while (row < list->count() && list->item(row)->checkState() != Qt::Checked)
        ++row;
    list_focus(list, true, row < list->count() ? row : 0);
}

void duptik::lt_lot_LostFocus(QListWidget* list)
{
    list_focus(list, false);
}

// A digit goes to the end of the ticket number as if typed there (the field's filter may
// drop it); the field takes the focus with its caret at the end. Other keys are the list's.
int duptik::lt_lot_KeyPress(int KeyAscii)
{
    return digit_to(tx_numt, app_.dlg_datos.flg_selt, [this](int k) { return tx_numt_KeyPress(k); }, KeyAscii);
}
