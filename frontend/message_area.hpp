#pragma once
// The main window's message area: lines printed from the top left, erased all at once.
#include <QStringList>
#include <QWidget>

namespace yinshi::frontend {

class MessageArea : public QWidget {
    Q_OBJECT
public:
    explicit MessageArea(QWidget* parent = nullptr);

    void clear();
    void printLine(const QString& text);
    const QStringList& lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList lines_;
};

}  // namespace yinshi::frontend
