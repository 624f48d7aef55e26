// The report layouts on their own: reports longer than any buffer limit.
#include "reports/lines.h"

#include <gtest/gtest.h>

namespace {

TEST(ReportLines, ALongReportKeepsEveryRowAndItsTotals)
{
    const RepHead head{"AGENCIA", false, MonCtx{}};
    const RepRange day{QDate(2024, 5, 1), QDate(2024, 5, 1)};
    const int n = 40000;  // more lines than a 16-bit line index reaches
    QList<SaleRow> sales;
    QList<AnnulRow> annulled;
    QList<ResultRow> results;
    for (int i = 0; i < n; ++i) {
        sales.append({QDate(2024, 5, 1), "01", 100000000.0});
        annulled.append({QString::number(i), "01", "10:00:00", 100000000.0});
        results.append({QString::number(i), "01", 100000000.0, 200000000.0, i % 2});
    }
    const Report v = lay_repvtq(head, day, "01", sales, &annulled);
    ASSERT_EQ(v.lines.size(), 6 + n + 2 + 4 + n + 2 + 1);
    EXPECT_EQ(v.lines[6 + n + 1], "TOTAL :                 40000.00");
    EXPECT_EQ(v.lines[6 + n + 2 + 4 + n - 1], "00039999 01 10:00:00        1.00");
    EXPECT_EQ(v.lines[v.lines.size() - 2], "TOTAL :                 40000.00");

    const Report r = lay_reprtq(head, day, "01", results);
    ASSERT_EQ(r.lines.size(), 6 + n + 6);
    EXPECT_EQ(r.lines.mid(6 + n + 1), QStringList({"TOTAL     :           80000.00", "",
                                                   "PAGADOS   :           40000.00",
                                                   "POR PAGAR :           40000.00", ""}));
}

} // namespace
