#pragma once
// The box whose double-click starts the engine: an icon over the program's label.
#include <QWidget>

namespace yinshi::frontend {

inline constexpr const char* kEngineBoxLabel = "双击此框分解533.EXE";

class EngineBox : public QWidget {
  Q_OBJECT
 public:
  explicit EngineBox(QWidget* parent = nullptr);

 signals:
  void doubleClicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

}  // namespace yinshi::frontend
