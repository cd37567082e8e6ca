#pragma once
// The questions and notices the window puts to the user, behind an interface so that tests
// can answer them without modal boxes.
#include <initializer_list>
#include <string>
#include <string_view>

// Marks a window text for Qt Linguist: lupdate reads it as QT_TRANSLATE_NOOP (the build passes
// the alias), so the text lands in packaging/translations. The text itself is the Chinese
// original, the program's source language.
#define YINSHI_TEXT(context, text) text

namespace yinshi::frontend {

class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A box with Yes (the default) and No; true for Yes.
    virtual bool AskYesNo(std::string_view title, std::string_view text) = 0;
    // A box with one OK button.
    virtual void Tell(std::string_view title, std::string_view text) = 0;
    // A notice about a file just written, with a button that opens it in the desktop's default
    // viewer and one that closes the notice.
    virtual void ShowFile(std::string_view title, std::string_view text, const std::string& /*file*/) {
        Tell(title, text);
    }
    // A text marked with YINSHI_TEXT in the window's language; the original when untranslated.
    virtual std::string Translate(const char* /*context*/, const char* source) const { return source; }
};

// `text` with %1, %2, ... replaced by the arguments in order (a placeholder without an
// argument stays as it is).
std::string FillIn(std::string_view text, std::initializer_list<std::string_view> args);

inline constexpr const char* kNoticeTitle = YINSHI_TEXT("Dialogs", "注意");
inline constexpr const char* kOpenFile = YINSHI_TEXT("Dialogs", "打开");
inline constexpr const char* kCloseNotice = YINSHI_TEXT("Dialogs", "关闭");
inline constexpr const char* kCannotOpenFile = YINSHI_TEXT("Dialogs", "无法打开文件：%1");

}  // namespace yinshi::frontend
