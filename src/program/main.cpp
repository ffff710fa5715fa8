// Entry point: prepares the program directory, creates the windows that live
// for the whole run, runs the event loop and shuts down in order.

#include "app/Application.h"
#include "app/Globals.h"
#include "app/Startup.h"
#include "controls/Modal.h"
#include "detail/DispBild.h"
#include "detail/DispText.h"
#include "mainwin/TourbuchMain.h"

#include <QMessageBox>
#include <cstdio>

int main(int argc, char **argv)
{
    Globals::ResetProgramState();
    try {
        Startup::SetupDatabaseAlias(Startup::executablePath(argv[0]));
    } catch (const Startup::StartupError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        QApplication app(argc, argv);
        controls::Modal::error(nullptr, e.message());
        return 1;
    }

    TourbuchApplication app(argc, argv);
    app.setTitle(QString::fromLatin1(Startup::ApplicationTitle));
    app.setHelpFile(QString::fromLatin1(Startup::HelpFileName));
    app.setQuitOnLastWindowClosed(false);

    Startup::LongLivedWindows windows;
    TfrmMain *mainWindow = nullptr;
    const bool created = TourbuchApplication::guarded([&] {
        auto main = std::make_unique<TfrmMain>();
        mainWindow = main.get();
        windows.adopt(std::move(main));
        windows.adopt(std::make_unique<TfrmDispText>());
        windows.adopt(std::make_unique<TfrmDispBild>());
    });
    if (!created) {
        // Without the address table there is nothing to show.
        return 1;
    }

    mainWindow->show();
    const int rc = app.exec();

    Startup::RemoveEngineFiles();
    windows.destroyAll();
    return rc;
}
