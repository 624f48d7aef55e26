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

QString blanks(int n) { return QString(n, QLatin1Char(' ')); }

// A stored amount read as a whole number of units.
qint64 whole(const QString& amount) { return std::llround(amount.toDouble()); }

bool numbers(const QString& tipo) { return tipo == u"N" || tipo == u"T"; }

} // namespace

movtik_plays::movtik_plays(App& app, QWidget* parent) : movtik(app, parent)
{
    // The play list shows its lines whole, beside a scroll bar: its fixed-pitch font comes
    // down from its design size until a line fits.
    QFont font = lt_nume->font();
    const int room = lt_nume->width() - 2 * lt_nume->frameWidth() -
                     lt_nume->style()->pixelMetric(QStyle::PM_ScrollBarExtent) - 4;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(QString(57, QLatin1Char('0'))) > room)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    lt_nume->setFont(font);
    connect(b_procesar, &QPushButton::clicked, this, &movtik_plays::b_procesar_Click);
}

bool movtik_plays::ticked(int i) const
{
    const QListWidgetItem* item = lt_lote->item(i);
    return i < tik_cur.tab_lot.size() && item && item->checkState() == Qt::Checked;
}

// The code mode of the ticked lotteries: the largest symbol set among them, and the
// several-code attributes of the last one that takes several codes a play.
void movtik_plays::code_mode()
{
    auto& t = tik_cur;
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
    for (int i = 0; i < t.tab_lot.size(); ++i) {
        if (!ticked(i))
            continue;
        const RegLot& lot = t.tab_lot[i];
        if (lot.stasit >= 1) {
            t.lin_sit = lot.stasit;
            t.lin_std = lot.stastd;
            t.lin_stt = lot.stastt;
        }
        // (Counting a set's symbols takes a while: only a set that could win is counted.)
        if (lot.codsim != t.lin_sim && sim_count(app_.tab_sim, lot.codsim) >= sim_count(app_.tab_sim, t.lin_sim))
            t.lin_sim = lot.codsim;
    }
}

// The amount limits of the ticked lotteries: a symbol lottery's (codrul 1 or more) or a
// number lottery's, by the last one ticked in the list.
int movtik_plays::lim_kind() const
{
    int kind = 0;
    for (int i = 0; i < tik_cur.tab_lot.size(); ++i)
        if (ticked(i))
            kind = tik_cur.tab_lot[i].codrul >= 1 ? 1 : 0;
    return kind;
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
    int lots_ticked = 0;
    for (int i = 0; i < t.tab_lot.size(); ++i)
        lots_ticked += ticked(i) ? 1 : 0;
    if (lots_ticked == 0) {
        app_.msg(QStringLiteral("No hay loterías seleccionadas.") + blanks(10), plat::mb_exclamation);
        return;
    }
    if (t.tot_tik >= app_.lim_vta.vta_max.toDouble()) {
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
        if (ticked(i) && takes(t.tab_lot[i], t.lin_tip, len))
            lots += t.tab_lot[i].codint;
    if (lots.isEmpty()) {
        app_.dlg.set_pointer(plat::ptr_default);
        app_.msg(QStringLiteral("Número no es válido.") + blanks(10), plat::mb_exclamation);
        tx_nume->setFocus();
        return;
    }
    if (t.lin_tip == u"P" && t.can_lin + perm_factor(int(num.size())) * lots_ticked > 500) {
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
    // The amount field's focus handler says so too; set first, so that a handler that
    // sends the focus back has the last word.
    t.cam_act = 2;
    tx_mont->setFocus();
}

bool movtik_plays::amount_step()
{
    auto& t = tik_cur;
    const MonCtx m = app_.mon();
    const QString amount = mon_parse(m, tx_mont->currentText());
    const int kind = lim_kind();
    tx_mont->setEditText(mon_adjust(m, amount, kind));
    if (mon_range(m, amount, kind)) {
        t.lin_mon = trim_blanks(amount);
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
    const PlayAnswer a = protkx(app_, {t.numtik(), lots, t.lin_tip, t.lin_num, whole(asked), 0, t.can_jug, val_fijo});
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
            protkx(app_, {t.numtik(), t.lin_codint, row.tipo, num, whole(asked), 1, t.can_jug, val_fijo});
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
    tx_nume->setEditText(QString());
    tx_nume->setFocus();
    t.cam_act = 1;
    t.lin_sit = t.lin_std = t.lin_stt = t.lin_sim = 0;
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
