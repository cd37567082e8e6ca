#pragma once
// The help page (form "Form3"): a fixed text drawn double-spaced below its close button.
#include <QStringList>

#include "twip_window.hpp"

class QPushButton;

namespace yinshi::frontend {

class HelpPage;

class HelpWindow : public TwipWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent);

    // Clears the page and draws it from the top: three empty lines, then each help line
    // followed by an empty line.
    void drawPage();
    QStringList pageLines() const;
    // The help text in the window's language, one entry a line.
    static QStringList helpLines();
    QPushButton* closeButton() const { return close_; }

signals:
    // The user left the page, by its button or the title bar.
    void left();

protected:
    void closeEvent(QCloseEvent* event) override;
    void scaleChanged() override;
    // Esc leaves the page as its button does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* close_;
    HelpPage* page_;
};

}  // namespace yinshi::frontend
