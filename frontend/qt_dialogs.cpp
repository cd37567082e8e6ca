#include "qt_dialogs.hpp"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

namespace yinshi::frontend {
namespace {

QString Text(std::string_view utf8) { return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())); }

}  // namespace

bool MessageBoxDialogs::AskYesNo(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::NoIcon, Text(title), Text(text), QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

void MessageBoxDialogs::Tell(std::string_view title, std::string_view text) {
    QMessageBox box(QMessageBox::Warning, Text(title), Text(text), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void MessageBoxDialogs::ShowFile(std::string_view title, std::string_view text, const std::string& file) {
    QMessageBox box(QMessageBox::Information, Text(title), Text(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QPushButton* open = box.addButton(QString::fromStdString(Translate("Dialogs", kOpenFile)), QMessageBox::AcceptRole);
    QPushButton* close =
        box.addButton(QString::fromStdString(Translate("Dialogs", kCloseNotice)), QMessageBox::RejectRole);
    box.setDefaultButton(open);
    box.setEscapeButton(close);
    box.exec();
    if (box.clickedButton() != open) return;
    const QString path = QString::fromStdString(file);
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        Tell(title, FillIn(Translate("Dialogs", kCannotOpenFile), {file}));
}

std::string MessageBoxDialogs::Translate(const char* context, const char* source) const {
    return QCoreApplication::translate(context, source).toStdString();
}

}  // namespace yinshi::frontend
