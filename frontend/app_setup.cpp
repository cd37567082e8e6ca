#include "app_setup.hpp"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

namespace yinshi::frontend {

QString MessagesLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) return value;
    }
    return {};
}

Language LanguageOf(const QString& localeName) {
    const QString name = localeName.section('.', 0, 0).section('@', 0, 0);
    if (name.isEmpty() || name == "C" || name == "POSIX" || name.startsWith("zh")) return Language::Chinese;
    return Language::English;
}

bool InstallTranslations(QCoreApplication& app, Language language) {
    auto* translator = new QTranslator(&app);
    bool loaded = false;
    if (language == Language::English)
        loaded = translator->load(":/i18n/yinshi_en.qm");
    else
        loaded = translator->load("qtbase_zh_CN", QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (loaded) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
    return loaded;
}

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/yinshi-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString UserWorkFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return {};
    const QString folder = QDir(data).absoluteFilePath("yinshi");
    return QDir().mkpath(folder) ? folder : QString();
}

}  // namespace yinshi::frontend
