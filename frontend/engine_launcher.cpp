#include "engine_launcher.hpp"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

namespace yinshi::frontend {

TerminalLauncher::TerminalLauncher(QStringList searchPath) : searchPath_(std::move(searchPath)) {}

std::optional<QString> TerminalLauncher::Launch(const QString& engine, const QString& folder) {
  const QFileInfo engineInfo(engine);
  if (!engineInfo.isFile() || !engineInfo.isExecutable())
    return QString("找不到分解程序：%1").arg(engine);

  QString terminal = QStandardPaths::findExecutable("xterm", searchPath_);
  QStringList arguments;
  if (!terminal.isEmpty()) {
    arguments = {"-geometry", "80x25", "-u8", "-fa", "DejaVuSansMono", "-fd",
                 "WenQuanYiMicroHeiMono", "-hold", "-e", engineInfo.absoluteFilePath()};
  } else {
    terminal = QStandardPaths::findExecutable("x-terminal-emulator", searchPath_);
    if (terminal.isEmpty())
      return QString("找不到终端程序（xterm 或 x-terminal-emulator），无法启动分解程序。");
    arguments = {"-e", engineInfo.absoluteFilePath()};
  }

  QProcess process;
  process.setProgram(terminal);
  process.setArguments(arguments);
  process.setWorkingDirectory(folder);
  // The engine's screen is UTF-8 whatever the desktop's locale is.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("LC_CTYPE", "C.UTF-8");
  process.setProcessEnvironment(environment);
  if (!process.startDetached())
    return QString("无法启动终端程序 %1：%2").arg(terminal, process.errorString());
  return std::nullopt;
}

QString EnginePathBesideProgram() {
  return QCoreApplication::applicationDirPath() + "/yinshi-engine";
}

}  // namespace yinshi::frontend
