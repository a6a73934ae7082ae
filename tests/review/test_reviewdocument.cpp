#include <gtest/gtest.h>

#include <QTextBlock>
#include <QTextDocument>
#include <random>

#include "reviewdocument.h"

namespace {

// Everything a reader sees of a document: each block's format and its runs of text and format.
QString describe(const QTextDocument& document) {
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        const QTextBlockFormat f = block.blockFormat();
        out += QStringLiteral("[%1 %2 %3]").arg(f.leftMargin()).arg(f.topMargin()).arg(f.textIndent());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat c = fragment.charFormat();
            out += QStringLiteral("{%1|%2|%3|%4|%5|%6}")
                       .arg(fragment.text(), c.anchorHref(), c.foreground().color().name(),
                            c.background().color().name())
                       .arg(c.fontWeight())
                       .arg(c.fontUnderline());
        }
        out += QLatin1Char('\n');
    }
    return out;
}

ReviewLine randomLine(std::mt19937& random) {
    ReviewLine line;
    line.kind = ReviewLine::Kind(random() % 3);
    line.tone = ReviewTone(random() % 6);
    for (int runs = 1 + int(random() % 4); runs > 0; --runs) {
        ReviewRun run;
        run.text = QStringLiteral("r%1 名").arg(random() % 7);
        if (random() % 2) run.href = QStringLiteral("c:%1:0").arg(random() % 5);
        run.bold = random() % 2;
        run.key = random() % 2;
        run.foreign = random() % 2;
        run.marked = random() % 4 == 0;
        line.runs.push_back(run);
    }
    return line;
}

}  // namespace

// Updated line by line through many edits, the text is exactly what writing the lines afresh
// gives: no format leaks from a replaced line into its neighbours.
TEST(ReviewDocument, UpdatesInPlaceGiveWhatAFreshWriteGives) {
    std::mt19937 random(7);
    QTextDocument shown;
    ReviewDocument updated(shown);
    std::vector<ReviewLine> lines;
    for (int step = 0; step < 400; ++step) {
        const int edits = 1 + int(random() % 3);
        for (int e = 0; e < edits; ++e) {
            const size_t at = lines.empty() ? 0 : random() % (lines.size() + 1);
            switch (random() % 4) {
                case 0:
                case 1: lines.insert(lines.begin() + long(at), randomLine(random)); break;
                case 2:
                    if (at < lines.size()) lines.erase(lines.begin() + long(at));
                    break;
                default:
                    if (at < lines.size()) lines[at] = randomLine(random);
            }
        }
        if (step % 50 == 49) lines.clear();
        updated.show(lines);
        QTextDocument fresh;
        ReviewDocument written(fresh);
        written.show(lines);
        ASSERT_EQ(describe(shown), describe(fresh)) << "step " << step;
        ASSERT_EQ(shown.blockCount(), int(lines.size()) + 1);
    }
    EXPECT_FALSE(updated.show(lines)) << "the same lines again change nothing";
}
