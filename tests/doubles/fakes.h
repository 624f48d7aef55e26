#pragma once
// Test doubles of the platform services: they record what the program asked of them
// and answer from a script.
#include "platform/dialogs.h"
#include "platform/http.h"
#include "platform/printers.h"
#include "platform/settings.h"
#include "platform/system.h"

#include <QFile>
#include <QList>
#include <QMap>
#include <QStringList>
#include <deque>
#include <functional>

namespace fake {

struct Box { QString text; int style = 0; QString title; };

class Dialogs : public plat::Dialogs {
public:
    int msg_box(const QString& text, int style, const QString& title) override;
    void set_pointer(int p) override { pointer_ = p; pointers.append(p); }
    int pointer() const override { return pointer_; }

    QList<Box> boxes;           // every box shown, in order
    QList<int> pointers;        // every pointer change
    std::deque<int> answers;    // answers to give, in order; ans_ok once empty
    // Runs while a box is "open" (before it answers): a tick inside a modal box.
    std::function<void(const Box&)> on_box;
    QStringList texts() const;

private:
    int pointer_ = plat::ptr_default;
};

class Settings : public plat::Settings {
public:
    QString get(const QString& app, const QString& section, const QString& key, const QString& def) override
    {
        return values.value(path(app, section, key), def);
    }
    void save(const QString& app, const QString& section, const QString& key, const QString& value) override
    {
        values[path(app, section, key)] = value;
        saved << key;
    }
    void sync() override { ++syncs; }

    QMap<QString, QString> values;  // "app/section/key" -> value
    QStringList saved;              // the key of every save, in order
    int syncs = 0;
    static QString path(const QString& app, const QString& section, const QString& key)
    {
        return app + "/" + section + "/" + key;
    }
};

struct PrintedDoc {
    int printer = -1;
    int copies = 0;
    QStringList lines;     // every line; "\f" marks an end of page
    bool ended = false;
};

class Printers : public plat::Printers {
public:
    QStringList names() override { return printer_names; }
    std::unique_ptr<plat::PrintJob> start(int index, int copies) override;

    QStringList printer_names{"Recibos"};
    QList<PrintedDoc> docs;
    // A failure at each step of a job: its start, a line once this many were printed (-1
    // never), the end of its page (no page end recorded), the end of the job (not ended).
    bool fail_start = false;
    int fail_after_lines = -1;
    bool fail_page = false;
    bool fail_doc = false;
};

struct HttpCall { QString url, path; };  // path: the download target, empty for get

class Http : public plat::Http {
public:
    plat::HttpReply get(const QString& url) override;
    plat::HttpReply download(const QString& url, const QString& path,
                             const std::function<void(int, qint64)>& on_start,
                             const std::function<void(qint64)>& on_data) override;

    QList<HttpCall> calls;
    // Replies by URL; a URL with none fails as unreachable.
    QMap<QString, plat::HttpReply> replies;
    // When set for a download: the announced length (-1 none); the body is written to path.
    QMap<QString, qint64> announced;
};

class System : public plat::System {
public:
    quint32 volume_serial(bool* ok) override { if (ok) *ok = serial_ok; return serial; }
    QString new_guid() override;
    QString desktop_folder() override { return desktop; }
    QString program_folder() override { return folder; }
    bool make_shortcut(const QString& f, const QString& name, const QString& target) override
    {
        shortcuts << f + "/" + name + " -> " + target;
        return true;
    }
    bool file_exists(const QString& path) override { return QFile::exists(path); }
    bool remove_file(const QString& path) override { return QFile::remove(path); }
    bool rename_file(const QString& from, const QString& to) override;
    bool start_program(const QString& path, const QStringList& args) override
    {
        started << (args.isEmpty() ? path : path + " " + args.join(' '));
        return !start_fails;
    }
    void end_program(int code) override { ended = true; end_code = code; }
    void restart_program() override { restarted = true; ended = true; }

    quint32 serial = 0x12345678;
    bool serial_ok = true;
    QStringList guids;          // GUIDs to hand out in order; generated once empty
    QString desktop;
    QString folder;
    QStringList shortcuts;      // "folder/name -> target"
    QStringList started;
    bool start_fails = false;
    bool ended = false;
    int end_code = -1;
    bool restarted = false;
};

} // namespace fake
