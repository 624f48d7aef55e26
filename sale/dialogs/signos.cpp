#include "signos.h"
#include "core/shared/justify.h"
#include "sale/plays/movtik_plays.h"

#include <QLineEdit>
#include <QListWidget>

namespace {

constexpr int kBackspace = 8;

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

} // namespace

int sign_key(const QString& text, int key, bool digits_only)
{
    if (key == kBackspace)
        return key;
    if (key == 'p')
        key = 'P';
    const bool lead = !digits_only && (key == '*' || key == 'P');
    if (!lead && (key < '0' || key > '9'))
        return 0;
    const QString n = trim_blanks(text);
    if (lead && !n.isEmpty())
        return 0;
    const int most = !digits_only && n.startsWith(QLatin1Char('P')) ? 4 : 3;
    return n.size() < most ? key : 0;
}

signos::signos(App& app) : signos(app, false) {}

signos::signos(App& app, bool cacho)
    : SaleDialog(app, cacho ? "signos2" : "signos", cacho ? QStringLiteral("Cacho") : QStringLiteral("Zodiacal"),
                 {3105, 4245}, {0, 5000}, {0, 5000}),
      cacho_(cacho)
{
    lt_signos = check_list("lt_signos", {50, 50, 3000, 2985});
    Label2 = label("Label2", QStringLiteral("Número:"), {75, 3270, 765, 315});
    tx_nume = text_field("tx_nume", {900, 3200, 2000, 390});
    Label1 = label("Label1", QStringLiteral("Monto:"), {200, 3770, 645, 315});
    tx_mont = text_field("tx_mont", {900, 3700, 2000, 390});
    setTabOrder(lt_signos, tx_nume);
    setTabOrder(tx_nume, tx_mont);

    CtlEvents& list = bridge().attach(lt_signos);
    list.key_press = [this](int k) { return lt_signos_KeyPress(k); };
    list.got_focus = [this] { lt_signos_GotFocus(); };
    list.lost_focus = [this] { lt_signos_LostFocus(); };
    CtlEvents& nume = bridge().attach(tx_nume);
    nume.key_press = [this](int k) { return tx_nume_KeyPress(k); };
    nume.got_focus = [this] { tx_nume_GotFocus(); };
    nume.lost_focus = [this] { tx_nume_LostFocus(); };
    mont = new AmountField(app_, bridge(), tx_mont, &LimVta::jug_miz, &LimVta::jug_maz);
    Form_Load();
    on_tick(lt_signos, [this](int row) { lt_signos_ItemCheck(row); });
}

QPoint signos::place_for(int screen_twips)
{
    return place(screen_twips, {1500, 2800}, {500, 1800});
}

