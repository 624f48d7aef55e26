// A ticket sold end to end over the wire, as scripts/run sells it: the demo cashier logs in
// through the TDS endpoint, opens the sale window, types plays on several lotteries (one
// sold out) and prints; the server holds what was printed.
#include "tests/e2e/wire_app.h"
#include "tests/sale/plays_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

using namespace e2e;

QStringList golden(const QString& name)
{
    QFile f(QFileInfo(QStringLiteral(__FILE__)).dir().filePath("../golden/sale/" + name));
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return {"missing golden file " + name};
    QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    lines.removeLast();
    return lines;
}

TEST(PlaysWire, SellATicket)
{
    WireApp a(true);
    ASSERT_TRUE(a.up()) << qPrintable(a.error);
    QPointer<conexion> c = a.app->win<conexion>("conexion");
    c->show();
    log_in(c, "CAJERO", "CLAVE", "DEMO");
    a.app->mnu.value("mov_tik")->trigger();
    auto* w = a.app->win<movtik>("movtik");
    ASSERT_TRUE(w);

    const struct {
        const char *lots, *num, *amount;
    } plays[] = {{"001 002", "123", "10"}, {"001", "000", "10"}, {"002", "*12", "10"}, {"008", "05", "2"}};
    for (const auto& p : plays) {
        tick_lots(w, p.lots);
        enter_play(w, p.num, p.amount);
    }
    EXPECT_EQ(a.dlg->texts(), QStringList({"TRIPLE CARACAS  000 AGOTADO." + blanks(10)}));

    w->b_imprimir->click();
    const central::Ticket tk = a.ep.with_server([](central::Server& s) { return *s.model.ticket(1); });
    EXPECT_EQ(tk.state, central::Ticket::sold);
    EXPECT_EQ(tk.total, 12200000000);
    const auto& docs = dynamic_cast<fake::Printers&>(a.app->prn).docs;
    ASSERT_EQ(docs.size(), 1);
    QStringList printed = docs[0].lines.mid(0, docs[0].lines.size() - 1);
    for (QString& line : printed)
        line.replace(QDate::currentDate().toString("dd/MM/yyyy"), "DD/MM/YYYY").replace(tk.hora, "HH:MM:SS");
    EXPECT_EQ(printed.join('|').replace(' ', '_'), golden("plays_sold.txt").join('|').replace(' ', '_'));

    a.app->unload("movtik");
    delete c.data();
}

} // namespace
