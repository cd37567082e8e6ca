#pragma once
// A printer that takes one line at a time, in one job that may span several print commands.
#include <optional>
#include <string>
#include <string_view>

namespace yinshi::frontend {

struct JobStart {
  bool ok = false;
  // On success, something the user should know (where the pages go instead of a printer);
  // on failure, why no job could be started.
  std::string message;
};

class LinePrinter {
 public:
  virtual ~LinePrinter() = default;
  // Starts a job unless one is open already (then it succeeds with no message).
  virtual JobStart OpenJob() = 0;
  virtual void PrintLine(std::string_view utf8) = 0;
  // Completes the open job so that it is printed now; returns why that failed, if it did.
  virtual std::optional<std::string> EndJob() = 0;
  virtual bool JobOpen() const = 0;
};

}  // namespace yinshi::frontend
