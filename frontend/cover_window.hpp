#pragma once
// baozhForm, the start-up window: the title picture, a way on and a way out.
#include <functional>

#include "twip_window.hpp"

class QLabel;
class QPushButton;

namespace yinshi::frontend {

class MainWindow;

class CoverWindow : public TwipWindow {
    Q_OBJECT
public:
    // `makeMainWindow` builds the main window the first time the user goes on.
    CoverWindow(std::function<MainWindow*()> makeMainWindow, std::function<void()> exitProgram);

    QPushButton* goOnButton() const { return cmdBao_; }
    QPushButton* exitButton() const { return cmdTuichu_; }
    QLabel* picture() const { return picture1_; }
    MainWindow* mainWindow() const { return main_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // The picture is drawn again at the new scale.
    void scaleChanged() override;

private:
    void goOn();

    std::function<MainWindow*()> makeMainWindow_;
    std::function<void()> exitProgram_;
    QPushButton* cmdBao_;
    QPushButton* cmdTuichu_;
    QLabel* picture1_;
    MainWindow* main_ = nullptr;
};

}  // namespace yinshi::frontend
