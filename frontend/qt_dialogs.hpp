#pragma once
// Questions and notices as modal message boxes over the active window.
#include "dialogs.hpp"

namespace yinshi::frontend {

class MessageBoxDialogs : public Dialogs {
 public:
  bool AskYesNo(std::string_view title, std::string_view text) override;
  void Tell(std::string_view title, std::string_view text) override;
};

}  // namespace yinshi::frontend
