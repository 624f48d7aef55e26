#include "text_printer.h"

#include <algorithm>

bool TextPrinter::start(int index)
{
    job_.reset();
    const auto count = printers_.names().size();
    if (index < 0 || index >= count) {
        failed_ = true;
        return false;
    }
    job_ = printers_.start(index, 1);
    if (!job_)
        failed_ = true;
    return !failed_;
}

bool TextPrinter::line(const QString& text, int margin)
{
    const bool ok = job_ && job_->print_line(QString(std::max(margin, 0), QLatin1Char(' ')) + text);
    if (!ok)
        failed_ = true;
    return ok;
}

bool TextPrinter::end()
{
    const bool page = job_ && job_->end_page();
    const bool doc = job_ && job_->end_doc();
    job_.reset();
    if (!page || !doc)
        failed_ = true;
    return page && doc;
}
