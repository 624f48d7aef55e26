// The installed printers, from the printing module (print_module.h), loaded by the first
// call that needs them: Qt PrintSupport is mapped only once the program prints.
#include "platform/linux.h"
#include "platform/loaded_library.h"
#include "platform/print_module.h"

#include <QCoreApplication>
#include <QFile>

namespace plat {
namespace {

class ModulePrinters : public Printers {
public:
    explicit ModulePrinters(QString module) : module_(std::move(module)) {}

    QStringList names() override { return printers() ? printers_->names() : QStringList(); }

    std::unique_ptr<PrintJob> start(int index, int copies) override
    {
        return printers() ? printers_->start(index, copies) : nullptr;
    }

private:
    // The module's printers; null when it cannot be loaded (tried once, the failure reported
    // on the standard error).
    Printers* printers()
    {
        if (!tried_) {
            tried_ = true;
            const QString file = module_.isEmpty()
                                     ? QCoreApplication::applicationDirPath() + '/' + QLatin1String(print_module_file)
                                     : module_;
            LoadedLibrary so("Printing", QFile::encodeName(file).constData());
            decltype(&tovaren_print_printers) entry = nullptr;
            so.find(entry, print_module_entry);
            if (entry)
                printers_.reset(entry());
        }
        return printers_.get();
    }

    const QString module_;  // empty: the one beside the program
    bool tried_ = false;
    std::unique_ptr<Printers> printers_;
};

} // namespace

std::unique_ptr<Printers> make_printers(const QString& module) { return std::make_unique<ModulePrinters>(module); }

} // namespace plat
