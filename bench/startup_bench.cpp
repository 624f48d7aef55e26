// Start-up: the time from starting the program to its login window's first frame, and the
// same for a bare Qt Widgets program (a line edit in a window), started in turns; the
// ratio of the medians, the same for the processor time each took (steadier on a busy
// machine), and the shared libraries each maps by then. Target: within 1.15 times the bare
// window. Headless (the offscreen platform unless another is named), with a settings
// folder of its own; nothing goes to the network.
#include "main.h"

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QTemporaryDir>

#include <algorithm>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

constexpr int kPairs = 41;       // starts of each program in a full run
constexpr int kTimeoutMs = 30000;

struct Start {
    double ms = 0;      // to the first frame
    double cpu_ms = 0;  // processor time, user and system
    int libs = 0;
};

// The platform the programs are started on.
QString platform() { return qEnvironmentVariable("QT_QPA_PLATFORM", QStringLiteral("offscreen")); }

qint64 now_ns()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// Starts a program with the probe preloaded and waits for its report. The error is set
// when the program ended, or was ended, without one.
Start start(const char* program, const char* window, const QTemporaryDir& dir, QString& error)
{
    const QString out = dir.filePath(QStringLiteral("probe"));
    QFile::remove(out);
    QList<QByteArray> env;
    for (char** e = environ; *e; ++e) {
        const QByteArray v(*e);
        if (!v.startsWith("LD_PRELOAD=") && !v.startsWith("XDG_CONFIG_HOME=") && !v.startsWith("QT_QPA_PLATFORM=") &&
            !v.startsWith("ASAN_OPTIONS="))
            env << v;
    }
    const QByteArray preload = qgetenv("LD_PRELOAD");
    env << "LD_PRELOAD=" + (preload.isEmpty() ? QByteArray(STARTUP_PROBE) : preload + ":" + STARTUP_PROBE)
        << "STARTUP_PROBE_OUT=" + out.toUtf8() << "STARTUP_PROBE_WINDOW=" + QByteArray(window)
        << "XDG_CONFIG_HOME=" + dir.path().toUtf8()
        << "QT_QPA_PLATFORM=" + platform().toUtf8();
    // Under AddressSanitizer the probe comes before the sanitizer's run-time library.
    const QByteArray asan = qgetenv("ASAN_OPTIONS");
    env << "ASAN_OPTIONS=" + (asan.isEmpty() ? QByteArray() : asan + ":") + "verify_asan_link_order=0";
    QList<char*> envp;
    for (QByteArray& v : env)
        envp << v.data();
    envp << nullptr;
    char* argv[] = {const_cast<char*>(program), nullptr};

    const qint64 t0 = now_ns();
    pid_t pid = 0;
    if (posix_spawn(&pid, program, nullptr, nullptr, argv, envp.data()) != 0) {
        error = QStringLiteral("cannot start %1").arg(program);
        return {};
    }
    // Waits for the end of the program, which the probe brings about; a hung one is killed.
    const int pidfd = int(syscall(SYS_pidfd_open, pid, 0));
    pollfd p{pidfd, POLLIN, 0};
    if (pidfd < 0 || poll(&p, 1, kTimeoutMs) != 1)
        kill(pid, SIGKILL);
    if (pidfd >= 0)
        close(pidfd);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);

    QFile f(out);
    const QList<QByteArray> fields = f.open(QIODevice::ReadOnly) ? f.readAll().simplified().split(' ') : QList<QByteArray>();
    if (fields.size() != 2) {
        error = QStringLiteral("%1 ended without showing its window %2 (status %3)").arg(program, window).arg(status);
        return {};
    }
    const auto ms = [](const timeval& t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return {double(fields[0].toLongLong() - t0) / 1e6, ms(usage.ru_utime) + ms(usage.ru_stime), fields[1].toInt()};
}

double median(QList<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

void BM_Startup(benchmark::State& state)
{
    QTemporaryDir dir;  // the settings folder: the program's settings stay its own
    const int pairs = bench::smoke() ? 1 : kPairs;
    QList<double> bare, program, bare_cpu, program_cpu;
    Start b, p;
    for (auto _ : state) {
        QString error;
        start(TOVAREN_PROGRAM, "conexion", dir, error);  // the first start writes the settings
        for (int i = 0; i < pairs && error.isEmpty(); ++i) {
            // In turns, so that a change in the machine's load touches both alike.
            if (i % 2) {
                p = start(TOVAREN_PROGRAM, "conexion", dir, error);
                b = start(BARE_WINDOW, "bare", dir, error);
            } else {
                b = start(BARE_WINDOW, "bare", dir, error);
                p = start(TOVAREN_PROGRAM, "conexion", dir, error);
            }
            bare << b.ms;
            program << p.ms;
            bare_cpu << b.cpu_ms;
            program_cpu << p.cpu_ms;
        }
        if (!error.isEmpty())
            return state.SkipWithError(qPrintable(error));
        state.SetIterationTime(median(program) / 1000);
    }
    state.SetLabel(platform().toStdString());
    state.counters["bare_ms"] = median(bare);
    state.counters["program_ms"] = median(program);
    state.counters["ratio"] = median(program) / median(bare);
    state.counters["bare_cpu_ms"] = median(bare_cpu);
    state.counters["program_cpu_ms"] = median(program_cpu);
    state.counters["cpu_ratio"] = median(program_cpu) / median(bare_cpu);
    state.counters["bare_libs"] = b.libs;
    state.counters["program_libs"] = p.libs;
}
BENCHMARK(BM_Startup)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return bench::run(argc, argv); }
