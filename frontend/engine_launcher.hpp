#pragma once
// Starting the engine in a terminal window of its own, without waiting for it.
#include <QCoreApplication>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace yinshi::frontend {

class EngineLauncher {
public:
    virtual ~EngineLauncher() = default;
    // Starts `engine` with `folder` as its working folder, in a terminal whose top left corner
    // is at `place` on the screen; returns what kept it from starting.
    virtual std::optional<QString> Launch(const QString& engine, const QString& folder, const QPoint& place) = 0;
};

// xterm at 80 x 25 when installed, else the system's terminal emulator. The terminal is
// detached: it outlives the window program. The engine gets YINSHI_OWN_WINDOW=1 in its
// environment (it runs in a window of its own that the user closes) and the C.UTF-8 locale.
// Once its window is on the screen it gets the keyboard focus (X11).
class TerminalLauncher : public EngineLauncher {
    Q_DECLARE_TR_FUNCTIONS(TerminalLauncher)

public:
    // An empty search path means the PATH of the environment.
    explicit TerminalLauncher(QStringList searchPath = {});
    std::optional<QString> Launch(const QString& engine, const QString& folder, const QPoint& place) override;

private:
    QStringList searchPath_;
};

// About how much screen an 80 x 25 xterm with its frame takes.
inline constexpr QSize kTerminalSize(500, 350);

// Where the terminal goes: beside the window's controls when the screen has room to their
// right, otherwise below every button, kept on the screen. `controls` and `buttons` are the
// screen rectangles around all controls and around the buttons (the engine box included).
QPoint TerminalPlace(const QRect& controls, const QRect& buttons, const QRect& screen, QSize terminal = kTerminalSize);

// The engine: beside this program (the build tree, or an installation that puts both in one
// folder), else in the installation's program folder, else on the PATH; the one beside this
// program when there is none (so that the message names where it was looked for).
QString FindEngine(const QString& programFolder = QCoreApplication::applicationDirPath());

}  // namespace yinshi::frontend
