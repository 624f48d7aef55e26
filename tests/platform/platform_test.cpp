// The platform services on Linux: message boxes and the pointer on real Qt widgets, the text
// print job, the INI settings, files, programs and identities, and HTTP over libcurl against
// a small server on loopback. What each message box showed and answered and what each request
// gave are golden transcripts (tests/golden/platform/).
#include "platform/linux.h"
#include "platform/text_job.h"
#include "tests/doubles/files.h"
#include "tests/doubles/golden.h"
#include "tests/doubles/loopback.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(PlatformDialogs, BoxesShowTheirStyleAndAnswerWithTheirCodesAndThePointerIsOneState)
{
    const QString accents = QString::fromUtf8("  ¿Línea uno?\r\nDos          ");
    // act: the button clicked, Esc or the window's close box.
    const struct { int style; const char* act; QString text; } cases[] = {
        {64, "Ok", accents}, {16, "Esc", accents}, {48, "close", accents},
        {0, "Ok", "<b>Caja</b> 01"},  // markup shown as is
        {33, "Ok", accents}, {33, "Cancel", accents}, {33, "Esc", accents}, {33, "close", accents},
        {36, "Yes", accents}, {36, "No", accents}, {36, "Esc", accents},
    };
    auto dialogs = plat::make_dialogs();
    QStringList t;
    for (const auto& c : cases) {
        // Answers the box as soon as it is open, after noting what it shows.
        QString seen;
        QTimer timer;
        timer.callOnTimeout([&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer.stop();
            QStringList buttons;
            for (QAbstractButton* b : box->buttons())
                buttons << QString::number(box->standardButton(b), 16);
            buttons.sort();
            seen = QString("title \"%1\", text \"%2\", plain %3, icon %4, buttons %5")
                       .arg(box->windowTitle(), QString(box->text()).replace("\r\n", "|"))
                       .arg(box->textFormat() == Qt::PlainText).arg(box->icon()).arg(buttons.join(' '));
            const int button = QMetaEnum::fromType<QMessageBox::StandardButtons>().keyToValue(c.act);
            if (button > 0)
                box->button(QMessageBox::StandardButton(button))->click();
            else if (c.act == QStringLiteral("Esc"))
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        timer.start(0);
        const int answer = dialogs->msg_box(c.text, c.style, "Actualización Kelmaris");
        t << QString("style %1, %2: answers %3; %4").arg(c.style).arg(c.act).arg(answer).arg(seen);
    }
    // The pointer is one state: the hourglass asked for twice goes with the default pointer
    // asked for once. Noted: the override cursor's shape (3: the wait cursor; none: -) and the pointer.
    const auto pointer = [&] {
        const QCursor* c = QApplication::overrideCursor();
        return (c ? QString::number(c->shape()) : "-") + " " + QString::number(dialogs->pointer());
    };
    t << "pointer at the start: " + pointer();
    for (auto p : {plat::ptr_hourglass, plat::ptr_hourglass, plat::ptr_default, plat::ptr_default}) {
        dialogs->set_pointer(p);
        t << QString("pointer %1 asked: ").arg(p) + pointer();
    }
    expect_golden(t, "platform/dialogs.txt");
}

// An index outside the installed printers gives no job; lines run onto new pages and an
// ended page leaves no blank one.
TEST(PlatformPrinters, JobsOnlyOnInstalledPrintersAndTheirPages)
{
    auto printers = plat::make_printers();
    const int n = int(printers->names().size());  // with none installed, start(0) is refused too
    for (int index : {-1, n, n + 3})
        EXPECT_EQ(printers->start(index), nullptr) << index;
    // pages -1: more than one.
    const struct { int lines_before; bool end_page; int lines_after, pages; } cases[] = {
        {1, true, 0, 1}, {3, true, 2, 2}, {3, false, 0, 1}, {200, true, 0, -1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines_before << " lines, end page " << c.end_page);
        QTemporaryDir dir;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(dir.filePath("job.pdf"));
        printer->setPageSize(QPageSize(QSizeF(80, 40), QPageSize::Millimeter));
        auto job = plat::open_text_job(std::move(printer));
        ASSERT_NE(job, nullptr);
        for (int i = 0; i < c.lines_before; ++i)
            EXPECT_TRUE(job->print_line(QString("Linea %1").arg(i)));
        EXPECT_TRUE(!c.end_page || job->end_page());
        for (int i = 0; i < c.lines_after; ++i)
            EXPECT_TRUE(job->print_line(" "));
        EXPECT_TRUE(job->end_doc());
        EXPECT_FALSE(job->print_line("after the end"));

        const QString pdf = QString::fromLatin1(read_file(dir.filePath("job.pdf")));
        const int pages = int(pdf.count(QRegularExpression("/Type\\s*/Page[^s]")));
        EXPECT_TRUE(c.pages > 0 ? pages == c.pages : pages > 1) << pages;
    }
}

QString ini_path(const QString& app)
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, app).fileName();
}

