#pragma once
// Questions and notices as modal message boxes over the active window, in the window's language.
#include "dialogs.hpp"

namespace yinshi::frontend {

class MessageBoxDialogs : public Dialogs {
public:
    bool AskYesNo(std::string_view title, std::string_view text) override;
    void Tell(std::string_view title, std::string_view text) override;
    // "Open" hands the file to the desktop's default viewer (QDesktopServices).
    void ShowFile(std::string_view title, std::string_view text, const std::string& file) override;
    // Through the translators installed in the application (Qt Linguist).
    std::string Translate(const char* context, const char* source) const override;
};

}  // namespace yinshi::frontend
