// Preloaded (LD_PRELOAD) into a program by the start-up benchmark. Once the first window
// named STARTUP_PROBE_WINDOW has painted its first frame, it writes the monotonic clock
// (nanoseconds) and the number of shared libraries the process maps to the file
// STARTUP_PROBE_OUT, and ends the program.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// The shared objects mapped, the probe left out.
int mapped_libraries()
{
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly))
        return -1;
    QSet<QByteArray> files;
    for (const QByteArray& line : maps.readAll().split('\n')) {
        const qsizetype at = line.indexOf('/');
        const QByteArray path = at < 0 ? QByteArray() : line.mid(at);
        if (path.contains(".so") && !path.contains("startup_probe"))
            files.insert(path);
    }
    return int(files.size());
}

[[noreturn]] void report()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long ns = now.tv_sec * 1000000000LL + now.tv_nsec;
    if (FILE* f = std::fopen(qgetenv("STARTUP_PROBE_OUT").constData(), "w")) {
        std::fprintf(f, "%lld %d\n", ns, mapped_libraries());
        std::fclose(f);
    }
    _exit(0);
}

class Probe : public QObject {
public:
    explicit Probe(QObject* parent) : QObject(parent) {}

    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::Paint && !painted_) {
            auto* w = qobject_cast<QWidget*>(o);
            if (w && w->window()->objectName() == window_) {
                painted_ = true;
                // The rest of the frame paints before the timer runs.
                QTimer::singleShot(0, [] { report(); });
            }
        }
        return false;
    }

private:
    const QString window_ = qEnvironmentVariable("STARTUP_PROBE_WINDOW");
    bool painted_ = false;
};

void install()
{
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new Probe(app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(install)
