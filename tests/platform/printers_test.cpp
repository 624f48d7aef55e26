#include "platform/linux.h"
#include "platform/text_job.h"

#include <QFile>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

TEST(PlatformPrinters, IndexOutsideTheInstalledPrintersGivesNoJob)
{
    auto printers = plat::make_printers();
    const QStringList names = printers->names();
    EXPECT_EQ(printers->start(-1), nullptr);
    EXPECT_EQ(printers->start(int(names.size())), nullptr);
    EXPECT_EQ(printers->start(int(names.size()) + 3), nullptr);
}

TEST(PlatformPrinters, NoPrinterInstalledMeansNoNames)
{
    auto printers = plat::make_printers();
    if (!printers->names().isEmpty())
        GTEST_SKIP() << "this machine has printers";
    EXPECT_EQ(printers->start(0), nullptr);
}

// Prints to a small PDF page and answers the number of pages made.
class PdfJob {
public:
    PdfJob()
    {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(path());
        printer->setPageSize(QPageSize(QSizeF(80, 40), QPageSize::Millimeter));
        job = plat::open_text_job(std::move(printer));
    }
    QString path() const { return dir.filePath("job.pdf"); }
    int pages() const
    {
        QFile f(path());
        if (!f.open(QIODevice::ReadOnly))
            return -1;
        const QString pdf = QString::fromLatin1(f.readAll());
        return int(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
    }

    QTemporaryDir dir;
    std::unique_ptr<plat::PrintJob> job;
};

TEST(PlatformPrinters, LinesRunOntoNewPagesAndAnEndedPageLeavesNoBlankOne)
{
    struct Case {
        const char* name;
        int lines_before;
        bool end_page;
        int lines_after;
        int pages;  // -1: more than one
    };
    const QList<Case> cases = {
        {"one line", 1, true, 0, 1},
        {"end page, then more lines", 3, true, 2, 2},
        {"no end page", 3, false, 0, 1},
        {"long report", 200, true, 0, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PdfJob pdf;
        ASSERT_NE(pdf.job, nullptr);
        for (int i = 0; i < c.lines_before; ++i)
            EXPECT_TRUE(pdf.job->print_line(QString("Linea %1").arg(i)));
        if (c.end_page) {
            EXPECT_TRUE(pdf.job->end_page());
        }
        for (int i = 0; i < c.lines_after; ++i)
            EXPECT_TRUE(pdf.job->print_line(" "));
        EXPECT_TRUE(pdf.job->end_doc());
        EXPECT_FALSE(pdf.job->print_line("after the end"));
        if (c.pages > 0) {
            EXPECT_EQ(pdf.pages(), c.pages);
        } else {
            EXPECT_GT(pdf.pages(), 1);
        }
    }
}

} // namespace