TEST(PlatformSettings, ValuesComeBackExactlyInTheNextRunMissingOnesAsTheDefault)
{
    const QString app = "tovaren_settings_roundtrip";
    const QList<QPair<QString, QString>> values = {
        {"cox_serv", "10.0.0.7"}, {"lista", "uno,dos,tres"},   {"quotient", "1,5"},
        {"blanks", "  dos blancos  "}, {"empty", ""}, {"accents", QString::fromUtf8("Añejo ñandú")},
        {"punctuation", "a=b;c\"d\\e"},
    };
    {
        auto settings = plat::make_settings();
        for (const auto& [key, value] : values)
            settings->save(app, "parsys", key, value);
        settings->sync();
    }
    // One INI file for each application, a section for each group.
    EXPECT_TRUE(ini_path(app).endsWith("/" + app + ".ini"));
    EXPECT_TRUE(read_file(ini_path(app)).contains("[parsys]"));
    auto next_run = plat::make_settings();
    for (const auto& [key, value] : values)
        EXPECT_EQ(next_run->get(app, "parsys", key, "default"), value) << key.toStdString();
    EXPECT_EQ(next_run->get(app, "parsys", "other", "0"), "0");
    EXPECT_EQ(next_run->get(app, "TOVAREN", "cox_serv", "x"), "x");
    EXPECT_EQ(next_run->get("tovaren_settings_two", "parsys", "cox_serv", "none"), "none");
    EXPECT_FALSE(QFile::exists(ini_path("tovaren_settings_two")));

    // Saving what is stored already leaves the file as it is (here with lines edited by hand);
    // a list edited by hand comes back as one text.
    ASSERT_TRUE(write_file(ini_path(app), read_file(ini_path(app)) + "[edited]\nord_lot=3,1,2\n"));
    for (const auto& [key, value] : values)
        next_run->save(app, "parsys", key, value);
    next_run->sync();
    EXPECT_TRUE(read_file(ini_path(app)).endsWith("[edited]\nord_lot=3,1,2\n"));
    EXPECT_EQ(plat::make_settings()->get(app, "edited", "ord_lot"), "3,1,2");
}

TEST(PlatformSystem, ShortcutIsAnExecutableDesktopEntryReplacingTheOldOne)
{
    const QList<QPair<QString, QString>> cases = {
        {"/opt/tovaren/BRONTEX.EXE", "Exec=\"/opt/tovaren/BRONTEX.EXE\""},
        {"/home/caja 01/BRONTEX.EXE", "Exec=\"/home/caja 01/BRONTEX.EXE\""},
        // Inside the quotes $ takes a backslash, which the key file escapes once more; % is doubled.
        {"/srv/a$b/100%/BRONTEX.EXE", "Exec=\"/srv/a\\\\$b/100%%/BRONTEX.EXE\""},
    };
    QTemporaryDir desktop;
    auto sys = plat::make_system();
    const QString path = desktop.filePath("TOVAREN.desktop");
    ASSERT_TRUE(write_file(path, "[Desktop Entry]\nType=Application\nName=old\nExec=/old/loader\nComment=old entry\n"));
    for (const auto& [target, exec_line] : cases) {
        SCOPED_TRACE(target.toStdString());
        ASSERT_TRUE(sys->make_shortcut(desktop.path(), "TOVAREN", target));
        EXPECT_EQ(QString::fromUtf8(read_file(path)),
                  "[Desktop Entry]\nType=Application\nName=TOVAREN\n" + exec_line + "\nTerminal=false\n");
        EXPECT_TRUE(QFile::permissions(path) & QFile::ExeOwner);
    }
    EXPECT_EQ(QDir(desktop.path()).entryList(QDir::Files), QStringList{"TOVAREN.desktop"});
    EXPECT_FALSE(sys->make_shortcut(desktop.filePath("missing"), "TOVAREN", "/opt/x"));
}

