#include "update.h"
#include "deploy.h"
#include "windows.h"
#include "core/shared/twips.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <algorithm>
#include <cmath>

namespace {

const QString loader_name = QStringLiteral("BRONTEX");
const QString title = QStringLiteral("Actualización Kelmaris");

QString framed(const QString& text)
{
    return QString(5, QLatin1Char(' ')) + text + QString(10, QLatin1Char(' '));
}

} // namespace

QString update_percent(qint64 received, qint64 expected)
{
    if (expected <= 0)
        return QStringLiteral("0");
    // Default rounding mode: to nearest, halves to the even number.
    const double percent = std::nearbyint(double(received) / double(expected) * 100.0);
    return QString::number(qint64(percent));
}

update::update(App& app) : app_(app)
{
    setObjectName(QStringLiteral("update"));
    setWindowTitle(QStringLiteral("Actualización"));
    setAttribute(Qt::WA_DeleteOnClose);

    TextBox1 = new QLineEdit(this);
    TextBox1->setObjectName(QStringLiteral("TextBox1"));
    TextBox1->setReadOnly(true);
    TextBox1->setGeometry(tw(120), tw(120), tw(4800), tw(315));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setGeometry(tw(120), tw(555), tw(4800), tw(315));

    setFixedSize(tw(120 + 4800 + 120), tw(555 + 315 + 120));
}

void update::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!activated_) {
        activated_ = true;
        // Runs inside the modal loop, once the window is up.
        QMetaObject::invokeMethod(this, &update::Form_Activate, Qt::QueuedConnection);
    }
}

void update::DownloadFileProgress(const QString& percent)
{
    TextBox1->setText(QStringLiteral(" Descargando: ") + loader_name + QStringLiteral(" (") + percent
                      + QStringLiteral("%)"));
    TextBox1->repaint();
    ProgressBar1->setValue(std::clamp(percent.toInt(), 0, 100));
}

bool update::DownloadFile(const QString& address)
{
    len_expected_ = 0;
    len_received_ = 0;
    const plat::HttpReply reply = app_.http.download(
        address, file_down_,
        [this](int, qint64 length) {
            len_received_ = 0;
            len_expected_ = length;
            DownloadFileProgress(update_percent(len_received_, len_expected_));
        },
        [this](qint64 received) {
            len_received_ = received;
            DownloadFileProgress(update_percent(len_received_, len_expected_));
        });
    if (!reply.ok || reply.status != 200)
        return false;
    const QFileInfo file(file_down_);
    if (!file.exists() || file.size() == 0)
        return false;
    return len_expected_ <= 0 || file.size() == len_expected_;
}

void update::CreateShortcut()
{
    app_.sys.make_shortcut(app_.sys.desktop_folder(), app_.nom_prg, file_exec_);
}

void update::Form_Activate()
{
    // The download keeps the loader's Windows-era name; the installed loader is a Linux
    // executable and is called plain "BRONTEX" (no ".EXE"), with the executable permission.
    const QString folder = app_.sys.program_folder();
    file_down_ = folder + QStringLiteral("/BRONTEX.EX_");
    file_exec_ = folder + QStringLiteral("/") + loader_name;

    DownloadFileProgress(QStringLiteral("0"));
    ProgressBar1->setValue(0);

    if (app_.sys.file_exists(file_down_))
        app_.sys.remove_file(file_down_);

    if (DownloadFile(deploy::update_url())) {
        // Installed with one rename over the old loader: until it succeeds the old one
        // stays in place and working.
        QFile::setPermissions(file_down_, QFile::permissions(file_down_) | QFileDevice::ExeOwner
                                              | QFileDevice::ExeUser | QFileDevice::ExeGroup
                                              | QFileDevice::ExeOther);
        if (app_.sys.rename_file(file_down_, file_exec_) && app_.sys.file_exists(file_exec_)) {
            CreateShortcut();
            // The program ends only once the loader runs: without it the cashier would be
            // left with nothing on the screen.
            if (app_.sys.start_program(file_exec_)) {
                app_.reg.sync();
                app_.sys.end_program(0);
                return;
            }
        }
        ProgressBar1->setValue(0);
        app_.msg(framed(QStringLiteral("Error en la actualizacion.")), plat::mb_exclamation, title);
    } else {
        // Whatever arrived is not the loader: nothing of it stays behind.
        if (app_.sys.file_exists(file_down_))
            app_.sys.remove_file(file_down_);
        ProgressBar1->setValue(0);
        app_.msg(framed(QStringLiteral("Error en la descarga.")), plat::mb_exclamation, title);
    }
    close();
}

void register_update_windows(App& app)
{
    app.register_window(QStringLiteral("update"), [](App& a) -> QWidget* { return new update(a); });
}
