#include "sorteos.h"
#include "procs_sorteos.h"
#include "core/shared/twips.h"

#include <QStyle>

sorteos::sorteos(App& app) : onoff_list(app, QStringLiteral("sorteos"), 5000, 3100)
{
    Form_Load();
}

void sorteos::Form_Load()
{
    setWindowTitle(QStringLiteral("Loterias"));
    move(tw(3000), tw(2500));
    lista->clear();
    lista->setColumnCount(2);
    lista->setHeaderLabels({QStringLiteral("Codigo"), QStringLiteral("Nombre")});
    // The code's 660 twips beside the check box, which takes room of its own here.
    lista->setColumnWidth(0, tw(660) + lista->style()->pixelMetric(QStyle::PM_IndicatorWidth) + 8);
    lista->setColumnWidth(1, tw(3460));

    const SrtList l = dsxsrt(app_, app_.ses_val.cod_ven);
    if (!l.ok)
        return;
    QList<QStringList> texts;
    QList<bool> on;
    QStringList codes;
    for (const SrtRow& row : l.rows) {
        texts << QStringList{row.codlot, row.nomlot};
        on << (row.stasrt == 0);
        codes << row.codlot;
    }
    fill(texts, on, codes);
    lista->setColumnWidth(1, tw(texts.size() > 10 ? 3460 : 3520));
}

bool sorteos::remove_all()
{
    return delsrt(app_, app_.ses_val.cod_ven);
}

bool sorteos::store_off(const QString& code)
{
    return actsrt(app_, app_.ses_val.cod_ven, code);
}
