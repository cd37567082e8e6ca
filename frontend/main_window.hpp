#pragma once
// KAVO1, the input window: type a polynomial, check it, hand it to the engine, start the engine.
#include <QPoint>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <string>

#include "engine_launcher.hpp"
#include "twip_window.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace yinshi::frontend {

class Dialogs;
class EngineBox;
class HelpWindow;
class LinePrinter;
class MessageArea;
struct Refusal;

// What the window needs from outside; tests put fakes here.
struct MainWindowServices {
    Dialogs& dialogs;
    EngineLauncher& launcher;
    LinePrinter& printer;
    QString enginePath;
    std::function<void()> exitProgram;
};

inline constexpr const char* kInputError = QT_TRANSLATE_NOOP("yinshi::frontend::MainWindow", "输入错误！");

class MainWindow : public TwipWindow {
    Q_OBJECT
public:
    // Built in its input state: the load steps run here.
    explicit MainWindow(MainWindowServices services, QWidget* parent = nullptr);

    QPushButton* newInputButton() const { return cmdShuru_; }
    QPushButton* finishedButton() const { return cmdWanchang_; }
    QPushButton* reinputButton() const { return cmdChongshu_; }
    QPushButton* printButton() const { return cmdDayin_; }
    QPushButton* helpButton() const { return cmdBangzhu_; }
    QPushButton* exitButton() const { return cmdTuichu_; }
    QLineEdit* textBox() const { return text2_; }
    QLabel* firstInstruction() const { return label8_; }
    QLabel* secondInstruction() const { return label9_; }
    MessageArea* messageArea() const { return picture1_; }
    EngineBox* engineBox() const { return ole1_; }
    HelpWindow* helpWindow() const { return help_; }

    void focusTextBox();
    // Where the engine's terminal goes on the screen and how large its font is: as large as
    // fits beside the input box and the buttons, up to the input box's own font.
    TerminalSpot terminalSpot() const;
    TerminalSpot terminalSpot(const QRect& screen) const;
    // The text last written to DXS.DAT; empty before the first.
    const std::string& handedOff() const { return handedOff_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* makeButton(const char* name, const QString& caption, const QFont& font);
    void startInput();
    void checkInput();
    void rejectInput();
    QString refusalMessage(const Refusal& refusal) const;
    void onNewInput();
    void onReinput();
    void onInputFinished();
    void onEngineBox();
    void onHelp();
    void onPrint();

    MainWindowServices services_;
    QPushButton* cmdShuru_;
    QPushButton* cmdWanchang_;
    QPushButton* cmdChongshu_;
    EngineBox* ole1_;
    QLabel* label8_;
    QLabel* label9_;
    QLineEdit* text2_;
    MessageArea* picture1_;
    QPushButton* cmdDayin_;
    QPushButton* cmdBangzhu_;
    QPushButton* cmdTuichu_;
    HelpWindow* help_ = nullptr;
    std::string handedOff_;
};

}  // namespace yinshi::frontend
