#include "platform/linux.h"
#include "platform/text_job.h"
#include "tests/doubles/files.h"

#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PlatformPrinters, IndexOutsideTheInstalledPrintersGivesNoJob)
{
    auto printers = plat::make_printers();
    const int n = int(printers->names().size());  // with none installed, start(0) is refused too
    for (int index : {-1, n, n + 3})
        EXPECT_EQ(printers->start(index), nullptr) << index;
}

TEST(PlatformPrinters, LinesRunOntoNewPagesAndAnEndedPageLeavesNoBlankOne)
{
    // pages -1: more than one.
    const struct { int lines_before; bool end_page; int lines_after, pages; } cases[] = {
        {1, true, 0, 1}, {3, true, 2, 2}, {3, false, 0, 1}, {200, true, 0, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines_before << " lines, end page " << c.end_page);
        QTemporaryDir dir;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir.filePath("job.pdf"));
        printer->setPageSize(QPageSize(QSizeF(80, 40), QPageSize::Millimeter));
        auto job = plat::open_text_job(std::move(printer));
        ASSERT_NE(job, nullptr);
        for (int i = 0; i < c.lines_before; ++i)
            EXPECT_TRUE(job->print_line(QString("Linea %1").arg(i)));
        EXPECT_TRUE(!c.end_page || job->end_page());
        for (int i = 0; i < c.lines_after; ++i)
            EXPECT_TRUE(job->print_line(" "));
        EXPECT_TRUE(job->end_doc());
        EXPECT_FALSE(job->print_line("after the end"));

        const QString pdf = QString::fromLatin1(read_file(dir.filePath("job.pdf")));
        const int pages = int(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
        EXPECT_TRUE(c.pages > 0 ? pages == c.pages : pages > 1) << pages;
    }
}

} // namespace
