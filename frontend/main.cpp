// The window program: the cover, then the input window that starts the engine.
#include <QApplication>
#include <QDir>
#include <memory>

#include "app_setup.hpp"
#include "cover_window.hpp"
#include "engine_launcher.hpp"
#include "main_window.hpp"
#include "qt_dialogs.hpp"
#include "qt_line_printer.hpp"

using namespace yinshi::frontend;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName("yinshi");
    QApplication::setDesktopFileName(YINSHI_APP_ID);
    QApplication::setWindowIcon(ProgramIcon());
    InstallTranslations(app, LanguageOf(MessagesLocaleName()));

    // An installed program cannot write beside itself: it works in a folder of the user's own,
    // and so does every engine it starts.
    const QString folder = UserWorkFolder();
    if (!folder.isEmpty()) QDir::setCurrent(folder);

    // Declared before the windows so that an open print job is completed after they are gone.
    QtLinePrinter printer;
    MessageBoxDialogs dialogs;
    TerminalLauncher launcher;
    auto exitProgram = [] { QCoreApplication::exit(0); };

    std::unique_ptr<MainWindow> mainWindow;
    CoverWindow cover(
        [&] {
            mainWindow =
                std::make_unique<MainWindow>(MainWindowServices{dialogs, launcher, printer, FindEngine(), exitProgram});
            return mainWindow.get();
        },
        exitProgram);
    cover.showFilling();
    return app.exec();
}
