#pragma once
// One print job of plain text lines on an installed printer, shared by the report print
// and the ticket print.
#include "core/shared/state.h"
#include "platform/printers.h"

#include <memory>

// The position among the installed printers names of the printer the settings choose:
// rep_nprn, unless the saved name rep_impr no longer names the printer there; then the
// first printer of that name, -1 when none has it any more.
int prn_index(const QStringList& names, int rep_nprn, const QString& rep_impr);

class TextPrinter {
public:
    explicit TextPrinter(plat::Printers& printers) : printers_(printers) {}

    // Starts a job with one copy on the printer the settings choose (prn_index). False when
    // no printer is installed, the settings name none, or it cannot be opened.
    bool start(const CfgReg& cfg);
    // Starts a job on the printer at that position among the installed printers.
    bool start(int index);
    // Prints margin blanks followed by text (no margin: pass 0).
    bool line(const QString& text, int margin = 0);
    // Ends the page, then the document, so that the printer receives the job.
    bool end();
    // Each step answers whether it succeeded; failed() tells whether any step so far failed.
    bool failed() const { return failed_; }

private:
    plat::Printers& printers_;
    std::unique_ptr<plat::PrintJob> job_;
    bool failed_ = false;
};
