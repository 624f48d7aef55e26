#include "movtik_plays.h"
#include "lines.h"
#include "requests.h"
#include "core/shared/justify.h"
#include "core/shared/vocab.h"

#include <QStyle>
#include <QTimer>
#include <cmath>

namespace {

constexpr int kPlay = Qt::UserRole;  // item data of lt_nume: the play index of the line
constexpr int kDelete = 46;          // key code of Delete

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// A stored amount read as a whole number of units.
double amount(const QString& stored) { return stored.toDouble(); }

bool numbers(const QString& tipo) { return tipo == u"N" || tipo == u"T"; }

} // namespace

movtik_plays::movtik_plays(App& app, QWidget* parent) : movtik_entry(app, parent)
{
    // The play list shows its lines whole, beside a scroll bar: its fixed-pitch font comes
    // down from its design size until a line fits.
    QFont font = lt_nume->font();
    const int room = lt_nume->width() - 2 * lt_nume->frameWidth() -
                     lt_nume->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 4;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(QString(57, QLatin1Char('0'))) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    lt_nume->setFont(font);
    bridge_->attach(lt_nume).key_down = [this](int k, int s) { return lt_nume_KeyDown(k, s); };
    connect(lt_nume, &QListWidget::itemDoubleClicked, this, &movtik_plays::lt_nume_DblClick);
    connect(b_procesar, &QPushButton::clicked, this, &movtik_plays::b_procesar_Click);
}

void movtik_plays::refuse_number()
{
    app_.msg(QStringLiteral("Número no es válido.") + blanks(10), plat::mb_exclamation);
    tx_nume->setEditText(QString());
    tx_nume->setFocus();
}

void movtik_plays::b_procesar_Click()
{
    Busy busy(*this);
    auto& t = tik_cur;
    code_mode();
    if (lx_nume->isVisible()) {
        tx_nume->setFocus();
        return;
    }
    const QString text = tx_nume->currentText();
    if (text.isEmpty()) {
        tx_nume->setFocus();
        return;
    }
    if (lots_ticked() == 0) {
        app_.msg(QStringLiteral("No hay loterías seleccionadas.") + blanks(10), plat::mb_exclamation);
        return;
    }
    if (tik_full()) {
        app_.msg(QStringLiteral("No se pueden hacer más jugadas en este ticket.") + blanks(5), plat::mb_exclamation);
        tx_nume->setEditText(QString());
        tx_nume->setFocus();
        return;
    }

    QString num = trim_blanks(text);
    if (t.lin_sim > 0 && t.lin_sit < 1) {
        if (num.contains(u'-'))
            num = trim_blanks(text.left(2));
        if (num == u"0")
            num = QStringLiteral("0-");
        if (num.size() != 2)
            return refuse_number();
    } else if (t.lin_sim > 0) {
        if (num.contains(u'-'))
            num = code_groups(text);
        // Two codes a play only where a code may repeat; three always.
        if (num.size() != 6 && (num.size() != 4 || (t.lin_std == 0 && t.lin_stt == 0)))
            return refuse_number();
    }
    // The number goes in a parameter of six characters.
    if (num.size() > 6)
        return refuse_number();
    const QString base = t.tip_jug == u"S" || t.tip_jug == u"C" ? tip_base_ : t.tip_jug;
    const QString tip = classify(num, base);
    if ((num.size() == 5 && tip != u"P") || (num.size() > 3 && num.contains(u'*')))
        return refuse_number();

    // A press before either field had the focus counts as one from the number field.
    if (t.cam_act != 2) {
        if (num.isEmpty()) {
            tx_nume->setFocus();
            return;
        }
        if (double_star(num))
            return refuse_number();
        t.tip_jug = tip;
        tip_base_ = base;
        number_step(num);
        return;
    }
    if (!amount_step())
        return;
    t.tip_jug = tip;
    tip_base_ = base;
    const Prep p = prepare(tip, num, t.lin_sit);
    if (!p.ok)
        return refuse_number();
    t.lin_num = p.num;
    t.lin_tip = p.tip;

    app_.dlg.set_pointer(plat::ptr_hourglass);
    const int len = int(trim_blanks(t.lin_num).size());
    QString lots;
    for (int i = 0; i < t.tab_lot.size(); ++i)
        if (lot_ticked(i) && takes(t.tab_lot[i], t.lin_tip, len))
            lots += t.tab_lot[i].codint;
    if (lots.isEmpty()) {
        app_.dlg.set_pointer(plat::ptr_default);
        app_.msg(QStringLiteral("Número no es válido.") + blanks(10), plat::mb_exclamation);
        tx_nume->setFocus();
        return;
    }
    if (t.lin_tip == u"P" && t.can_lin + perm_factor(int(num.size())) * lots_ticked() > 500) {
        app_.dlg.set_pointer(plat::ptr_default);
        app_.msg(QStringLiteral("Esta permuta genera demasiadas jugadas. Seleccione menos loterías.") + blanks(10),
                 plat::mb_exclamation);
        tx_nume->setFocus();
        return;
    }
    send_play(lots);
}

