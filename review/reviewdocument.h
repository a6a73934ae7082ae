#pragma once

#include <vector>

#include "reviewlines.h"

class QTextDocument;

// Keeps a text document showing a list of review lines, one block per line. Each update rewrites
// only the lines between the unchanged beginning and the unchanged end, so the document parses
// nothing and lays out again only what changed.
class ReviewDocument {
public:
    explicit ReviewDocument(QTextDocument& document);

    // Shows `lines`; returns false when they are what it already shows.
    bool show(std::vector<ReviewLine> lines);
    const std::vector<ReviewLine>& lines() const { return shown_; }

private:
    QTextDocument& document_;
    std::vector<ReviewLine> shown_;
};
