#pragma once
// Starting the engine in a terminal window of its own, without waiting for it.
#include <QCoreApplication>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <optional>

namespace yinshi::frontend {

// Where the engine's terminal goes on the screen (its top left corner, frame included) and how
// high its font is, in pixels.
struct TerminalSpot {
    QPoint place;
    int fontPixels = 0;
};

class EngineLauncher {
public:
    virtual ~EngineLauncher() = default;
    // Starts `engine` with `folder` as its working folder, in a terminal at `spot`; returns what
    // kept it from starting.
    virtual std::optional<QString> Launch(const QString& engine, const QString& folder, const TerminalSpot& spot) = 0;
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
    std::optional<QString> Launch(const QString& engine, const QString& folder, const TerminalSpot& spot) override;

private:
    QStringList searchPath_;
};

// The smallest font the terminal is given, however little room there is.
inline constexpr int kSmallestTerminalFont = 6;

// How much screen an 80 x 25 xterm takes with its font `fontPixels` high (DejaVu Sans Mono:
// cells of 0.602 by about 1.17 font heights, measured) and a window manager's frame.
QSize TerminalSize(int fontPixels);

// The terminal's place and font: the largest font, up to `largestFont`, at which the terminal
// fits on `screen` without touching any rectangle of `keepClear` (the input box and the
// buttons); of the places where it fits, the one that covers least of `ratherClear` (the
// instructions and the message area). With no room even for the smallest font, the bottom
// right corner of the screen.
TerminalSpot PlaceTerminal(const QRect& screen, const QList<QRect>& keepClear, const QList<QRect>& ratherClear,
                           int largestFont);

// The engine: beside this program (the build tree, or an installation that puts both in one
// folder), else in the installation's program folder, else on the PATH; the one beside this
// program when there is none (so that the message names where it was looked for).
QString FindEngine(const QString& programFolder = QCoreApplication::applicationDirPath());

}  // namespace yinshi::frontend