void movtik_plays::number_step(const QString& num)
{
    auto& t = tik_cur;
    if (t.lin_sim > 0 && t.lin_sit < 1) {
        if (trim_blanks(sim_name(app_.tab_sim, t.lin_sim, num)).isEmpty())
            return refuse_number();
    } else if (t.lin_sim > 0) {
        // A code repeated where the lottery does not let it repeat empties the field.
        const QString codes = trim_blanks(tx_nume->currentText()).contains(u'-') ? code_groups(tx_nume->currentText()) : num;
        const QString c1 = codes.mid(0, 2), c2 = codes.mid(2, 2), c3 = codes.mid(4, 2);
        if ((codes.size() == 6 && (c1 == c2 || c1 == c3 || c2 == c3) && t.lin_stt == 0) ||
            (codes.size() == 4 && c1 == c2 && t.lin_std == 0))
            tx_nume->setEditText(QString());
        if (tx_nume->currentText().isEmpty())
            return refuse_number();
    }
    tx_mont->setFocus();  // whose focus handler makes the next press the amount step
}

bool movtik_plays::amount_step()
{
    const QString amount = adjust_amount();
    if (mon_range(app_.mon(), amount, tik_cur.lim_kind())) {
        tik_cur.lin_mon = amount;
        return true;
    }
    app_.msg(QStringLiteral("Monto no es válido.") + blanks(10), plat::mb_exclamation);
    tx_mont->setFocus();
    tx_mont->lineEdit()->selectAll();
    QPalette pal = tx_mont->palette();
    pal.setColor(QPalette::Base, QColor(255, 224, 192));
    tx_mont->setPalette(pal);
    return false;
}

bool movtik_plays::marker(const RspJug& row)
{
    if (row.codlot != u"***")
        return false;
    (row.numero == u"******" ? closed_ : limit_) = true;
    return true;
}

void movtik_plays::stage_row(const RspJug& row)
{
    auto& t = tik_cur;
    const int idx = idx_lot(row.codlot);
    t.lin_num = row.numero;
    t.lin_lot = idx >= 0 ? t.tab_lot[idx].nomlot : QString();
    t.lin_codint = idx >= 0 ? t.tab_lot[idx].codint : QString();
    t.lin_tip = row.tipo;
}