TEST(PlatformSystem, IdentitiesKeepTheirFormAndFilesAreRenamedOverTheTargetAndRemoved)
{
    QTemporaryDir dir;
    auto sys = plat::make_system();
    bool ok = false;
    const quint32 serial = sys->volume_serial(&ok);
    EXPECT_TRUE(ok && sys->volume_serial(nullptr) == serial);  // the same terminal every time
    const QString guid = sys->new_guid();
    EXPECT_TRUE(QRegularExpression("^\\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\\}$").match(guid).hasMatch())
        << guid.toStdString();
    EXPECT_NE(guid, sys->new_guid());

    const QString download = dir.filePath("BRONTEX.EX_");
    const QString loader = dir.filePath("BRONTEX.EXE");
    ASSERT_TRUE(write_file(download, "new loader") && write_file(loader, "old loader, longer"));

    EXPECT_TRUE(sys->file_exists(download));
    EXPECT_FALSE(sys->file_exists(dir.path()));  // a folder is not a file
    // Renamed over the target; a rename that cannot happen leaves the target as it was.
    for (bool renames : {true, false}) {
        EXPECT_EQ(sys->rename_file(download, loader), renames);
        EXPECT_FALSE(sys->file_exists(download));
        EXPECT_EQ(read_file(loader), "new loader");
    }

    EXPECT_TRUE(sys->remove_file(loader));
    EXPECT_FALSE(sys->file_exists(loader));
    EXPECT_FALSE(sys->remove_file(loader));
}

TEST(PlatformSystem, EndingTheProgramKeepsBufferedOutputAndTheCode)
{
    int fds[2];
    ASSERT_EQ(::pipe(fds), 0);
    // The stream and its buffer are made before the fork, so the child only writes.
    FILE* out = ::fdopen(fds[1], "w");
    ASSERT_NE(out, nullptr);
    static char buffer[256];
    std::setvbuf(out, buffer, _IOFBF, sizeof buffer);
    auto sys = plat::make_system();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::fputs("last words", out);
        sys->end_program(7);
        ::_exit(99);  // not reached
    }
    std::fclose(out);
    QFile pipe;
    ASSERT_TRUE(pipe.open(fds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle));
    EXPECT_EQ(pipe.readAll(), "last words");
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 7) << status;
}

std::string answer(const std::string& status, const std::string& body, const std::string& headers = "",
                   bool length = true)
{
    return "HTTP/1.1 " + status + "\r\n" + headers +
           (length ? "Content-Length: " + std::to_string(body.size()) + "\r\n" : "") + "Connection: close\r\n\r\n" + body;
}

std::string payload(size_t size)
{
    std::string s(size, '\0');
    for (size_t i = 0; i < size; ++i)
        s[i] = char((i * 7 + i / 251) % 256);  // every byte value, zeros included
    return s;
}

const std::string big = payload(300000);
const std::string small = payload(5000);

