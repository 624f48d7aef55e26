// The platform services on Linux: message boxes and the pointer on real Qt widgets, the
// printing module and its text print job, the INI settings, files, programs and identities. What each message box showed
// and answered is a golden transcript (tests/golden/platform/dialogs.txt).
#include "platform/linux.h"
#include "platform/text_job.h"
#include "tests/doubles/files.h"
#include "tests/doubles/golden.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPageSize>
#include <QPrinter>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(PlatformDialogs, StylesShowTheirButtonsAndIconAndAnswerWithTheirCodes)
{
    const QString accents = QString::fromUtf8("  ¿Línea uno?\r\nDos          ");
    enum Act { click_ok, click_cancel, click_yes, click_no, escape, close_box };
    const char* const act_names[] = {"Ok", "Cancel", "Yes", "No", "Esc", "close"};
    const struct { int style; Act act; QString text; } cases[] = {
        {64, click_ok, accents}, {16, escape, accents}, {48, close_box, accents},
        {0, click_ok, "<b>Caja</b> 01"},  // markup shown as is
        {33, click_ok, accents}, {33, click_cancel, accents}, {33, escape, accents}, {33, close_box, accents},
        {36, click_yes, accents}, {36, click_no, accents}, {36, escape, accents},
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
            const QMessageBox::StandardButton clicks[] = {QMessageBox::Ok, QMessageBox::Cancel, QMessageBox::Yes,
                                                          QMessageBox::No};
            if (c.act == escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else if (c.act == close_box)
                box->close();
            else
                box->button(clicks[c.act])->click();
        });
        timer.start(0);
        const int answer = dialogs->msg_box(c.text, c.style, "Actualización Kelmaris");
        t << QString("style %1, %2: answers %3; %4").arg(c.style).arg(act_names[c.act]).arg(answer).arg(seen);
    }
    expect_golden(t, "platform/dialogs.txt");
}

TEST(PlatformDialogs, PointerIsOneStateNotAStack)
{
    auto dialogs = plat::make_dialogs();
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    dialogs->set_pointer(plat::ptr_hourglass);
    dialogs->set_pointer(plat::ptr_hourglass);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    EXPECT_EQ(dialogs->pointer(), plat::ptr_hourglass);
    for (int i = 0; i < 2; ++i) {  // once restores; again is harmless
        dialogs->set_pointer(plat::ptr_default);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(dialogs->pointer(), plat::ptr_default);
    }
}

// An index outside the installed printers gives no job; lines run onto new pages and an
// ended page leaves no blank one.
TEST(PlatformPrinters, JobsOnlyOnInstalledPrintersAndTheirPages)
{
    auto printers = plat::make_printers(TOVAREN_PRINT_MODULE);
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

// The printing module loads from the path given; where it cannot be loaded there are no
// printers and no job starts, and the reason is reported once, however often printing is
// tried.
TEST(PlatformPrinters, ModuleLoadsOrTheReasonIsReportedOnce)
{
    static QStringList logged;
    const auto previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& m) { logged << m; });
    const struct { QString module; const char* reason; } cases[] = {
        {TOVAREN_PRINT_MODULE, nullptr},
        {"/nonexistent/libtovaren_print.so", "/nonexistent/libtovaren_print.so"},
        {"libm.so.6", "tovaren_print_printers is missing"},  // a library, but not the module
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module.toStdString());
        logged.clear();
        auto printers = plat::make_printers(c.module);
        for (int i = 0; i < 2; ++i) {
            const QStringList names = printers->names();
            if (c.reason) {
                EXPECT_TRUE(names.isEmpty());
                EXPECT_EQ(printers->start(0), nullptr);
            }
        }
        EXPECT_EQ(logged.size(), c.reason ? 1 : 0) << logged.join('|').toStdString();
        if (c.reason) {
            EXPECT_TRUE(logged.value(0).contains(c.reason)) << logged.join('|').toStdString();
        }
    }
    qInstallMessageHandler(previous);
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

    // Saving what is stored already leaves the file as it is (here with a line of its own).
    ASSERT_TRUE(write_file(ini_path(app), read_file(ini_path(app)) + "; kept\n"));
    for (const auto& [key, value] : values)
        next_run->save(app, "parsys", key, value);
    next_run->sync();
    EXPECT_TRUE(read_file(ini_path(app)).endsWith("; kept\n"));

    // A list edited by hand comes back as one text.
    ASSERT_TRUE(write_file(ini_path("tovaren_settings_edited"), "[parsys]\nord_lot=3,1,2\nsys_zord=7\n"));
    EXPECT_EQ(next_run->get("tovaren_settings_edited", "parsys", "ord_lot"), "3,1,2");
    EXPECT_EQ(next_run->get("tovaren_settings_edited", "parsys", "sys_zord"), "7");
}

TEST(PlatformSystem, IdentitiesHaveTheirForm)
{
    auto sys = plat::make_system();
    bool ok = false;
    const quint32 serial = sys->volume_serial(&ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(sys->volume_serial(nullptr), serial);  // the same terminal every time

    const QRegularExpression braced("^\\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\\}$");
    const QString a = sys->new_guid();
    EXPECT_TRUE(braced.match(a).hasMatch()) << a.toStdString();
    EXPECT_NE(a, sys->new_guid());
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
        const QStringList lines = QString::fromUtf8(read_file(path)).split('\n', Qt::SkipEmptyParts);
        EXPECT_EQ(lines.value(0), "[Desktop Entry]");
        EXPECT_TRUE(lines.contains("Type=Application") && lines.contains("Name=TOVAREN"));
        EXPECT_EQ(lines.filter("Exec="), QStringList{exec_line}) << lines.join(" | ").toStdString();
        EXPECT_TRUE(lines.filter("Comment").isEmpty());
        EXPECT_TRUE(QFile::permissions(path) & QFile::ExeOwner);
    }
    EXPECT_EQ(QDir(desktop.path()).entryList(QDir::Files), QStringList{"TOVAREN.desktop"});
    EXPECT_FALSE(sys->make_shortcut(desktop.filePath("missing"), "TOVAREN", "/opt/x"));
}

TEST(PlatformSystem, FilesAreRenamedOverTheTargetAndRemoved)
{
    QTemporaryDir dir;
    auto sys = plat::make_system();
    const QString download = dir.filePath("BRONTEX.EX_");
    const QString loader = dir.filePath("BRONTEX.EXE");
    ASSERT_TRUE(write_file(download, "new loader") && write_file(loader, "old loader, longer"));

    EXPECT_TRUE(sys->file_exists(download));
    EXPECT_FALSE(sys->file_exists(dir.path()));  // a folder is not a file
    ASSERT_TRUE(sys->rename_file(download, loader));
    EXPECT_FALSE(sys->file_exists(download));
    EXPECT_EQ(read_file(loader), "new loader");
    // A rename that cannot happen leaves the target as it was.
    EXPECT_FALSE(sys->rename_file(download, loader));
    EXPECT_EQ(read_file(loader), "new loader");

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
    char got[64] = {};
    for (ssize_t total = 0, n; (n = ::read(fds[0], got + total, sizeof got - 1 - size_t(total))) > 0;)
        total += n;
    ::close(fds[0]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 7);
    EXPECT_STREQ(got, "last words");
}

} // namespace
