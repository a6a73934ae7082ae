#include "helpwindow.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QListWidget>
#include <QTextBrowser>

#include "helptext.h"

namespace {

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

// A row of a two-column table: a term (or a key) in bold, what it means (or does) beside it.
QString tableRow(const QString& term, const QString& text) {
    return QStringLiteral("<tr><td valign=\"top\"><b>%1</b></td><td valign=\"top\">%2</td></tr>")
        .arg(escaped(term), escaped(text));
}

constexpr QLatin1StringView kTableStart("<table cellspacing=\"0\" cellpadding=\"4\">");
constexpr QLatin1StringView kTableEnd("</table>");

// A section's heading, with the anchor the list of contents scrolls to.
QString heading(const QString& anchor, const QString& title) {
    return QStringLiteral("<h2><a name=\"%1\"></a>%2</h2>").arg(anchor, escaped(title));
}

// Paragraphs as they are, runs of terms as tables.
QString itemsHtml(std::span<const HelpItem> items) {
    QString html;
    bool inTable = false;
    for (const HelpItem& item : items) {
        const bool term = item.term != nullptr;
        if (term != inTable) {
            html += term ? kTableStart : kTableEnd;
            inTable = term;
        }
        html += term ? tableRow(helpTerm(item), helpText(item))
                     : QStringLiteral("<p>%1</p>").arg(escaped(helpText(item)));
    }
    if (inTable) html += kTableEnd;
    return html;
}

QString shortcutsHtml(const std::vector<ShortcutEntry>& shortcuts) {
    QString html = heading(helpShortcutsAnchor(), helpShortcutsTitle()) + kTableStart;
    for (const ShortcutEntry& entry : shortcuts) html += tableRow(entry.keys, entry.command);
    return html + kTableEnd + itemsHtml(helpMouseItems());
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QCoreApplication::translate("HelpWindow", "Relvane 使用說明"));
    contents_ = new QListWidget(this);
    contents_->setObjectName(QStringLiteral("helpContents"));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("helpText"));
    browser_->setOpenLinks(false);

    const auto addEntry = [this](const QString& anchor, const QString& title) {
        auto* entry = new QListWidgetItem(title, contents_);
        entry->setData(Qt::UserRole, anchor);
    };
    for (const HelpSection& section : helpSections())
        addEntry(QLatin1String(section.anchor),
                 QCoreApplication::translate("HelpText", section.title));
    addEntry(helpShortcutsAnchor(), helpShortcutsTitle());
    contents_->setFixedWidth(contents_->sizeHintForColumn(0) + 24);
    connect(contents_, &QListWidget::itemClicked, this, [this](QListWidgetItem* entry) {
        browser_->scrollToAnchor(entry->data(Qt::UserRole).toString());
    });

    auto* row = new QHBoxLayout(this);
    row->addWidget(contents_);
    row->addWidget(browser_, 1);
    setShortcuts({});
    resize(820, 600);
}

void HelpWindow::setShortcuts(const std::vector<ShortcutEntry>& shortcuts) {
    QString html;
    for (const HelpSection& section : helpSections())
        html += heading(QLatin1String(section.anchor),
                        QCoreApplication::translate("HelpText", section.title)) +
                itemsHtml(section.items);
    html += shortcutsHtml(shortcuts);
    browser_->setHtml(html);
}

void HelpWindow::showSection(const QString& anchor) {
    for (int row = 0; row < contents_->count(); ++row) {
        QListWidgetItem* entry = contents_->item(row);
        if (anchor.isEmpty() ? row == 0 : entry->data(Qt::UserRole).toString() == anchor) {
            contents_->setCurrentItem(entry);
            browser_->scrollToAnchor(entry->data(Qt::UserRole).toString());
            return;
        }
    }
}