void signos::Form_Load()
{
    move(place_for(screen_twips()));
    lt_signos->clear();
    QStringList rows = cacho_ ? app_.vocab.tab_cac : app_.vocab.tab_zod;
    if (!cacho_)
        rows.prepend(QStringLiteral("Todos"));
    for (const QString& text : rows) {
        auto* item = new QListWidgetItem(text, lt_signos);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    lt_signos->setCurrentRow(0);
    paint(lt_signos, true);
    lt_signos->setFocus();
}

bool signos::checked(int row) const
{
    const QListWidgetItem* item = lt_signos->item(row);
    return item && item->checkState() == Qt::Checked;
}

void signos::set_checked(int row, bool on)
{
    if (QListWidgetItem* item = lt_signos->item(row))
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// A tick changed, by the cashier or by this rule: a sign unticks "Todos", and "Todos"
// ticked is the only tick; then the cursor steps down from where it was.
void signos::lt_signos_ItemCheck(int item)
{
    const int cursor = lt_signos->currentRow();
    if (!cacho_) {
        if (item != 0) {
            set_checked(0, false);
        } else if (checked(0)) {
            for (int row = 1; row < lt_signos->count(); ++row)
                set_checked(row, false);
            set_checked(0, true);
        }
    }
    if (cursor < lt_signos->count() - 1)
        lt_signos->setCurrentRow(cursor + 1);
}

// Space ticks the row under the cursor; a key of the number goes to the number field by
// the number's rules, and the cashier goes on typing there.
int signos::lt_signos_KeyPress(int KeyAscii)
{
    if (KeyAscii == ' ')
        return KeyAscii;
    if (sign_key(QString(), KeyAscii, false) == 0)
        return 0;  // no key of a number
    QString n = trim_blanks(tx_nume->text());
    const int key = sign_key(n, KeyAscii, false);
    if (key == kBackspace)
        n.chop(1);
    else if (key != 0)
        n += QChar(key);
    tx_nume->setText(n);
    flg_lst = true;
    tx_nume->setFocus();
    return 0;
}

void signos::lt_signos_GotFocus()
{
    paint(lt_signos, true);
}

void signos::lt_signos_LostFocus()
{
    paint(lt_signos, false);
}

// A key of the number replaces a selected text and is typed at its end.
int signos::tx_nume_KeyPress(int KeyAscii)
{
    if (sign_key(QString(), KeyAscii, cacho_) == 0)
        return 0;
    if (tx_nume->hasSelectedText()) {
        tx_nume->del();
        if (KeyAscii == kBackspace)
            return 0;
    }
    tx_nume->setCursorPosition(int(tx_nume->text().size()));
    return sign_key(tx_nume->text(), KeyAscii, cacho_);
}

void signos::tx_nume_GotFocus()
{
    if (flg_lst)
        tx_nume->setCursorPosition(int(tx_nume->text().size()));
    else
        tx_nume->selectAll();
    flg_lst = false;
    paint(tx_nume, true);
}

void signos::tx_nume_LostFocus()
{
    paint(tx_nume, false);
}

// The signs, the number and the amount checked in turn: a missing sign or a short number
// sends the focus back silently; an amount off the limits or the minimum's precision is
// shown corrected, for the next Enter to accept. An accepted play goes to the sale window,
// and the dialog waits for the next number.
void signos::b_aceptar_Click()
{
    auto& d = app_.dlg_datos;
    QList<int>& flags = cacho_ ? d.flg_cac : d.flg_zod;
    flags.fill(0);
    int count = 0;
    const int first = cacho_ ? 0 : 1;  // the first sign's row
    for (int row = first; row < lt_signos->count() && row - first < flags.size(); ++row)
        if (checked(row) || (!cacho_ && checked(0))) {
            flags[row - first] = 1;
            ++count;
        }
    if (count == 0) {
        lt_signos->setFocus();
        return;
    }
    const QString n = trim_blanks(tx_nume->text());
    if (n.size() < 2 || (n.startsWith(QLatin1Char('P')) && n.size() <= 3) ||
        (n.startsWith(QLatin1Char('*')) && n.size() <= 2)) {
        tx_nume->setFocus();
        return;
    }
    d.dlg_num1 = n;
    if (tx_mont->text().isEmpty()) {
        app_.msg(QStringLiteral("Debe introducir el monto de la jugada.") + blanks(5), plat::mb_exclamation);
        tx_mont->setFocus();
        return;
    }
    const MonCtx c = app_.mon();
    const QString typed = mon_parse(c, tx_mont->text());
    const QString a = mon_within(typed, app_.lim_vta.jug_miz, app_.lim_vta.jug_maz);
    if (a != typed) {
        app_.msg(QStringLiteral("Monto de la jugada no es válido.") + blanks(10), plat::mb_exclamation);
        tx_mont->setText(mon_show(c, a));
        mont->enter_selected();
        return;
    }
    tx_mont->setText(mon_show(c, a));
    d.dlg_mon = a;
    if (movtik_plays* sale = sale_window())
        cacho_ ? sale->zod_tik2() : sale->zod_tik();
    tx_nume->clear();
    tx_nume->setFocus();
    tx_nume->setCursorPosition(0);
}

void signos::b_cancelar_Click()
{
    auto& d = app_.dlg_datos;
    d.dlg_num1.clear();
    d.dlg_mon = QStringLiteral("0");
    unload();
}
