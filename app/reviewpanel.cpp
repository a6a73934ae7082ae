#include "reviewpanel.h"

#include <QCursor>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolTip>
#include <set>

#include "canvas.h"
#include "checkdiagram.h"
#include "diagramwarnings.h"
#include "mapping.h"
#include "schematext.h"
#include "workspace.h"

namespace {

QString link(const QString& href, const QString& text, const QString& style = QString()) {
    if (style.isEmpty()) return QStringLiteral("<a href=\"%1\">%2</a>").arg(href, text);
    return QStringLiteral("<a class=\"%1\" href=\"%2\">%3</a>").arg(style, href, text);
}

// Links take their colours from the style sheet: rich text cannot inherit a colour.
QString linkStyles(const QString& schemaColour) {
    return QStringLiteral("a { text-decoration: none; color: %1 } a.p { color: #b00000 } "
                          "a.n { color: #806000 } a.w { color: #505050 } "
                          ".fk { color: #1060c0 } .mark { background: #fff0a0 }")
        .arg(schemaColour);
}

// A problem's or warning's link: to its connector when it has one, else to its element.
QString entryHref(int element, int connector) {
    return connector ? QStringLiteral("k:%1").arg(connector) : QStringLiteral("e:%1").arg(element);
}

QString listOf(const QString& title, const QString& colour, const QStringList& items) {
    if (items.isEmpty()) return QString();
    return QStringLiteral("<p style=\"color:%1\"><b>%2</b></p><ul style=\"color:%1\"><li>%3</li></ul>")
        .arg(colour, title, items.join(QStringLiteral("</li><li>")));
}

}  // namespace

ReviewPanel::ReviewPanel(Workspace& workspace, Canvas& canvas, QWidget* parent)
    : QDockWidget(QStringLiteral("關聯綱要"), parent),
      workspace_(workspace),
      canvas_(canvas),
      text_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("ReviewPanel"));
    text_->setObjectName(QStringLiteral("ReviewText"));
    text_->setOpenLinks(false);
    // Classes instead of inline styles keep the text short: it is rebuilt after every change.
    text_->document()->setDefaultStyleSheet(linkStyles(QStringLiteral("black")));
    setWidget(text_);
    delay_.setSingleShot(true);
    delay_.setInterval(kDelayMs);
    connect(&delay_, &QTimer::timeout, this, &ReviewPanel::refresh);
    connect(&workspace_.diagram(), &Diagram::changed, this, [this](const DiagramChange& change) {
        // Hover texts and prompts change the view alone, which the panel does not show, unless
        // the selection it highlights moved.
        const bool viewOnly = !change.reset && change.elements.empty() && change.connectors.empty();
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

void ReviewPanel::schedule() {
    // Hidden, it waits until it is shown again.
    if (isVisible()) delay_.start();
}

void ReviewPanel::refresh() {
    delay_.stop();
    const Diagram& d = workspace_.diagram();
    QStringList problems, notes, warnings;
    for (const DiagramProblem& problem : findProblems(d)) {
        const QString href = entryHref(problem.element, problem.connector);
        if (problem.isNote())
            notes << link(href, problem.message.toHtmlEscaped(), QStringLiteral("n"));
        else
            problems << link(href, problem.message.toHtmlEscaped(), QStringLiteral("p"));
    }
    for (const DiagramWarning& warning : findWarnings(d)) {
        const QString href = entryHref(warning.element, warning.connector);
        warnings << link(href, warning.message.toHtmlEscaped(), QStringLiteral("w"));
    }
    model_ = mapDiagram(d);
    const auto references = columnReferences(model_);
    const std::set<int>& selected = d.view.selection;
    highlighted_ = selected;
    const auto mark = [&selected](int element, const QString& html) {
        return selected.contains(element)
                   ? QStringLiteral("<span class=\"mark\">%1</span>").arg(html)
                   : html;
    };
    QStringList lines;
    for (size_t r = 0; r < model_.relations.size(); ++r) {
        const Relation& relation = model_.relations[r];
        QStringList columns;
        for (size_t c = 0; c < relation.columns.size(); ++c) {
            const Column& column = relation.columns[c];
            QString html = column.name.toHtmlEscaped();
            if (column.key) html = QStringLiteral("<u>%1</u>").arg(html);
            if (column.references) {
                const ColumnReference& ref = references[r][c];
                html = QStringLiteral("<span class=\"fk\">%1→%2.%3</span>")
                           .arg(html, ref.relation.toHtmlEscaped(), ref.column.toHtmlEscaped());
            }
            columns << mark(columnSource(relation, column),
                            link(QStringLiteral("c:%1:%2").arg(r).arg(c), html));
        }
        lines << mark(relation.element,
                      link(QStringLiteral("r:%1").arg(r),
                           QStringLiteral("<b>%1</b>").arg(relation.name.toHtmlEscaped()))) +
                     QLatin1Char('(') + columns.join(QStringLiteral(", ")) + QLatin1Char(')');
    }
    // Until the diagram would convert, the schema is only what can be derived so far.
    const QString schemaColour = problems.isEmpty() ? QStringLiteral("black") : QStringLiteral("gray");
    const QString html =
        listOf(QStringLiteral("問題"), QStringLiteral("#b00000"), problems) +
        listOf(QStringLiteral("注意"), QStringLiteral("#806000"), notes) +
        listOf(QStringLiteral("提醒"), QStringLiteral("#505050"), warnings) +
        QStringLiteral("<div style=\"color:%1\">%2</div>")
            .arg(schemaColour, lines.join(QStringLiteral("<br>")));
    // Most commands (a move, a colour) change nothing the panel shows: the text stays laid out.
    if (html == shownHtml_) return;
    shownHtml_ = html;
    const int scrolled = text_->verticalScrollBar() ? text_->verticalScrollBar()->value() : 0;
    text_->document()->setDefaultStyleSheet(linkStyles(schemaColour));
    text_->setHtml(html);
    if (text_->verticalScrollBar()) text_->verticalScrollBar()->setValue(scrolled);
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

void ReviewPanel::follow(const QUrl& url) {
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
