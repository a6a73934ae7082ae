// File -> 列印... (Ctrl+P) and 預覽列印..., with the print dialog answered by a PDF file.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "canvas.h"
#include "drawstudent.h"
#include "relvaneapp.h"
#include "runningapp.h"

namespace {

// The pages of a PDF file.
int pageCount(const QString& pdf) {
    QFile file(pdf);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QString text = QString::fromLatin1(file.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))));
}

QString pdfText(const QString& pdf) {
    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty()) return QStringLiteral("pdftotext (poppler-utils) is not installed");
    QProcess extract;
    extract.start(pdftotext, {pdf, "-"});
    extract.waitForFinished(60000);
    return QString::fromUtf8(extract.readAllStandardOutput());
}

class PrintTest : public RunningAppTest {
protected:
    // File -> 列印... (Ctrl+P), the dialog answering with `pdf` at `scale`.
    void print(const std::optional<QString>& pdf, PrintScale scale = PrintScale::FitToPage) {
        dialogs.printPdf = pdf;
        dialogs.printScale = scale;
        QAction* item = app->window().findChild<QAction*>("mnuPrint");
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        item->trigger();
    }
};

TEST_F(PrintTest, FittedOnOnePageOrAtFullSizeOnSeveralWithTheCaptionsAsText) {
    drawStudent(app->window());
    // Far to the right and below: at 100 % the drawing needs more than one page each way.
    Element& far = app->window().diagram().element(2);
    far.Left += 2500;
    far.Top += 1800;
    app->window().diagram().notifyElement(2);

    const QString fitted = dir.filePath("fitted.pdf"), full = dir.filePath("full.pdf");
    print(fitted, PrintScale::FitToPage);
    EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join('\n').toStdString();
    EXPECT_EQ(pageCount(fitted), 1);
    const QString text = pdfText(fitted);
    for (const char* caption : {"Student", "StudentNo"})
        EXPECT_TRUE(text.contains(caption)) << caption << " not in " << text.toStdString();

    print(full, PrintScale::FullSize);
    EXPECT_GE(pageCount(full), 4) << "two pages across and two down at least";
    EXPECT_TRUE(pdfText(full).contains("StudentNo"));

    // The preview paints the same pages through the printer it is given.
    const QString previewed = dir.filePath("previewed.pdf");
    dialogs.printPdf = previewed;
    app->window().findChild<QAction*>("mnuPrintPreview")->trigger();
    EXPECT_EQ(dialogs.previews, 1);
    EXPECT_EQ(pageCount(previewed), pageCount(full)) << "the scale chosen last is kept";
}

TEST_F(PrintTest, NothingToPrintAndCancelWriteNothing) {
    print(dir.filePath("empty.pdf"), PrintScale::FitToPage);
    EXPECT_EQ(prompts.messages, QStringList({"目前沒有任何元素可以擷取"}));
    app->window().findChild<QAction*>("mnuPrintPreview")->trigger();
    EXPECT_EQ(dialogs.previews, 0) << "no preview of nothing";

    drawStudent(app->window());
    print(std::nullopt);
    EXPECT_FALSE(QFile::exists(dir.filePath("empty.pdf")));
}

}  // namespace
