#pragma once
// A main window on fakes, working in its own temporary folder.
#include <QDir>
#include <QtTest>
#include <memory>

#include "engine_launcher.hpp"
#include "frontend_fakes.hpp"
#include "main_window.hpp"

namespace yinshi::frontend::testing {

class FakeLauncher : public EngineLauncher {
public:
    QStringList calls;
    TerminalSpot lastSpot;
    std::optional<QString> problem;
    std::optional<QString> Launch(const QString& engine, const QString& folder, const TerminalSpot& spot) override {
        calls << engine + "|" + folder;
        lastSpot = spot;
        return problem;
    }
};

// The fake user, reading the window's texts in the language of the installed translators.
class TranslatingDialogs : public FakeDialogs {
public:
    std::string Translate(const char* context, const char* source) const override {
        return QCoreApplication::translate(context, source).toStdString();
    }
};

// Switches the process into a fresh folder for as long as it lives.
class WorkingFolder {
public:
    WorkingFolder() : previous_(QDir::currentPath()) { QDir::setCurrent(QString::fromStdString(dir.path().string())); }
    ~WorkingFolder() { QDir::setCurrent(previous_); }
    QString path() const { return QDir::currentPath(); }
    TempFolder dir;

private:
    QString previous_;
};

struct WindowHarness {
    WorkingFolder folder;
    TranslatingDialogs dialogs;
    CapturingPrinter printer;
    FakeLauncher launcher;
    int exits = 0;
    std::unique_ptr<MainWindow> window;

    MainWindow* make() {
        window = std::make_unique<MainWindow>(
            MainWindowServices{dialogs, launcher, printer, "/opt/yinshi-engine", [this] { ++exits; }});
        return window.get();
    }
    ~WindowHarness() { window.reset(); }
};

}  // namespace yinshi::frontend::testing
