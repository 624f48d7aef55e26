// Printing through Qt PrintSupport: the installed (CUPS) printers, text lines in a
// fixed-pitch font. Built into a module of its own, which the program loads when it first
// prints (make_printers), so that it starts without Qt PrintSupport.
#include "platform/print_module.h"
#include "platform/text_job.h"

#include <QFont>
#include <QFontMetricsF>
#include <QMarginsF>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace plat {
namespace {

// Lines are laid out in fixed columns; this many must fit across the page (a ticket line
// of 31 characters plus a small margin), or the font is made smaller.
constexpr int min_columns = 32;
constexpr qreal font_points = 10;
constexpr qreal min_font_points = 6;

class TextJob : public PrintJob {
public:
    explicit TextJob(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}

    ~TextJob() override
    {
        // A job dropped without end_doc still sends what was drawn.
        if (painter_.isActive())
            painter_.end();
    }

    bool open()
    {
        printer_->setFullPage(true);
        printer_->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Point);
        if (!painter_.begin(printer_.get()) || failed())
            return false;
        QFont font("DejaVu Sans Mono");
        font.setStyleHint(QFont::Monospace);
        font.setFixedPitch(true);
        font.setPointSizeF(font_points);
        const qreal width = QFontMetricsF(font, printer_.get()).horizontalAdvance(QString(min_columns, '0'));
        if (width > printer_->width() && printer_->width() > 0)
            font.setPointSizeF(std::max(min_font_points, font_points * printer_->width() / width));
        painter_.setFont(font);
        return true;
    }

    bool print_line(const QString& text) override
    {
        if (!painter_.isActive())
            return false;
        const QFontMetrics fm = painter_.fontMetrics();
        // A page ended by end_page is only started when something is printed on it, so
        // that ending the document right after it gives no blank page.
        if (page_ended_ || (y_ > 0 && y_ + fm.height() > printer_->height())) {
            if (!printer_->newPage())
                return false;
            page_ended_ = false;
            y_ = 0;
        }
        painter_.drawText(0, y_ + fm.ascent(), text);
        y_ += fm.lineSpacing();
        return !failed();
    }

    bool end_page() override
    {
        if (!painter_.isActive())
            return false;
        page_ended_ = true;
        return !failed();
    }

    bool end_doc() override
    {
        if (!painter_.isActive())
            return false;
        const bool ended = painter_.end();
        return ended && !failed();
    }

private:
    bool failed() const { return printer_->printerState() == QPrinter::Error; }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    int y_ = 0;
    bool page_ended_ = false;
};

QList<QPrinterInfo> sorted_printers()
{
    QList<QPrinterInfo> list = QPrinterInfo::availablePrinters();
    std::stable_sort(list.begin(), list.end(), [](const QPrinterInfo& a, const QPrinterInfo& b) {
        return a.printerName() < b.printerName();
    });
    return list;
}

class LinuxPrinters : public Printers {
public:
    QStringList names() override
    {
        QStringList out;
        for (const QPrinterInfo& p : sorted_printers())
            out.append(p.printerName());
        return out;
    }

    std::unique_ptr<PrintJob> start(int index, int copies) override
    {
        const QList<QPrinterInfo> list = sorted_printers();
        if (index < 0 || index >= list.size())
            return nullptr;
        auto printer = std::make_unique<QPrinter>(list[index], QPrinter::HighResolution);
        printer->setCopyCount(std::max(1, copies));
        return open_text_job(std::move(printer));
    }
};

} // namespace

std::unique_ptr<PrintJob> open_text_job(std::unique_ptr<QPrinter> printer)
{
    auto job = std::make_unique<TextJob>(std::move(printer));
    if (!job->open())
        return nullptr;
    return job;
}

} // namespace plat

plat::Printers* tovaren_print_printers() { return new plat::LinuxPrinters; }
