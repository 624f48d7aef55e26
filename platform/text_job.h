#pragma once
// A print job of plain text lines on a Qt printer (used by the printer service; a test can
// hand it a PDF printer).
#include "platform/printers.h"

#include <memory>

class QPrinter;

namespace plat {

// Starts a job on printer (full page, no margins, fixed-pitch font); null when the printer
// cannot be opened.
std::unique_ptr<PrintJob> open_text_job(std::unique_ptr<QPrinter> printer);

} // namespace plat