void movtik_plays::send_play(const QString& lots)
{
    auto& t = tik_cur;
    const auto& tab = app_.tab_sim;
    const int val_fijo = app_.ses_val.val_fijo;
    const QString asked = t.lin_mon;
    const double wanted = asked.toDouble();
    const auto done = [&] {
        app_.dlg.set_pointer(plat::ptr_default);
        t.tip_jug = QStringLiteral("N");
    };
    // Without an open ticket the play goes nowhere: it ends as one the server could not take.
    if (!t.open())
        return done();
    const PlayAnswer a =
        protkx(app_, {t.numtik(), lots, t.lin_tip, t.lin_num, amount(asked), 0, t.can_jug, val_fijo}, true);
    if (!a.ok)
        return done();
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const MonCtx m = app_.mon();
    // A grant above the amount typed is the amount of the next play.
    if (const double last = a.rows.isEmpty() ? 0 : a.rows.last().monto; last > mon_parse(m, tx_mont->currentText()).toDouble())
        tx_mont->setEditText(mon_show(m, last));

    closed_ = limit_ = false;
    for (const RspJug& row : a.rows) {
        if (marker(row))
            continue;
        stage_row(row);
        if (t.lin_sim > 0)
            t.lin_num = zero_form(tab, t.lin_sim, t.lin_num);
        if (numbers(row.tipo)) {
            if (wanted > row.monto)
                app_.msg(short_report(trim_blanks(t.lin_lot), row.tipo, trim_blanks(t.lin_num), row.monto, t.lin_sim, tab, m),
                         plat::mb_exclamation);
            t.lin_mon = dec_text(row.monto);
        } else {
            // A serie or corrida granted short is recorded sold out.
            t.lin_mon = wanted > row.monto ? QStringLiteral("0") : asked;
        }
        add_lin();
    }

    for (const RspJug& row : a.rows) {
        if (marker(row) || numbers(row.tipo) || wanted <= row.monto)
            continue;
        stage_row(row);
        const bool serie = row.tipo == u"S";
        if (!serie && row.tipo != u"C")
            continue;
        const QString name = trim_blanks(t.lin_lot), num = trim_blanks(t.lin_num);
        if (row.numago == u"*") {
            app_.msg(name + (serie ? " SERIE " : " CORRIDA ") + num + " AGOTADO." + blanks(10), plat::mb_exclamation);
            continue;
        }
        // A lottery the ticket does not hold cannot be named in a confirmation.
        if (t.lin_codint.isEmpty())
            continue;
        if (app_.msg(incomplete_question(name, row.tipo, num, parse_numago(row.numago)),
                     plat::mb_question + plat::mb_okcancel) != plat::ans_ok)
            continue;
        const PlayAnswer c =
            protkx(app_, {t.numtik(), t.lin_codint, row.tipo, num, amount(asked), 1, t.can_jug, val_fijo}, true);
        if (!c.ok)
            return done();
        app_.dlg.set_pointer(plat::ptr_hourglass);
        for (const RspJug& sold : c.rows) {
            if (marker(sold))
                continue;
            stage_row(sold);
            t.lin_mon = dec_text(sold.monto);
            add_lin();
        }
    }

    app_.dlg.set_pointer(plat::ptr_default);
    show_markers(closed_, limit_);
    // The play's code mode ends before the number field takes the focus: its focus handler
    // takes the ticked lotteries' code mode up again for the next number.
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    tx_nume->setEditText(QString());
    tx_nume->setFocus();
    t.cam_act = 1;
    done();
}

void movtik_plays::show_markers(bool closed, bool limit)
{
    if (closed)
        app_.msg(QStringLiteral("Lotería cerrada.") + blanks(10), plat::mb_exclamation);
    if (limit)
        app_.msg(QStringLiteral("No se pueden incluir más jugadas para este sorteo en este ticket.") + blanks(5),
                 plat::mb_exclamation);
}

// The play list's line of a record that has one; the item keeps the play index.
void movtik_plays::add_line(const JugTik& rec, int index)
{
    if (!listed(rec))
        return;
    auto* item = new QListWidgetItem(play_line(rec, index, app_.tab_sim, app_.mon()));
    item->setData(kPlay, index);
    lt_nume->addItem(item);
}

