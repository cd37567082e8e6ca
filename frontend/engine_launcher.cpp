#include "engine_launcher.hpp"

#include <QDir>
#include <QFileInfo>
#include <QMargins>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>

#include "window_focus.hpp"

namespace yinshi::frontend {

TerminalLauncher::TerminalLauncher(QStringList searchPath) : searchPath_(std::move(searchPath)) {}

std::optional<QString> TerminalLauncher::Launch(const QString& engine, const QString& folder,
                                                const TerminalSpot& spot) {
    const QFileInfo engineInfo(engine);
    if (!engineInfo.isFile() || !engineInfo.isExecutable()) return tr("找不到分解程序：%1").arg(engine);

    QString terminal = QStandardPaths::findExecutable("xterm", searchPath_);
    QStringList arguments;
    if (!terminal.isEmpty()) {
        const int pixels = std::max(spot.fontPixels, kSmallestTerminalFont);
        arguments = {"-geometry",
                     QString("80x25+%1+%2").arg(spot.place.x()).arg(spot.place.y()),
                     "-u8",
                     "-fa",
                     QString("DejaVu Sans Mono:pixelsize=%1").arg(pixels),
                     "-fd",
                     QString("WenQuanYi Micro Hei Mono:pixelsize=%1").arg(pixels),
                     "-hold",
                     "-e",
                     engineInfo.absoluteFilePath()};
    } else {
        terminal = QStandardPaths::findExecutable("x-terminal-emulator", searchPath_);
        if (terminal.isEmpty()) return tr("找不到终端程序（xterm 或 x-terminal-emulator），无法启动分解程序。");
        arguments = {"-e", engineInfo.absoluteFilePath()};
    }

    QProcess process;
    process.setProgram(terminal);
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The engine's screen is UTF-8 whatever the desktop's locale is, even one the system lacks
    // (then the terminal would fall back to the C locale and show the engine's Chinese as
    // Latin-1 garbage).
    environment.insert("LC_ALL", "C.UTF-8");
    environment.insert("LC_CTYPE", "C.UTF-8");
    // The engine runs in a window of its own: it tells the user to close that window at the end.
    environment.insert("YINSHI_OWN_WINDOW", "1");
    process.setProcessEnvironment(environment);
    qint64 pid = 0;
    if (!process.startDetached(&pid)) return tr("无法启动终端程序 %1：%2").arg(terminal, process.errorString());
    FocusWindowOfProcess(pid);
    return std::nullopt;
}

namespace {

// Room left between the terminal and a control it must keep clear of.
constexpr int kGap = 8;
// A window manager's frame around the terminal: borders and a title bar.
constexpr QMargins kFrame(4, 28, 4, 4);

// The corners at which a terminal of `size` stands against the screen's edges or a control's.
QList<QPoint> Corners(const QRect& screen, const QList<QRect>& keepClear, QSize size) {
    // Beside a control first, so that of equal places the one next to the controls is taken.
    QList<int> xs, ys{screen.top()};
    for (const QRect& r : keepClear) {
        xs << r.right() + 1 + kGap;
        ys << r.bottom() + 1 + kGap;
    }
    xs << screen.right() + 1 - size.width() << screen.left();
    ys << screen.bottom() + 1 - size.height();
    for (const QRect& r : keepClear) {
        xs << r.left() - kGap - size.width();
        ys << r.top() - kGap - size.height();
    }
    QList<QPoint> corners;
    for (int y : ys)
        for (int x : xs) corners << QPoint(x, y);
    return corners;
}

qint64 Covered(const QRect& terminal, const QList<QRect>& others) {
    qint64 area = 0;
    for (const QRect& r : others) {
        const QRect both = terminal & r;
        area += qint64(both.width()) * both.height();
    }
    return area;
}

}  // namespace

QSize TerminalSize(int fontPixels) {
    const int cell = static_cast<int>(std::lround(0.602 * fontPixels));
    const int row = static_cast<int>(std::ceil(1.17 * fontPixels)) + 1;
    // xterm's inner border is 2 pixels on every side.
    return QSize(80 * cell + 4 + kFrame.left() + kFrame.right(), 25 * row + 4 + kFrame.top() + kFrame.bottom());
}

TerminalSpot PlaceTerminal(const QRect& screen, const QList<QRect>& keepClear, const QList<QRect>& ratherClear,
                           int largestFont) {
    for (int font = std::max(largestFont, kSmallestTerminalFont); font >= kSmallestTerminalFont; --font) {
        const QSize size = TerminalSize(font);
        std::optional<QPoint> best;
        qint64 bestCovered = 0;
        for (const QPoint& corner : Corners(screen, keepClear, size)) {
            const QRect terminal(corner, size);
            if (!screen.contains(terminal)) continue;
            const bool clear = std::none_of(keepClear.begin(), keepClear.end(), [&](const QRect& r) {
                return terminal.intersects(r.adjusted(-kGap, -kGap, kGap, kGap));
            });
            if (!clear) continue;
            const qint64 covered = Covered(terminal, ratherClear);
            if (!best || covered < bestCovered) {
                best = corner;
                bestCovered = covered;
            }
        }
        if (best) return {*best, font};
    }
    const QSize size = TerminalSize(kSmallestTerminalFont);
    return {QPoint(std::max(screen.left(), screen.right() + 1 - size.width()),
                   std::max(screen.top(), screen.bottom() + 1 - size.height())),
            kSmallestTerminalFont};
}

QString FindEngine(const QString& programFolder) {
    const QString beside = QDir(programFolder).absoluteFilePath("yinshi-engine");
    QStringList candidates{beside};
#ifdef YINSHI_INSTALL_BINDIR
    candidates << QDir(YINSHI_INSTALL_BINDIR).absoluteFilePath("yinshi-engine");
#endif
    candidates << QStandardPaths::findExecutable("yinshi-engine");
    for (const QString& candidate : candidates) {
        const QFileInfo info(candidate);
        if (!candidate.isEmpty() && info.isFile() && info.isExecutable()) return candidate;
    }
    return beside;
}

}  // namespace yinshi::frontend
