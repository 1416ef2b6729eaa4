#include "MainWindow.h"
#include "WidgetMessageBoxes.h"

#include "common/Clock.h"
#include "workspace/ComputerNames.h"
#include "workspace/Startup.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

    tramora::SystemClock clock;
    tramora::WidgetMessageBoxes messages;
    tramora::StartupSequence startup(
        tramora::StartupEnvironment{QCoreApplication::applicationDirPath(),
                                    tramora::NomeComputador()},
        messages, clock);

    startup.createDataModule();

    tramora::MainWindow window;
    messages.setParent(&window);
    if (startup.prepareWorkspace() == tramora::StartupSequence::Outcome::Quit)
        return 0;

    window.show();
    return application.exec();
}