void movtik_plays::set_total() { tx_mtik->setText(mon_show(app_.mon(), tik_cur.tot_tik)); }

// The last line brought into view, nothing selected, and the line count. Bringing a line
// into view lays the whole list out: it is done once the lines of a request are all in.
void movtik_plays::list_end()
{
    if (!scroll_due_) {
        scroll_due_ = true;
        QTimer::singleShot(0, this, [this] {
            scroll_due_ = false;
            lt_nume->scrollToBottom();
        });
    }
    lt_nume->setCurrentRow(-1);
    lt_nume->clearSelection();
    tik_cur.can_lin = lt_nume->count();
}

void movtik_plays::add_lin()
{
    auto& t = tik_cur;
    const JugTik rec = stage_record(t);
    // Records past can_jug are an earlier ticket's.
    t.jug_tik.resize(t.can_jug);
    t.jug_tik.append(rec);
    add_line(rec, t.can_jug);
    if (const double s = share(rec); s > 0) {
        t.tot_tik += s;
        set_total();
    }
    ++t.can_jug;
    list_end();
}

void movtik_plays::skip_lin()
{
    auto& t = tik_cur;
    JugTik rec = stage_record(t);
    rec.monto = 0;
    rec.stajug = QStringLiteral("E");
    t.jug_tik.resize(t.can_jug);
    t.jug_tik.append(rec);
    ++t.can_jug;
}

int movtik_plays::line_play(const QListWidgetItem* line)
{
    bool has = false;
    const int index = line ? line->data(kPlay).toInt(&has) : -1;
    return has ? index : -1;
}

int movtik_plays::lt_nume_KeyDown(int KeyCode, int)
{
    if (KeyCode == kDelete)
        del_jug();
    return KeyCode;
}

void movtik_plays::lt_nume_DblClick() { del_jug(); }

void movtik_plays::del_jug()
{
    Busy busy(*this);
    auto& t = tik_cur;
    const QList<QListWidgetItem*> selected = lt_nume->selectedItems();
    const int index = selected.isEmpty() ? -1 : line_play(selected[0]);
    if (index < 0)
        return;
    if (app_.msg(QStringLiteral("¿Desea eliminar el registro seleccionado?") + blanks(5),
                 plat::mb_question + plat::mb_okcancel) != plat::ans_ok) {
        lt_nume->setFocus();
        return;
    }
    app_.dlg.set_pointer(plat::ptr_hourglass);
    const int row = lt_nume->row(selected[0]);
    if (!delnux(app_, t.numtik(), index)) {
        app_.dlg.set_pointer(plat::ptr_default);
        return;
    }
    if (index < t.can_jug && index < t.jug_tik.size()) {
        JugTik& rec = t.jug_tik[index];
        const double gone = share(rec);
        rec.monto = 0;
        rec.stajug = QStringLiteral("E");
        if (gone > 0) {
            t.tot_tik -= gone;
            set_total();
        }
    }
    delete lt_nume->takeItem(row);
    if (lt_nume->count() > 0)
        lt_nume->setCurrentRow(std::min(row, lt_nume->count() - 1));
    t.can_lin = lt_nume->count();
    app_.dlg.set_pointer(plat::ptr_default);
    lt_nume->setFocus();
}

