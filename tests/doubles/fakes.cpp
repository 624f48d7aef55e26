#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <cstdio>

namespace fake {

int Dialogs::msg_box(const QString& text, int style, const QString& title)
{
    Box b{text, style, title};
    boxes.append(b);
    if (on_box)
        on_box(b);
    if (answers.empty())
        return plat::ans_ok;
    const int a = answers.front();
    answers.pop_front();
    return a;
}

QStringList Dialogs::texts() const
{
    QStringList t;
    for (const auto& b : boxes)
        t << b.text;
    return t;
}

namespace {
class Job : public plat::PrintJob {
public:
    Job(Printers& owner, qsizetype doc) : owner_(owner), doc_(doc) {}
    bool print_line(const QString& text) override
    {
        auto& d = owner_.docs[doc_];
        if (owner_.fail_after_lines >= 0 && d.lines.size() >= owner_.fail_after_lines)
            return false;
        d.lines << text;
        return true;
    }
    bool end_page() override
    {
        if (owner_.fail_page)
            return false;
        owner_.docs[doc_].lines << "\f";
        return true;
    }
    bool end_doc() override
    {
        if (owner_.fail_doc)
            return false;
        owner_.docs[doc_].ended = true;
        return true;
    }

private:
    Printers& owner_;
    qsizetype doc_;
};

plat::HttpReply unreachable()
{
    plat::HttpReply r;
    r.error = QStringLiteral("could not connect");
    return r;
}
} // namespace

std::unique_ptr<plat::PrintJob> Printers::start(int index, int copies)
{
    if (fail_start || index < 0 || index >= printer_names.size())
        return nullptr;
    docs.append(PrintedDoc{index, copies, {}, false});
    return std::make_unique<Job>(*this, docs.size() - 1);
}

plat::HttpReply Http::get(const QString& url)
{
    calls.append({url, {}});
    return replies.value(url, unreachable());
}

plat::HttpReply Http::download(const QString& url, const QString& path,
                               const std::function<void(int, qint64)>& on_start,
                               const std::function<void(qint64)>& on_data)
{
    calls.append({url, path});
    if (!replies.contains(url))
        return unreachable();
    plat::HttpReply r = replies.value(url);
    if (on_start)
        on_start(r.status, announced.value(url, r.body.size()));
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) {
        // Deliver in two chunks so that progress is seen more than once.
        const auto half = r.body.size() / 2;
        f.write(r.body.left(half));
        if (on_data)
            on_data(half);
        f.write(r.body.mid(half));
        if (on_data)
            on_data(r.body.size());
    }
    r.received = r.body.size();
    r.body.clear();
    return r;
}

QString System::new_guid()
{
    if (!guids.isEmpty())
        return guids.takeFirst();
    return QUuid::createUuid().toString(QUuid::WithBraces).toUpper();
}

bool System::rename_file(const QString& from, const QString& to)
{
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

} // namespace fake
