// Tesmor 42: the splash window, then the main window; files named on the command line are
// opened at start.

#include "app/settings.h"
#include "gui/main_window.h"
#include "gui/splash_window.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("Tesmor 42");

    tesmor::gui::SplashWindow splash;
    splash.show();
    tesmor::gui::WaitProcessingEvents(3000);
    splash.close();

    tesmor::gui::MainWindow window(QCoreApplication::applicationDirPath().toStdString() + "/",
                                   tesmor::app::DefaultConfigFolder());
    window.show();

    std::vector<std::string> paths;
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        paths.push_back(argument.toStdString());
    tesmor::gui::OpenCommandLineFiles(window, paths);
    return application.exec();
}
