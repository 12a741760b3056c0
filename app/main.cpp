// The program's entry: builds the main window and runs the message loop
// until the window closes. The command line is not read.

#include "app/mainwindow.h"
#include "toolkit/application.h"
#include "toolkit/errorbox.h"

int main(int, char** argv)
{
    zorvaku::Application application(argv[0]);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zorvaku.png")));
    try {
        application.CreateForm(zorvaku::Form1);
    } catch (...) {
        zorvaku::ShowCurrentException();
        return 0;
    }
    application.Run();
    return 0;
}
