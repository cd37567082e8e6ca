#pragma once
// What the window program settles before its first window: the language of its texts, its
// icon and the folder it works in.
#include <QIcon>
#include <QString>

class QCoreApplication;

namespace yinshi::frontend {

enum class Language { Chinese, English };

// The locale that decides the language of messages, in POSIX order: LC_ALL, then LC_MESSAGES,
// then LANG, the first one set and not empty.
QString MessagesLocaleName();
// Chinese for zh_* and for the C/POSIX locale (or none), English for every other language.
Language LanguageOf(const QString& localeName);

// English: the window's own translation, compiled into the program from
// packaging/translations. Chinese (the texts' own language): Qt's translations from the system,
// so that message-box buttons read 是/否/确定; false when they are not installed.
bool InstallTranslations(QCoreApplication& app, Language language);

// The program's icon in every size built from packaging/yinshi.svg.
QIcon ProgramIcon();

// The per-user folder the program works in: $XDG_DATA_HOME/yinshi (by default
// ~/.local/share/yinshi), made when missing. Empty when it cannot be made.
QString UserWorkFolder();

}  // namespace yinshi::frontend
