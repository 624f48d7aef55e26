#pragma once
// One print job of plain text lines on an installed printer, shared by the report print
// and the ticket print.
#include "platform/printers.h"

#include <memory>

class TextPrinter {
public:
    explicit TextPrinter(plat::Printers& printers) : printers_(printers) {}

    // Starts a job with one copy on the printer at index in the list of installed printers.
    // False when no printer is installed, index names none, or it cannot be opened.
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
