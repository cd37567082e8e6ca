#pragma once
// Starting the engine in a terminal window of its own, without waiting for it.
#include <QString>
#include <QStringList>
#include <optional>

namespace yinshi::frontend {

class EngineLauncher {
 public:
  virtual ~EngineLauncher() = default;
  // Starts `engine` with `folder` as its working folder; returns what kept it from starting.
  virtual std::optional<QString> Launch(const QString& engine, const QString& folder) = 0;
};

// xterm at 80 x 25 when installed, else the system's terminal emulator. The terminal is
// detached: it outlives the window program.
class TerminalLauncher : public EngineLauncher {
 public:
  // An empty search path means the PATH of the environment.
  explicit TerminalLauncher(QStringList searchPath = {});
  std::optional<QString> Launch(const QString& engine, const QString& folder) override;

 private:
  QStringList searchPath_;
};

// The engine next to this program's own executable.
QString EnginePathBesideProgram();

}  // namespace yinshi::frontend
