#include "reviewpanel.h"

#include <QCoreApplication>
#include <QCursor>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolTip>

#include "canvas.h"
#include "comparison.h"
#include "mapping.h"
#include "reviewdocument.h"
#include "schematext.h"
#include "workspace.h"

ReviewPanel::ReviewPanel(Workspace& workspace, Canvas& canvas, QWidget* parent)
    : QDockWidget(QCoreApplication::translate("ReviewPanel", "關聯綱要"), parent),
      workspace_(workspace),
      canvas_(canvas),
      text_(new QTextBrowser(this)),
      shown_(std::make_unique<ReviewDocument>(*text_->document())) {
    setObjectName(QStringLiteral("ReviewPanel"));
    text_->setObjectName(QStringLiteral("ReviewText"));
    text_->setOpenLinks(false);
    // Identifiers ("DEPARTMENT.Dnumber") stay whole: lines break at spaces only, and a line
    // too long for the panel scrolls.
    text_->setWordWrapMode(QTextOption::WordWrap);
    setWidget(text_);
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMs);
    connect(&delay_, &QTimer::timeout, this, &ReviewPanel::refresh);
    connect(&workspace_.diagram(), &Diagram::changed, this, [this](const DiagramChange& change) {
        // Hover texts and prompts change the view alone, which the panel does not show, unless
        // the selection it highlights moved.
        const bool viewOnly = !change.reset && !change.removed && change.elements.empty() &&
                              change.connectors.empty();
        if (!viewOnly || workspace_.diagram().view.selection != highlighted_) schedule();
    });
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool shown) {
        if (shown) schedule();
    });
    connect(text_, &QTextBrowser::anchorClicked, this, &ReviewPanel::follow);
    connect(text_, &QTextBrowser::highlighted, this, [this](const QUrl& url) {
        const QString tip = tipFor(url);
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(QCursor::pos(), tip, text_);
    });
}

ReviewPanel::~ReviewPanel() = default;

void ReviewPanel::schedule() {
    // Hidden, it waits until it is shown again.
    if (isVisible()) delay_.start();
}

void ReviewPanel::refresh() {
    delay_.stop();
    const Diagram& d = workspace_.diagram();
    model_ = mapDiagram(d);
    highlighted_ = d.view.selection;
    // Most commands (a move, a colour) change nothing the panel shows; the rest a few lines.
    const int scrolled = text_->verticalScrollBar()->value();
    std::vector<ReviewLine> lines = reviewLines(d, model_, highlighted_);
    if (reference_) {
        std::vector<ReviewLine> compared =
            comparisonLines(compareDiagrams(d, *reference_, rubric_), referenceName_, rubric_.name);
        lines.insert(lines.begin(), std::make_move_iterator(compared.begin()),
                     std::make_move_iterator(compared.end()));
    }
    if (shown_->show(std::move(lines))) text_->verticalScrollBar()->setValue(scrolled);
}

int ReviewPanel::elementOf(const QUrl& url) const {
    const QStringList parts = url.toString().split(QLatin1Char(':'));
    const auto number = [&parts](int at) { return parts.size() > at ? parts[at].toInt() : -1; };
    const QString kind = parts.value(0);
    const Diagram& d = workspace_.diagram();
    if (kind == QLatin1String("e")) return number(1);
    if (kind == QLatin1String("k")) {
        const int k = number(1);
        return d.isConnector(k) ? d.connector(k).second : 0;
    }
    const int r = number(1);
    if (r < 0 || size_t(r) >= model_.relations.size()) return 0;
    const Relation& relation = model_.relations[size_t(r)];
    if (kind == QLatin1String("r")) return relation.element;
    const int c = number(2);
    if (kind == QLatin1String("c") && c >= 0 && size_t(c) < relation.columns.size())
        return columnSource(relation, relation.columns[size_t(c)]);
    return 0;
}

void ReviewPanel::compareWith(std::unique_ptr<Diagram> reference, const QString& name) {
    reference_ = std::move(reference);
    referenceName_ = name;
    show();
    refresh();
}

void ReviewPanel::setRubric(Rubric rubric) {
    rubric_ = std::move(rubric);
    refresh();
}

void ReviewPanel::endComparison() {
    reference_.reset();
    refresh();
}

void ReviewPanel::follow(const QUrl& url) {
    if (url.toString() == QLatin1String("x:close")) {
        endComparison();
        return;
    }
    if (url.toString() == QLatin1String("u:rubric")) {
        Q_EMIT rubricRequested();
        return;
    }
    const Diagram& d = workspace_.diagram();
    const int element = elementOf(url);
    if (!d.isLiveElement(element)) return;
    workspace_.editor().selectElements({element});
    canvas_.ensureVisible(element);
    if (url.toString().startsWith(QLatin1String("k:"))) {
        const Line& line = d.connector(url.toString().mid(2).toInt()).Line1;
        canvas_.flash(QRectF(QPointF(line.X1, line.Y1), QPointF(line.X2, line.Y2)).normalized());
    } else {
        const Element& e = d.element(element);
        canvas_.flash(QRectF(e.Left, e.Top, e.Width, e.Height));
    }
}

QString ReviewPanel::tipFor(const QUrl& url) const {
    if (url.toString() == QLatin1String("s:")) return scoreRule();
    if (url.toString() == QLatin1String("u:rubric")) return rubricText(rubric_);
    const QStringList parts = url.toString().split(QLatin1Char(':'));
    const size_t r = parts.value(1).toULongLong();
    if (parts.size() < 2 || r >= model_.relations.size()) return QString();
    const Relation& relation = model_.relations[r];
    Explanation why;
    if (parts[0] == QLatin1String("r")) {
        why = relation.why;
    } else if (parts[0] == QLatin1String("c") && parts.size() > 2) {
        const size_t c = parts[2].toULongLong();
        if (c < relation.columns.size()) why = relation.columns[c].why;
    }
    if (why.rule == RuleNone) return QString();
    return ruleTitle(why.rule) + QStringLiteral("\n") + why.reason;
}
