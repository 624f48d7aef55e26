#pragma once
#include <QString>
#include <QStringList>
#include <memory>

namespace plat {

// One print job on one printer; every step answers false when it failed.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual bool print_line(const QString& text) = 0;
    virtual bool end_page() = 0;
    virtual bool end_doc() = 0;
};

class Printers {
public:
    virtual ~Printers() = default;
    // Names of the installed printers, in a stable order (index = position).
    virtual QStringList names() = 0;
    // Starts a job on the printer at index with the given number of copies;
    // null when there is no such printer or it cannot be opened.
    virtual std::unique_ptr<PrintJob> start(int index, int copies = 1) = 0;
};

} // namespace plat
