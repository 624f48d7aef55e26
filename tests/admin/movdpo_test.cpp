// The bank deposits list: its columns, and the delete of the deposit as received.
#include "admin/movdpo.h"
#include "tests/admin/users_deposits.h"

namespace {

const QString kProcesado = "Registro ya procesado. No puede ser eliminado." + QString(5, ' ');

// Three deposits, the second processed, the third of an amount that is no whole hundredth.
void seed(central::Model& m)
{
    m.outlet.deposits = {{QDate(2024, 5, 9), "001", "0004512", 250000000000, false},
                         {QDate(2024, 5, 10), "002", "0004518", 120050000000, true},
                         {QDate(2024, 5, 10), "001", "77", 123456789, false}};
}

TEST(Movdpo, ColumnsInTheServersOrder)
{
    AdminShell s;
    seed(s.model());
    auto* w = s.open<movdpo>("mov_dpo", "movdpo");
    EXPECT_EQ(w->windowTitle(), "Pagos a la Banca");
    EXPECT_EQ(s.t.srv->calls("dspdpo").first().values, QVariantList{"001"});
    const QTreeWidgetItem* head = w->lista->headerItem();
    EXPECT_EQ(QStringList({head->text(0), head->text(1), head->text(2), head->text(3)}),
              QStringList({"Fecha", "Cuenta Bancaria", "Número", "Monto"}));
    EXPECT_EQ(rows_of(w->lista), QStringList({"2024-05-09|001|0004512|2500.00", "2024-05-10|002|0004518|1200.50",
                                              "2024-05-10|001|77|1.23"}));
    EXPECT_EQ(w->lista->topLevelItem(0)->textAlignment(3), int(Qt::AlignRight | Qt::AlignVCenter));

    // Plain quotients when jug_sys is above mod_sys.
    s.t->ses_val.jug_sys = 1e9;
    s.with_modal([&] { w->b_incluir->click(); });
    EXPECT_EQ(w->lista->topLevelItem(2)->text(3), "1.23456789");
}

TEST(Movdpo, DeleteSendsTheDepositAsReceived)
{
    const QVariantList first{"3", "2024-05-09", "001", "001", "0004512", qint64(250000000000)};
    const struct { int row; int answer; QVariantList sent; QStringList boxes; int rows; } cases[] = {
        {2, -1, {"3", "2024-05-10", "001", "001", "77", qint64(123456789)}, {}, 2},  // shown as 1.23
        {1, -1, {"3", "2024-05-10", "001", "002", "0004518", qint64(120050000000)}, {kProcesado}, 3},
        {0, -1, first, {}, 2}, {0, 1, first, {}, 3}, {0, 2, first, {}, 3}, {0, 3, first, {kProcesado}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.row << " " << c.answer);
        AdminShell s;
        seed(s.model());
        if (c.answer >= 0)
            s.t.srv->register_procedure("actdpo", [&c](central::Request& r) { return r.status = c.answer, true; });
        auto* w = s.open<movdpo>("mov_dpo", "movdpo");
        w->lista->setCurrentItem(w->lista->topLevelItem(c.row));
        s.t.dlg->answers = {plat::ans_cancel, plat::ans_ok};
        w->b_eliminar->click();
        EXPECT_TRUE(s.t.srv->calls("actdpo").isEmpty());
        w->b_eliminar->click();
        EXPECT_EQ(s.t.srv->procs(), QStringList({"dspdpo", "actdpo", "dspdpo"}));
        EXPECT_EQ(s.t.srv->calls("actdpo").value(0).values, c.sent);
        EXPECT_EQ(s.boxes().mid(2), c.boxes);
        EXPECT_EQ(s.t.dlg->boxes.last().style, c.boxes.isEmpty() ? 33 : 48);
        EXPECT_EQ(w->lista->topLevelItemCount(), c.rows);
    }

    // Failing once is not seen; twice gives one box and no reload.
    for (int fails : {1, 2}) {
        AdminShell s;
        seed(s.model());
        auto* w = s.open<movdpo>("mov_dpo", "movdpo");
        s.t.srv->fail_next(fails, "actdpo");
        w->b_eliminar->click();
        EXPECT_EQ(s.boxes().mid(1), fails == 1 ? QStringList{} : QStringList{kLost});
        EXPECT_EQ(s.t.srv->calls("dspdpo").size(), fails == 1 ? 2 : 1);
    }
}

} // namespace
