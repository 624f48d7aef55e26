#include "app.h"

App::App(Services services)
    : dlg(*services.dialogs),
      reg(*services.settings),
      prn(*services.printers),
      http(*services.http),
      sys(*services.system),
      driver(*services.driver),
      cox_bd(*services.driver),
      services_(std::move(services))
{
    for (auto* c : commands())
        c->active_connection = &cox_bd;
}

App::~App()
{
    for (auto& [name, w] : windows_)
        delete w.data();
    windows_.clear();
}

QList<db::Command*> App::commands()
{
    return {&cmd_sp, &cmd_stacox, &cmd_getmen, &cmd_getpaq, &cmd_newtkx, &cmd_statik, &cmd_protkx, &cmd_valtkx};
}

void App::cox_up()
{
    flg_nocox = 0;
    if (cox_back)
        cox_back();
}

int App::msg(const QString& text, int style, const QString& title)
{
    return dlg.msg_box(text, style, title);
}

void App::register_window(const QString& name, Factory factory)
{
    factories_[name] = std::move(factory);
}

QWidget* App::window(const QString& name)
{
    auto it = windows_.find(name);
    if (it != windows_.end() && it->second)
        return it->second;
    auto f = factories_.find(name);
    if (f == factories_.end())
        return nullptr;
    QWidget* w = f->second(*this);
    if (!w)
        return nullptr;
    if (w->objectName().isEmpty())
        w->setObjectName(name);
    windows_[name] = w;
    return w;
}

bool App::is_loaded(const QString& name) const
{
    auto it = windows_.find(name);
    return it != windows_.end() && !it->second.isNull();
}

void App::unload(const QString& name)
{
    auto it = windows_.find(name);
    if (it == windows_.end())
        return;
    QPointer<QWidget> w = it->second;
    windows_.erase(it);
    if (w) {
        w->close();
        delete w.data();
    }
}

QStringList App::registered() const
{
    QStringList names;
    for (const auto& [name, f] : factories_)
        names << name;
    return names;
}

QStringList App::loaded() const
{
    QStringList names;
    for (const auto& [name, w] : windows_)
        if (w)
            names << name;
    return names;
}
