#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "cover_picture.hpp"
#include "cover_window.hpp"
#include "engine_box.hpp"
#include "twips.hpp"
#include "window_fixture.hpp"

using namespace yinshi::frontend;
using namespace yinshi::frontend::testing;

class CoverWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowHarness> h;
    std::unique_ptr<CoverWindow> cover;
    int built = 0, exits = 0;

private slots:
    void init() {
        h = std::make_unique<WindowHarness>();
        built = exits = 0;
        cover = std::make_unique<CoverWindow>(
            [this] {
                ++built;
                return h->make();
            },
            [this] { ++exits; });
        cover->showFilling();
        QVERIFY(QTest::qWaitForWindowExposed(cover.get()));
    }
    void cleanup() {
        cover.reset();
        h.reset();
    }

    void layout() {
        QCOMPARE(cover->windowTitle(), QString("因式分解"));
        QCOMPARE(cover->objectName(), QString("baozhForm"));
        QCOMPARE(cover->goOnButton()->text(), QString("输入多项式"));
        QCOMPARE(cover->goOnButton()->geometry(), TwipRect(360, 120, 1815, 495, cover->dpi() * cover->scale()));
        QCOMPARE(cover->goOnButton()->font().families().value(0), QString("DejaVu Serif"));
        QCOMPARE(cover->exitButton()->text(), QString("退  出"));
        QCOMPARE(cover->exitButton()->geometry(), TwipRect(2640, 120, 1695, 495, cover->dpi() * cover->scale()));
        QCOMPARE(cover->exitButton()->font().families().value(0), QString("MS Sans Serif"));
        QCOMPARE(cover->picture()->pos(), TwipRect(360, 960, 0, 0, cover->dpi() * cover->scale()).topLeft());
        QCOMPARE(cover->picture()->contentsRect().size(), DrawCoverPicture(cover->scale()).size());
        const int bottom = cover->picture()->geometry().bottom();  // the picture fills the height
        QVERIFY(bottom < cover->height() && bottom >= cover->height() - 6);
        QCOMPARE(cover->focusWidget(), static_cast<QWidget*>(cover->goOnButton()));
    }

    void pictureIsPinkTitleOnBlack() {
        const QImage image = DrawCoverPicture();
        QCOMPARE(image.size(), QSize(421, 486));
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(image.pixelColor(420, 485), QColor(Qt::black));
        int pink = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < image.width(); ++x) pink += image.pixelColor(x, y) == QColor(255, 0, 127);
        QVERIFY2(pink > 500, "the title is drawn in pink");
    }

    void goingOnShowsMainWindowInInputState() {
        cover->goOnButton()->click();
        QVERIFY(!cover->isVisible());
        MainWindow* main = cover->mainWindow();
        QVERIFY(main && main->isVisible());
        QVERIFY(!main->engineBox()->isVisible());
        QVERIFY(!main->newInputButton()->isEnabled());
        QCOMPARE(main->focusWidget(), static_cast<QWidget*>(main->textBox()));
        cover->goOnButton()->click();  // shown again, not built again
        QCOMPARE(built, 1);
    }

    void bothWaysOutEndTheProgram() {
        cover->exitButton()->click();
        QCOMPARE(exits, 1);
        cover->close();
        QCOMPARE(exits, 2);
    }
};

QTEST_MAIN(CoverWindowTest)
#include "cover_window_test.moc"
