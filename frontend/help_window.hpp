#pragma once
// The help page "bangzhu": a fixed text drawn double-spaced below its close button.
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
  QPushButton* closeButton() const { return close_; }

 signals:
  // The user left the page, by its button or the title bar.
  void left();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  QPushButton* close_;
  HelpPage* page_;
};

}  // namespace yinshi::frontend
