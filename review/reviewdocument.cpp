#include "reviewdocument.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

QColor toneColour(ReviewTone tone) {
    switch (tone) {
        case ReviewTone::Problem: return QColor(0xb0, 0x00, 0x00);
        case ReviewTone::Note: return QColor(0x80, 0x60, 0x00);
        case ReviewTone::Warning: return QColor(0x50, 0x50, 0x50);
        case ReviewTone::Pending: return QColor(Qt::gray);
        case ReviewTone::Comparison: return QColor(0x30, 0x30, 0x90);
        case ReviewTone::Schema: break;
    }
    return QColor(Qt::black);
}

QTextBlockFormat blockFormat(const ReviewLine& line) {
    QTextBlockFormat format;
    switch (line.kind) {
        case ReviewLine::Kind::Heading: format.setTopMargin(6); break;
        case ReviewLine::Kind::Item: format.setLeftMargin(16); format.setTextIndent(-10); break;
        case ReviewLine::Kind::SubItem:
            format.setLeftMargin(32);
            format.setTextIndent(-10);
            break;
        case ReviewLine::Kind::Relation: format.setTopMargin(2); break;
    }
    return format;
}

QTextCharFormat runFormat(const ReviewLine& line, const ReviewRun& run) {
    QTextCharFormat format;
    format.setForeground(run.foreign && line.tone == ReviewTone::Schema ? QColor(0x10, 0x60, 0xc0)
                                                                         : toneColour(line.tone));
    if (run.bold) format.setFontWeight(QFont::Bold);
    if (run.key) format.setFontUnderline(true);
    if (run.marked) format.setBackground(QColor(0xff, 0xf0, 0xa0));
    if (!run.href.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(run.href);
    }
    return format;
}

// Writes a line at the cursor, which stands at the start of an empty stretch of its block.
void writeLine(QTextCursor& cursor, const ReviewLine& line) {
    cursor.setBlockFormat(blockFormat(line));
    if (line.kind == ReviewLine::Kind::Item)
        cursor.insertText(QStringLiteral("• "), runFormat(line, ReviewRun{}));
    if (line.kind == ReviewLine::Kind::SubItem)
        cursor.insertText(QStringLiteral("◦ "), runFormat(line, ReviewRun{}));
    for (const ReviewRun& run : line.runs) cursor.insertText(run.text, runFormat(line, run));
}

}  // namespace

ReviewDocument::ReviewDocument(QTextDocument& document) : document_(document) {
    // Nobody edits the text: an undo history would only cost memory at every update.
    document_.setUndoRedoEnabled(false);
    document_.clear();
}

bool ReviewDocument::show(std::vector<ReviewLine> lines) {
    if (lines == shown_) return false;
    // The unchanged beginning and end; the lines between them are replaced.
    const size_t limit = std::min(lines.size(), shown_.size());
    size_t head = 0;
    while (head < limit && lines[head] == shown_[head]) ++head;
    size_t tail = 0;
    while (tail < limit - head &&
           lines[lines.size() - 1 - tail] == shown_[shown_.size() - 1 - tail])
        ++tail;

    // Block i holds line i; one empty block always follows the last line, so every line's block
    // ends in a separator and a stretch of lines is a plain range of the text.
    QTextCursor cursor(&document_);
    cursor.beginEditBlock();
    const QTextBlock first = document_.findBlockByNumber(int(head));
    const QTextBlock rest = document_.findBlockByNumber(int(shown_.size() - tail));
    // Removing a stretch of blocks may leave the survivor with either format: keep the rest's.
    const QTextBlockFormat restFormat = rest.blockFormat();
    const QTextCharFormat restChars = rest.charFormat();
    cursor.setPosition(first.position());
    cursor.setPosition(rest.position(), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    // The cursor is at the start of the rest: each new line goes in front of it in a block of its
    // own.
    for (size_t i = head; i < lines.size() - tail; ++i) {
        writeLine(cursor, lines[i]);
        cursor.insertBlock(restFormat, restChars);
    }
    cursor.setBlockFormat(restFormat);
    cursor.endEditBlock();
    shown_ = std::move(lines);
    return true;
}