void movtik_plays::bor_jug()
{
    auto& t = tik_cur;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    QStringList codes;
    for (const QString& code : app_.dlg_datos.dlg_lotsel)
        codes << trim_blanks(code);
    const QString lots = codes.join(QString());
    if (!bortix(app_, t.numtik(), lots, app_.ses_val.val_fijo)) {
        app_.dlg.set_pointer(plat::ptr_default);
        return;
    }
    // Records are matched by their lottery's code: names may share their first characters.
    const int count = int(std::min<qsizetype>(t.can_jug, t.jug_tik.size()));
    for (int i = 0; i < count; ++i) {
        JugTik& rec = t.jug_tik[i];
        if (rec.stajug != u"E" && (lots == u"*" || (!rec.codint.isEmpty() && codes.contains(rec.codint)))) {
            rec.monto = 0;
            rec.stajug = QStringLiteral("E");
        }
    }
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    lt_nume->clear();
    t.tot_tik = 0;
    for (int i = 0; i < count; ++i) {
        const JugTik& rec = t.jug_tik[i];
        if (rec.stajug == u"E")
            continue;
        add_line(rec, i);
        t.tot_tik += share(rec);
    }
    set_total();
    list_end();
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik_plays::served_lines(const PlayAnswer& a, bool by_row)
{
    auto& t = tik_cur;
    if (!a.ok) {
        app_.dlg.set_pointer(plat::ptr_default);
        return;
    }
    app_.dlg.set_pointer(plat::ptr_hourglass);
    bool added = false;
    closed_ = limit_ = false;
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    for (const RspJug& row : a.rows) {
        t.lin_num = row.numero;
        if (marker(row))
            continue;
        stage_row(row);
        if (by_row) {
            // The code mode and the sign kind of the row's lottery.
            t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = t.lin_zod = 0;
            for (const RegLot& lot : t.tab_lot) {
                if (lot.codlot != row.codlot)
                    continue;
                if (lot.stasit >= 1) {
                    t.lin_sit = lot.stasit;
                    t.lin_std = lot.stastd;
                    t.lin_stt = lot.stastt;
                }
                if (lot.codsim >= 1)
                    t.lin_sim = lot.codsim;
                t.lin_zod = lot.codzod == 2 ? 2 : 0;
            }
            if (t.lin_sim > 0)
                t.lin_num = zero_form(app_.tab_sim, t.lin_sim, t.lin_num);
            // A repeated or copied play on a lottery the window does not hold gives no line,
            // and the run tells that nothing was added unless a later row adds one. The
            // server has registered it all the same: its index is taken by a record that
            // stands removed, so that the plays after it keep the indexes the server knows
            // them by.
            if (idx_lot(row.codlot) < 0) {
                t.lin_mon = QStringLiteral("0");
                skip_lin();
                added = false;
                continue;
            }
        } else {
            t.lin_tip = QStringLiteral("N");
        }
        t.lin_mon = dec_text(row.monto);
        add_lin();
        added = true;
    }
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    if (by_row)
        t.lin_zod = 0;
    app_.dlg.set_pointer(plat::ptr_default);
    if (!added)
        app_.msg(QStringLiteral("No hay jugada para procesar.") + blanks(10), plat::mb_exclamation);
    show_markers(closed_, limit_);
}

void movtik_plays::add_ter()
{
    auto& t = tik_cur;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    served_lines(tertix(app_, t.numtik(), amount(app_.dlg_datos.dlg_mon), t.can_jug), false);
}

void movtik_plays::add_rep()
{
    auto& t = tik_cur;
    const auto& d = app_.dlg_datos;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    QString lots;
    for (const QString& code : d.dlg_lotsel)
        lots += trim_blanks(code);
    // The plays up to the last line's; the cashier's selection goes.
    const int index = line_play(lt_nume->item(lt_nume->count() - 1));
    lt_nume->setCurrentRow(-1);
    lt_nume->clearSelection();
    served_lines(reptix(app_, t.numtik(), index, lots, amount(d.dlg_mon), t.can_jug, app_.ses_val.val_fijo), true);
}

void movtik_plays::add_dup()
{
    auto& t = tik_cur;
    const auto& d = app_.dlg_datos;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    served_lines(t.open() ? duptix(app_, trim_blanks(d.dlg_res).toLongLong(), t.numtik(), amount(d.dlg_mon), d.dlg_lot,
                                   d.dlg_lots, t.can_jug, app_.ses_val.val_fijo)
                          : PlayAnswer{},
                 true);
}

// One request of a dialog play; false when the connection is lost or no ticket is open. The
// markers are the last request's.
bool movtik_plays::dialog_request(const QString& lots, const QString& numero)
{
    auto& t = tik_cur;
    if (!t.open())
        return false;
    const PlayAnswer a = protkx(app_, {t.numtik(), lots, QStringLiteral("N"), numero, amount(app_.dlg_datos.dlg_mon), 0,
                                       t.can_jug, app_.ses_val.val_fijo},
                                false);
    if (!a.ok)
        return false;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    closed_ = limit_ = false;
    for (const RspJug& row : a.rows) {
        if (marker(row))
            continue;
        stage_row(row);
        t.lin_tip = QStringLiteral("N");
        t.lin_mon = dec_text(row.monto);
        add_lin();
    }
    return true;
}

void movtik_plays::sign_play(bool cacho)
{
    Busy busy(*this);
    auto& t = tik_cur;
    const auto& d = app_.dlg_datos;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    t.lin_tip = QStringLiteral("N");
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    t.lin_zod = cacho ? 2 : 0;
    // The ticked sign lotteries that take a number of this length.
    const qsizetype len = trim_blanks(d.dlg_num1).size();
    QString lots;
    for (int i = 0; i < t.tab_lot.size(); ++i) {
        const RegLot& lot = t.tab_lot[i];
        if (lot_ticked(i) && lot.codzod >= 1 && (len == 2 ? lot.statrz != 0 : (len == 3 || len == 4) && lot.stazod != 0))
            lots += lot.codint;
    }
    const QList<int>& flags = cacho ? d.flg_cac : d.flg_zod;
    QStringList signs;
    for (int s = 0; s < flags.size() && s < (cacho ? 3 : 12); ++s)
        if (flags[s] == 1)
            signs << zod_letter(s);
    if (!cacho && signs.size() == 12)
        signs = QStringList{QStringLiteral("*")};

    if (lots.isEmpty()) {
        app_.dlg.set_pointer(plat::ptr_default);
        app_.msg(QStringLiteral("Número no es válido.") + blanks(10), plat::mb_exclamation);
    } else if (!signs.isEmpty()) {
        bool sent = true;
        for (const QString& number : sign_numbers(d.dlg_num1))
            for (const QString& sign : signs)
                if (sent)
                    sent = dialog_request(lots, number + sign);
        if (sent) {
            app_.dlg.set_pointer(plat::ptr_default);
            show_markers(closed_, limit_);
        }
    }
    t.lin_zod = 0;
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik_plays::zod_tik() { sign_play(false); }
void movtik_plays::zod_tik2() { sign_play(true); }

void movtik_plays::animal_plays(const QStringList& texts)
{
    Busy busy(*this);
    auto& t = tik_cur;
    app_.dlg.set_pointer(plat::ptr_hourglass);
    t.lin_tip = QStringLiteral("N");
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    closed_ = limit_ = false;
    bool sent = true;
    for (const QString& text : texts)
        if (sent)
            sent = dialog_request(QString(), text);
    if (sent) {
        app_.dlg.set_pointer(plat::ptr_default);
        show_markers(closed_, limit_);
    }
    app_.dlg.set_pointer(plat::ptr_default);
}

void movtik_plays::sim_tik()
{
    const QList<int>& flags = app_.dlg_datos.flg_sim;
    QStringList codes;
    for (int i = 0; i < flags.size() && i < 32; ++i)
        if (flags[i] == 1)
            codes << pad_left(QString::number(i + 1), 2, QStringLiteral("0"));
    animal_plays(codes);
}

void movtik_plays::dbl_tik()
{
    const auto& d = app_.dlg_datos;
    animal_plays({trim_blanks(d.dlg_num1) + trim_blanks(d.dlg_num2)});
}

void movtik_plays::mor_tik() { animal_plays({trim_blanks(app_.dlg_datos.dlg_res)}); }
