#pragma once

#include <QDockWidget>
#include <QTimer>
#include <QUrl>
#include <memory>
#include <set>

#include "relationalmodel.h"
#include "rubric.h"

class Canvas;
class Diagram;
class ReviewDocument;
class QTextBrowser;
class Workspace;

// The dock "關聯綱要" beside the canvas: while the diagram would fail validation, every problem
// (then the notes and the warnings), and below them the relational schema as far as it can be
// derived, one line per relation, greyed until the problems are gone. It follows the diagram a
// moment after each command, so typing and dragging never wait for it. Every entry links back to
// the ER element it comes from; hovering a relation or column tells its mapping rule and reason.
class ReviewPanel : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kDelayMs = 250;

    ReviewPanel(Workspace& workspace, Canvas& canvas, QWidget* parent = nullptr);
    ~ReviewPanel() override;

    // Rebuilds the text now instead of after the pause.
    void refresh();
    // Whether a change waits for the pause to end before the text follows it.
    bool refreshPending() const { return delay_.isActive(); }
    QTextBrowser* text() const { return text_; }
    // What a link stands for, as the text's anchors name them: "e:<element>", "k:<connector>",
    // "r:<relation>", "c:<relation>:<column>". Selects the element it comes from, scrolls to it and
    // flashes it.
    void follow(const QUrl& link);
    // The rule and reason shown when the pointer rests on a relation or column link; how the
    // score is counted on the comparison's score.
    QString tipFor(const QUrl& link) const;

    // Compares the diagram with `reference` from now on, above the problems, following every
    // change, until the comparison's "關閉" link or endComparison. The panel keeps the reference.
    void compareWith(std::unique_ptr<Diagram> reference, const QString& name);
    void endComparison();
    bool comparing() const { return reference_ != nullptr; }
    // Prices the comparison's differences by `rubric` from now on.
    void setRubric(Rubric rubric);
    const Rubric& rubric() const { return rubric_; }

Q_SIGNALS:
    // The comparison's rubric link was followed: another rubric is wanted.
    void rubricRequested();

private:
    void schedule();
    int elementOf(const QUrl& link) const;

    Workspace& workspace_;
    Canvas& canvas_;
    QTextBrowser* text_;
    QTimer delay_;
    RelationalModel model_;       // the schema the text shows
    std::set<int> highlighted_;   // the selection whose relations and columns it highlights
    std::unique_ptr<ReviewDocument> shown_;  // the lines the text shows
    std::unique_ptr<Diagram> reference_;      // the answer compared with, while comparing
    QString referenceName_;
    Rubric rubric_ = Rubric::standard();
};
