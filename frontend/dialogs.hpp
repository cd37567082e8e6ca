#pragma once
// The questions and notices the window puts to the user, behind an interface so that tests
// can answer them without modal boxes.
#include <string>
#include <string_view>

namespace yinshi::frontend {

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A box with Yes (the default) and No; true for Yes.
  virtual bool AskYesNo(std::string_view title, std::string_view text) = 0;
  // A box with one OK button.
  virtual void Tell(std::string_view title, std::string_view text) = 0;
};

inline constexpr const char* kNoticeTitle = "注意";

}  // namespace yinshi::frontend
