#include "toolkit/application.h"

namespace zorvaku {

Application::Application(const char* programName)
    : argv_{const_cast<char*>(programName), nullptr}
    , qt_(argc_, argv_)
{
    QApplication::setApplicationName(QStringLiteral("zorvaku"));
    QApplication::setApplicationDisplayName(QStringLiteral("Zorvaku"));
    QGuiApplication::setDesktopFileName(QStringLiteral("zorvaku"));
}

Application::~Application() = default;

void Application::Run()
{
    if (!mainForm_)
        return;
    mainForm_->show();
    QApplication::exec();
}

}  // namespace zorvaku
