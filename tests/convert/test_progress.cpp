#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "conversionjob.h"
#include "diagrambuilder.h"

namespace {

// Stops the operation at its `stopAt`-th report (never when 0), and keeps what it heard.
struct StoppingProgress : Progress {
    int stopAt = 0;
    std::vector<std::pair<qint64, qint64>> heard;
    bool advance(qint64 done, qint64 total) override {
        heard.emplace_back(done, total);
        return stopAt == 0 || int(heard.size()) < stopAt;
    }
};

}  // namespace

// Stopped at any stage, a conversion leaves no file, and the workbook that was there stays.
TEST(ConvertProgress, StoppingAtAnyStageWritesNothing) {
    DiagramBuilder b;
    b.attribute(b.entity("E"), "id", true);
    QTemporaryDir dir;
    const QString path = dir.filePath("out.xlsx");

    StoppingProgress watched;
    ASSERT_TRUE(ConversionJob(b.editor).writeWorkbook(path, 1, &watched).ok());
    EXPECT_EQ(watched.heard.back(), std::make_pair(qint64(5), qint64(5)));
    const QByteArray before = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();

    b.d.element(1).Caption = "Changed";
    for (int stop = 1; stop <= 4; ++stop) {
        StoppingProgress stopping;
        stopping.stopAt = stop;
        EXPECT_EQ(ConversionJob(b.editor).writeWorkbook(path, 1, &stopping).status, ConvertResult::Status::Cancelled);
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), before) << "stopped at report " << stop;
    }
}
