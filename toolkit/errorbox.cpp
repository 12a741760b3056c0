#include "toolkit/errorbox.h"

#include <exception>

#include <QApplication>
#include <QMessageBox>

namespace zorvaku {

namespace {
// The test's recorder, when one watches; otherwise the box is shown.
ErrorBoxRecorder Recorder;
}  // namespace

void ShowErrorBox(const QString& message)
{
    const QString text = message + QStringLiteral(".");
    if (Recorder) {
        Recorder(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QGuiApplication::applicationDisplayName(), text, QMessageBox::Ok,
        QApplication::activeWindow());
    box.setObjectName(QStringLiteral("ErrorBox"));
    box.exec();
}

void SetErrorBoxRecorder(ErrorBoxRecorder recorder)
{
    Recorder = std::move(recorder);
}

void ShowCurrentException() noexcept
{
    try {
        try {
            throw;
        } catch (const std::exception& error) {
            // The core's texts are UTF-8; the bytes of a file name that are
            // not show as replacement characters.
            ShowErrorBox(QString::fromUtf8(error.what()));
        } catch (...) {
            ShowErrorBox(QStringLiteral("不明なエラーが発生しました"));
        }
    } catch (...) {
        // Showing the box itself failed (out of memory): nothing more can be shown.
    }
}

}  // namespace zorvaku
