#pragma once
// The box whose double-click starts the engine: an icon over the program's label.
#include <QWidget>

namespace yinshi::frontend {

class EngineBox : public QWidget {
    Q_OBJECT
public:
    explicit EngineBox(QWidget* parent = nullptr);
    // "双击此框分解533.EXE" in the window's language.
    QString label() const { return label_; }

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString label_;
};

}  // namespace yinshi::frontend
