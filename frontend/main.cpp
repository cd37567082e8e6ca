// The window program: the cover, then the input window that starts the engine.
#include <QApplication>
#include <memory>

#include "cover_window.hpp"
#include "engine_launcher.hpp"
#include "main_window.hpp"
#include "qt_dialogs.hpp"
#include "qt_line_printer.hpp"

using namespace yinshi::frontend;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  app.setQuitOnLastWindowClosed(false);

  // Declared before the windows so that an open print job is completed after they are gone.
  QtLinePrinter printer;
  MessageBoxDialogs dialogs;
  TerminalLauncher launcher;
  auto exitProgram = [] { QCoreApplication::exit(0); };

  std::unique_ptr<MainWindow> mainWindow;
  CoverWindow cover(
      [&] {
        mainWindow = std::make_unique<MainWindow>(
            MainWindowServices{dialogs, launcher, printer, EnginePathBesideProgram(), exitProgram});
        return mainWindow.get();
      },
      exitProgram);
  cover.showFilling();
  return app.exec();
}
