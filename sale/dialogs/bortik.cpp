#include "bortik.h"
#include "core/shared/justify.h"
#include "sale/plays/movtik_plays.h"

#include <QListWidget>
#include <QSet>

namespace {

// The lottery column of a play-list line, and the name a catalogue entry has there.
QString column(const QString& text) { return trim_blanks(text.left(15)); }

} // namespace

QList<int> played_lots(const TabCat& tab_cat, const QList<PlayedLine>& lines)
{
    QSet<QString> codes, names;
    for (const PlayedLine& line : lines) {
        if (line.codint.isEmpty())
            names.insert(column(line.text));
        else
            codes.insert(line.codint);
    }
    QList<int> out;
    for (int i = 0; i < tab_cat.size(); ++i)
        if (codes.contains(trim_blanks(tab_cat[i].codint)) || names.contains(column(tab_cat[i].nomlot)))
            out << i;
    return out;
}

bortik::bortik(App& app)
    : SaleDialog(app, "bortik", QStringLiteral("Eliminar Jugadas"), {3315, 2730}, {0, 5000}, {2000, 5000})
{
    lt_lote = check_list("lt_lote", {100, 100, 3100, 2500});
    lote = on_tick(lt_lote, [this](int row) { lt_lote_ItemCheck(row); });
    CtlEvents& ev = bridge().attach(lt_lote);
    ev.got_focus = [this] { lt_lote_GotFocus(); };
    ev.lost_focus = [this] { lt_lote_LostFocus(); };
    Form_Load();
}

QPoint bortik::place_for(int screen_twips)
{
    return place(screen_twips, {1400, 3000}, {2800, 2000});
}

void bortik::add_row(const QString& text, const QString& code)
{
    lote->add(text);
    cod_lote << code;
}

void bortik::Form_Load()
{
    guard_ = false;
    move(place_for(screen_twips()));
    lt_lote->clear();
    cod_lote.clear();
    add_row(QStringLiteral("Todas"), QStringLiteral("*"));
    QList<PlayedLine> lines;
    if (const movtik_plays* w = sale_window()) {
        const TikCur& t = w->tik_cur;
        for (int row = 0; row < w->lt_nume->count(); ++row) {
            const QListWidgetItem* line = w->lt_nume->item(row);
            const int play = movtik_plays::line_play(line);
            const bool known = play >= 0 && play < t.can_jug && play < t.jug_tik.size();
            lines << PlayedLine{known ? t.jug_tik[play].codint : QString(), line->text()};
        }
    }
    for (const int i : played_lots(app_.tab_cat, lines))
        add_row(app_.tab_cat[i].nomlot, app_.tab_cat[i].codint);
    lt_lote->setCurrentRow(-1);
    guard_ = true;
    lt_lote->setFocus();
}

// "Todas" alone, or the lotteries ticked in list order; nothing ticked hands nothing over.
void bortik::b_aceptar_Click()
{
    choose_lots(lote->ticked(0) ? QStringList{cod_lote[0]} : lote->picked(cod_lote, 1));
    unload();
}

void bortik::b_cancelar_Click()
{
    app_.dlg_datos.dlg_res.clear();
    unload();
}

// "Todas" and the lotteries exclude each other: ticking "Todas" unticks the lotteries
// (their unticks are not handled), ticking or unticking a lottery unticks "Todas".
void bortik::lt_lote_ItemCheck(int row)
{
    if (row == 0) {
        guard_ = false;
        if (lote->ticked(0))
            for (int r = 1; r < lt_lote->count(); ++r)
                lote->set_ticked(r, false);
        guard_ = true;
        return;
    }
    if (!guard_ || lote->refused(row))
        return;
    lote->set_ticked(0, false);
    lote->step_down(lt_lote->currentRow());
}

void bortik::lt_lote_GotFocus()
{
    list_focus(lt_lote, true);
}

void bortik::lt_lote_LostFocus()
{
    list_focus(lt_lote, false);
}
