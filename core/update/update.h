#pragma once
// The program update: fetches the loader BRONTEX, installs it in the program's folder, points
// the desktop shortcut at it, starts it and ends the program. Shown modally from the login
// window; it runs once, when it is first shown.
#include "core/app/app.h"

#include <QDialog>
#include <QLineEdit>
#include <QProgressBar>

// The progress in percent of received bytes out of expected ones, rounded half to even;
// "0" when no length was announced (expected 0 or less).
QString update_percent(qint64 received, qint64 expected);

class update : public QDialog {
    Q_OBJECT
public:
    explicit update(App& app);

    QLineEdit* TextBox1;
    QProgressBar* ProgressBar1;

    // Runs the whole update once (the first showing of the window queues it).
    void Form_Activate();
    void DownloadFileProgress(const QString& percent);
    void CreateShortcut();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Downloads address into the download file. True only for a complete reply with status
    // 200: as many bytes as announced, when a length was announced, and not empty.
    bool DownloadFile(const QString& address);

    App& app_;
    bool activated_ = false;
    QString file_down_;   // the download file
    QString file_exec_;   // the installed loader
    qint64 len_expected_ = 0;
    qint64 len_received_ = 0;
};
