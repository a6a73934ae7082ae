// File -> 匯出圖片... in the window, with the file chooser replaced.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QStatusBar>
#include <QTemporaryDir>

#include "canvas.h"
#include "drawstudent.h"
#include "picturefile.h"
#include "picturereading.h"
#include "relvaneapp.h"
#include "runningapp.h"

namespace {

class PictureExportTest : public RunningAppTest {
protected:
    const QStringList& offered = dialogs.presets;  // the paths the chooser was preset to

    // Triggers the menu item with the chooser answering `target`.
    void exportTo(std::optional<PictureTarget> target) {
        dialogs.picture = target;
        QAction* item = app->window().findChild<QAction*>("mnuExportPicture");
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), "匯出圖片...");
        item->trigger();
    }
    QString status() {
        return app->window().findChild<QStatusBar*>("StatusBar2")->currentMessage();
    }
};

TEST_F(PictureExportTest, WritesWhatCaptureTakesAtFullSizeWhateverTheZoom) {
    drawStudent(app->window());
    Canvas& canvas = *app->window().canvas();
    const QImage captured =
        app->window().captureDiagram().toImage().convertToFormat(QImage::Format_RGB32);
    canvas.setZoom(2);

    const QString png = dir.filePath("student.png");
    exportTo(PictureTarget{png, 1});
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    EXPECT_EQ(status(), "已寫入 " + png);
    ASSERT_EQ(offered.size(), 1);
    EXPECT_TRUE(offered[0].endsWith(".png"));
    // On white with a margin, whatever the canvas's colour; Capture keeps the canvas's look.
    const QImage written = QImage(png).convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(written.size(), captured.size() + QSize(2 * kPictureMargin, 2 * kPictureMargin));
    EXPECT_EQ(written.pixel(0, 0), qRgb(255, 255, 255));
    EXPECT_EQ(written.pixel(written.width() - 1, written.height() - 1), qRgb(255, 255, 255));
    EXPECT_NE(captured.pixel(0, 0), qRgb(255, 255, 255)) << "the canvas is not white here";
    int inked = 0;
    for (int y = 0; y < written.height(); ++y)
        for (int x = 0; x < written.width(); ++x)
            inked += written.pixelColor(x, y).lightness() < 100;
    EXPECT_GT(inked, 100) << "the drawing is in it";
    EXPECT_EQ(canvas.zoom(), 2) << "the view is left as it was";

    const QString doubled = dir.filePath("student@2x.png");
    exportTo(PictureTarget{doubled, 2});
    EXPECT_EQ(QImage(doubled).size(), written.size() * 2);

    const QString svg = dir.filePath("student.svg");
    exportTo(PictureTarget{svg, 1});
    EXPECT_EQ(svgTexts(svg), QStringList({"Student", "StudentNo"}));
}

TEST_F(PictureExportTest, NothingToDrawCancelAndUnwritableFiles) {
    exportTo(PictureTarget{dir.filePath("empty.png"), 1});
    EXPECT_EQ(prompts.messages, QStringList({"目前沒有任何元素可以擷取"}));
    EXPECT_TRUE(offered.isEmpty()) << "no file is asked for when there is nothing to draw";

    drawStudent(app->window());
    exportTo(std::nullopt);
    EXPECT_EQ(offered.size(), 1);
    EXPECT_EQ(QDir(dir.path()).entryList({"*.png", "*.svg", "*.pdf"}), QStringList());

    prompts.messages.clear();
    const QString unwritable = dir.filePath("no-such-folder/student.pdf");
    exportTo(PictureTarget{unwritable, 1});
    ASSERT_EQ(prompts.messages.size(), 1);
    EXPECT_TRUE(prompts.messages[0].startsWith("無法寫入圖片 " + unwritable + ": "))
        << prompts.messages[0].toStdString();
}

// Stopped after painting, a picture export keeps the file that was there.
TEST_F(PictureExportTest, AStoppedExportKeepsTheFileThatWasThere) {
    drawStudent(app->window());
    const QString path = dir.filePath("student.svg");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("before");
    old.close();
    struct Stop : Progress {
        bool advance(qint64, qint64) override { return false; }
    } stop;
    const QRectF area = app->window().editor().captureRect();
    EXPECT_EQ(writePicture(*app->window().canvas(), area, path, 1, &stop),
              pictureCancelledMessage());
    QFile after(path);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), "before");
}

}  // namespace