// A small HTTP server on 127.0.0.1: each path has a canned raw answer, sent whole before the
// connection is closed. Unknown paths get 404.
class LoopbackServer {
public:
    LoopbackServer()
    {
        port_ = bind_loopback(fd_);
        if (::listen(fd_, 8) == 0)
            thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackServer()
    {
        ::shutdown(fd_, SHUT_RDWR);  // wakes accept()
        if (thread_.joinable())
            thread_.join();
        ::close(fd_);
    }
    QString url(const QString& path) const { return QString("http://127.0.0.1:%1%2").arg(port_).arg(path); }

private:
    const std::map<std::string, std::string> answers_ = {
        {"/getipx", answer("200 OK", "hello world", "X-Test: yes\r\n")},
        {"/missing", answer("404 Not Found", "not here")},
        {"/failing", answer("500 Internal Server Error", "boom")},
        {"/moved", answer("302 Found", "moved", "Location: /getipx\r\n")},
        {"/BRONTEX.EX_", answer("200 OK", big)},
        {"/nolength", answer("200 OK", small, "", false)},
        {"/empty", answer("200 OK", "")},
        {"/moved-file", answer("302 Found", "moved", "Location: /BRONTEX.EX_\r\n")},
        {"/short", answer("200 OK", small.substr(0, 500), "Content-Length: 1000\r\n", false)},
    };
    int fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    int port_ = 0;
    std::thread thread_;

    void serve()
    {
        for (int client; (client = ::accept(fd_, nullptr, nullptr)) >= 0;) {
            std::string request;
            char buf[4096];
            for (ssize_t n; request.find("\r\n\r\n") == std::string::npos && (n = ::recv(client, buf, sizeof buf, 0)) > 0;)
                request.append(buf, size_t(n));
            const size_t start = request.find(' ') + 1;
            const auto it = answers_.find(request.substr(start, request.find(' ', start) - start));
            const std::string a = it != answers_.end() ? it->second : answer("404 Not Found", "");
            ::send(client, a.data(), a.size(), MSG_NOSIGNAL);  // a blocking socket takes it whole
            ::shutdown(client, SHUT_WR);  // let the client read everything before the close
            while (::recv(client, buf, sizeof buf, 0) > 0) {
            }
            ::close(client);
        }
    }
};

// A path on the server, or "refused" for a port nobody listens on. GETs never go through a
// proxy for loopback (this one would refuse every request); after a redirect only the final
// answer's headers are kept. A download writes the file whole, progress after its start,
// rising to the size; an error page is still written (the caller judges it), a redirect's
// own body is not; a stale, longer file is replaced. libcurl is loaded by the first request;
// where it cannot be, every request fails with the reason and no file is written.
TEST(PlatformHttp, GetAndDownload)
{
    LoopbackServer server;
    QTemporaryDir dir;
    const QByteArray saved_proxy = qgetenv("http_proxy");
    qputenv("http_proxy", QString("http://127.0.0.1:%1").arg(loopback_port()).toUtf8());
    auto http = plat::make_http();
    auto url = [&](const QString& route) {
        return route == "refused" ? QString("http://127.0.0.1:%1/getipx").arg(loopback_port()) : server.url(route);
    };
    QStringList t;
    auto get = [&](plat::Http& h, const char* route) {
        const plat::HttpReply r = h.get(url(route));
        QStringList headers;
        for (const char* name : {"x-test", "content-length", "location"})
            if (r.headers.contains(name))
                headers << QString(name) + ": " + r.headers.value(name);
        t << QString("get %1: ok %2, status %3, body '%4', headers [%5], error %6")
                 .arg(route).arg(r.ok).arg(r.status).arg(QString(r.body), headers.join(", ")).arg(!r.error.isEmpty());
        return r;
    };
    // A stale file stands at the target unless the folder is missing or nothing answers.
    auto download = [&](plat::Http& h, const char* route, const char* file, bool stale = true) {
        const QString path = dir.filePath(file);
        if (stale)
            write_file(path, QByteArray(400000, 'x'));
        QStringList starts;
        QList<qint64> data;
        const plat::HttpReply r = h.download(
            url(route), path, [&](int status, qint64 length) { starts << QString("%1 %2").arg(status).arg(length); },
            [&](qint64 received) {
                EXPECT_FALSE(starts.isEmpty()) << route;
                data << received;
            });
        const QByteArray got = read_file(path);
        t << QString("download %1 to %2: ok %3, status %4, received %5, body %6, error %7, started [%8], progress %9, "
                     "%10")
                 .arg(route, file).arg(r.ok).arg(r.status).arg(r.received).arg(r.body.size()).arg(!r.error.isEmpty())
                 .arg(starts.join(", "))
                 .arg(std::adjacent_find(data.begin(), data.end(), std::greater_equal<qint64>()) == data.end() &&
                              data.size() >= (got.size() > 100000 ? 2 : 0)
                          ? QString("rising to %1").arg(data.value(data.size() - 1, 0))
                          : "NOT rising in steps")
                 .arg(QFile::exists(path) ? QString("file %1 bytes, crc %2").arg(got.size()).arg(qChecksum(got)) : "no file");
        return r;
    };
    for (const char* route : {"/getipx", "/missing", "/failing", "/moved", "refused"})
        get(*http, route);
    for (const auto& [route, file] : {std::pair{"/BRONTEX.EX_", "a"}, {"/nolength", "b"}, {"/empty", "c"},
                                      {"/missing", "d"}, {"/moved-file", "e"}, {"/short", "f"},
                                      {"/BRONTEX.EX_", "no/such/folder/h"}, {"/empty", "no/such/folder/i"}})
        download(*http, route, file);
    download(*http, "refused", "g", false);
    EXPECT_EQ(read_file(dir.filePath("a")), QByteArray::fromStdString(big));
    saved_proxy.isNull() ? qunsetenv("http_proxy") : qputenv("http_proxy", saved_proxy);

    t << "without libcurl:";
    auto without = plat::make_http("libtovaren-no-curl.so.4");
    for (const plat::HttpReply& r : {get(*without, "/getipx"), download(*without, "/BRONTEX.EX_", "j", false)})
        EXPECT_TRUE(r.error.contains("libtovaren-no-curl.so.4")) << r.error.toStdString();
    expect_golden(t, "platform/http.txt");
}

} // namespace
