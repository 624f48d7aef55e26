#include "text_printer.h"

#include <algorithm>

int prn_index(const QStringList& names, int rep_nprn, const QString& rep_impr)
{
    if (rep_impr.isEmpty() || (rep_nprn >= 0 && rep_nprn < names.size() && names[rep_nprn] == rep_impr))
        return rep_nprn;
    return int(names.indexOf(rep_impr));
}

bool TextPrinter::start(const CfgReg& cfg)
{
    return start(prn_index(printers_.names(), cfg.rep_nprn, cfg.rep_impr));
}

bool TextPrinter::start(int index)
{
    job_.reset();
    if (index < 0 || index >= printers_.names().size()) {
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
