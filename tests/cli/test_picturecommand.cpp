// `relvane picture` run as a real process without a display, on a project in an SQLite store.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "diagrambuilder.h"
#include "picturefile.h"
#include "picturereading.h"
#include "projectstore.h"
#include "relvanerun.h"

namespace {

struct PictureRun {
    int status;
    QString err;
};

class PictureCommandTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QSize drawingSize;  // the rectangle Capture takes, in pixels at 100 %

    QString database() const { return dir.filePath("projects.db"); }

    PictureRun picture(const QStringList& arguments) const {
        const RelvaneRun run = runRelvane(QStringList{"picture"} + arguments, dir.path(),
                                          {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
        return {run.status, run.err};
    }
    PictureRun pictureOf(const QString& project, const QString& output,
                         const QStringList& more = {}) const {
        return picture(QStringList{"--db", database(), "--project", project, "--output", output} +
                       more);
    }

    // Employee (EmpNo) works for 部門 (DeptNo), with participations.
    void saveCompany() {
        DiagramBuilder b;
        const int e1 = b.entity("Employee"), e2 = b.entity("部門");
        const int a1 = b.attribute(e1, "EmpNo", true);
        const int a2 = b.attribute(e2, "DeptNo", true);
        const int r = b.relationship("WorksFor");
        const auto [k1, k2] = b.binary(e1, r, e2);
        b.setParticipation(k1, "1,N");
        b.setParticipation(k2, "0,1");
        // Spread out, so that every label lies clear of the others inside the drawing.
        const auto place = [&b](int i, float x, float y) {
            b.click(i);
            b.editor.dropElement(i, x, y);
        };
        place(e1, 20, 140);
        place(r, 240, 140);
        place(e2, 460, 140);
        place(a1, 20, 30);
        place(a2, 460, 30);
        drawingSize = b.editor.captureRect().toAlignedRect().size();
        ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, "company").ok);
    }
};

const QStringList kCaptions = {"Employee", "部門", "EmpNo", "DeptNo", "WorksFor", "1,N", "0,1"};

TEST_F(PictureCommandTest, PngAtOneAndTwoTimesTheCanvasPixels) {
    saveCompany();
    const QString one = dir.filePath("company.png"), two = dir.filePath("company@2x.png");
    const PictureRun run = pictureOf("company", one);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    ASSERT_EQ(pictureOf("company", two, {"--scale", "2"}).status, 0);

    const QImage image(one), doubled(two);
    // The drawing with a white margin around it.
    const QSize margins(2 * kPictureMargin, 2 * kPictureMargin);
    EXPECT_EQ(image.size(), drawingSize + margins);
    EXPECT_EQ(doubled.size(), (drawingSize + margins) * 2);
    // White paper, and on it outlines, fills and texts.
    const QRgb background = image.pixel(0, image.height() - 1);
    EXPECT_EQ(background, qRgb(255, 255, 255));
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) drawn += image.pixel(x, y) != background;
    EXPECT_GT(drawn, image.width() * image.height() / 10);
    EXPECT_LT(drawn, image.width() * image.height());
}

TEST_F(PictureCommandTest, SvgAndPdfKeepEveryCaptionAsText) {
    saveCompany();
    const QString svg = dir.filePath("company.svg"), pdf = dir.filePath("company.pdf");
    ASSERT_EQ(pictureOf("company", svg).status, 0);
    const QStringList texts = svgTexts(svg);
    for (const QString& caption : kCaptions)
        EXPECT_TRUE(texts.contains(caption))
            << caption.toStdString() << " not in " << texts.join('|').toStdString();

    ASSERT_EQ(pictureOf("company", pdf).status, 0);
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    ASSERT_FALSE(pdftotext.isEmpty()) << "pdftotext (poppler-utils) is not installed";
    QProcess extract;
    extract.start(pdftotext, {pdf, "-"});
    ASSERT_TRUE(extract.waitForFinished(60000));
    const QString text = QString::fromUtf8(extract.readAllStandardOutput());
    // 部門: 門 is drawn with the glyph of the radical ⾨, which Qt's text map would name. A "1"
    // that shaping has replaced by another glyph has no entry in Qt's map: "1,N" reads ",N".
    for (const QString& caption : kCaptions) {
        if (caption == "1,N") continue;
        EXPECT_TRUE(text.contains(caption))
            << caption.toStdString() << " not in " << text.toStdString();
    }
}

TEST_F(PictureCommandTest, RefusalsAndUsageErrorsGiveTheirStatusesAndWriteNothing) {
    saveCompany();
    DiagramBuilder empty;
    ASSERT_TRUE(ProjectStore(database()).saveAs(empty.d, "empty").ok);
    const QString output = dir.filePath("out.png");

    const PictureRun missing = pictureOf("absent", output);
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("資料庫內沒有這個 Project"));
    const PictureRun nothing = pictureOf("empty", output);
    EXPECT_EQ(nothing.status, 1);
    EXPECT_TRUE(nothing.err.contains("目前沒有任何元素可以擷取")) << nothing.err.toStdString();

    EXPECT_EQ(pictureOf("company", dir.filePath("out.gif")).status, 2);
    EXPECT_EQ(pictureOf("company", output, {"--scale", "3"}).status, 2);
    EXPECT_EQ(picture({"--db", database(), "--project", "company"}).status, 2);
    const PictureRun unwritable = pictureOf("company", dir.filePath("no-such-folder/out.png"));
    EXPECT_EQ(unwritable.status, 2);
    EXPECT_TRUE(unwritable.err.contains("no-such-folder/out.png")) << unwritable.err.toStdString();
    // A database that is not there holds no project; reading never creates it.
    EXPECT_EQ(picture({"--db", dir.filePath("no-such-folder/x.db"), "--project", "company",
                       "--output", output})
                  .status,
              1);
    EXPECT_FALSE(QFile::exists(output));
}

// A picture beyond the stated size is refused with its size and the limit, before any memory
// is taken for it; here a PNG twice as wide as the drawing's 17,000 pixels.
TEST_F(PictureCommandTest, APictureBeyondTheSizeLimitIsRefused) {
    DiagramBuilder b;
    const int near = b.entity("Near"), far = b.entity("Far");
    b.click(near);
    b.editor.dropElement(near, 20, 20);
    b.click(far);
    b.editor.dropElement(far, 17000, 20);
    ASSERT_TRUE(ProjectStore(database()).saveAs(b.d, "wide").ok);
    const QString output = dir.filePath("wide.png");
    ASSERT_EQ(pictureOf("wide", output).status, 0) << "one time fits";
    QFile::remove(output);
    const PictureRun run = pictureOf("wide", output, {"--scale", "2"});
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains("超過上限 (共 100,000,000 像素, 每邊 32767 像素)"))
        << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(output));
}

}  // namespace
