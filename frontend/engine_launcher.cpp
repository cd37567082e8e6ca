#include "engine_launcher.hpp"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <algorithm>

#include "window_focus.hpp"

namespace yinshi::frontend {

TerminalLauncher::TerminalLauncher(QStringList searchPath) : searchPath_(std::move(searchPath)) {}

std::optional<QString> TerminalLauncher::Launch(const QString& engine, const QString& folder, const QPoint& place) {
    const QFileInfo engineInfo(engine);
    if (!engineInfo.isFile() || !engineInfo.isExecutable()) return tr("找不到分解程序：%1").arg(engine);

    QString terminal = QStandardPaths::findExecutable("xterm", searchPath_);
    QStringList arguments;
    if (!terminal.isEmpty()) {
        arguments = {"-geometry",
                     QString("80x25+%1+%2").arg(place.x()).arg(place.y()),
                     "-u8",
                     "-fa",
                     "DejaVuSansMono",
                     "-fd",
                     "WenQuanYiMicroHeiMono",
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

QPoint TerminalPlace(const QRect& controls, const QRect& buttons, const QRect& screen, QSize terminal) {
    constexpr int kGap = 12;
    const QPoint beside(controls.right() + 1 + kGap, controls.top());
    if (beside.x() + terminal.width() <= screen.right() + 1 && beside.y() + terminal.height() <= screen.bottom() + 1)
        return beside;
    // Below the buttons, as far right as the screen allows, so that the left part of the input
    // box and of the message area stays in sight.
    const int x = std::max(screen.left(), std::min(beside.x(), screen.right() + 1 - terminal.width()));
    int y = buttons.bottom() + 1 + kGap;
    if (y + terminal.height() > screen.bottom() + 1)
        y = std::max(screen.top(), screen.bottom() + 1 - terminal.height());
    return {x, y};
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
