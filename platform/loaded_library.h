#pragma once
// A shared library loaded while the program runs, for the services whose libraries most
// starts never need: its functions looked up by name, the first failure kept (and
// reported once on the standard error).
#include <QString>
#include <dlfcn.h>

namespace plat {

class LoadedLibrary {
public:
    // service names what the library serves, for the failure's text.
    LoadedLibrary(const char* service, const char* file) : service_(service)
    {
        handle_ = dlopen(file, RTLD_NOW | RTLD_LOCAL);
        if (!handle_)
            fail(QString::fromLocal8Bit(dlerror()));
    }

    // Looks a function up by its name; one that is missing leaves fn null and the library
    // unusable.
    template <class Fn> void find(Fn*& fn, const char* name)
    {
        fn = handle_ ? reinterpret_cast<Fn*>(dlsym(handle_, name)) : nullptr;
        if (!fn)
            fail(QStringLiteral("%1 is missing").arg(QLatin1String(name)));
    }
    // Marks the library unusable, for why.
    void fail(const QString& why)
    {
        if (!error_.isEmpty())
            return;
        error_ = QStringLiteral("%1 is not available: %2").arg(QLatin1String(service_), why);
        qWarning("%s", qPrintable(error_));
    }

    bool ok() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

private:
    const char* service_;
    void* handle_ = nullptr;  // never closed: the functions stay in use until the end
    QString error_;
};

} // namespace plat
