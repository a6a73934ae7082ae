#include "projectlistdialog.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "prompts.h"

namespace {

QString savedText(const QDateTime& saved) {
    return saved.isValid() ? saved.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"))
                           : QString();
}

QString draftMark() {
    return QCoreApplication::translate("ProjectListDialog", "草稿");
}

}  // namespace

ProjectListDialog::ProjectListDialog(const ProjectStore& store, Prompts& prompts,
                                     const QString& prompt, const QString& title,
                                     const QString& preset, QWidget* parent)
    : QDialog(parent),
      store_(store),
      prompts_(prompts),
      name_(new QLineEdit(preset, this)),
      table_(new QTableWidget(0, 5, this)),
      status_(new QLabel(this)) {
    setWindowTitle(title);
    setObjectName(QStringLiteral("ProjectList"));
    table_->setHorizontalHeaderLabels({QCoreApplication::translate("ProjectListDialog", "名稱"),
                                       QCoreApplication::translate("ProjectListDialog", "編號"),
                                       QCoreApplication::translate("ProjectListDialog", "元素"),
                                       QCoreApplication::translate("ProjectListDialog", "最後儲存"),
                                       QCoreApplication::translate("ProjectListDialog", "狀態")});
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    name_->selectAll();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* remove = buttons->addButton(QCoreApplication::translate("ProjectListDialog", "刪除"), QDialogButtonBox::ActionRole);
    QPushButton* rename = buttons->addButton(QCoreApplication::translate("ProjectListDialog", "重新命名"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(remove, &QPushButton::clicked, this, &ProjectListDialog::deleteChosen);
    connect(rename, &QPushButton::clicked, this, &ProjectListDialog::renameChosen);
    // The preset name does not filter: the list opens whole, and typing narrows it.
    connect(name_, &QLineEdit::textEdited, this, [this] {
        filtering_ = true;
        showMatching();
    });
    connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        name_->setText(table_->item(row, 0)->text());
        accept();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    layout->addWidget(name_);
    layout->addWidget(table_);
    layout->addWidget(status_);
    layout->addWidget(buttons);
    resize(520, 380);
    reload();
}

QString ProjectListDialog::name() const {
    const QString picked = chosen();
    return picked.isEmpty() ? name_->text() : picked;
}

QString ProjectListDialog::chosen() const {
    const auto rows = table_->selectionModel()->selectedRows();
    return rows.isEmpty() ? QString() : table_->item(rows.front().row(), 0)->text();
}

void ProjectListDialog::reload() {
    StoreError error;
    const auto projects = listProjects(store_, &error);
    projects_ = projects.value_or(std::vector<ProjectSummary>{});
    status_->setText(projects ? QString() : error.text());
    showMatching();
}

void ProjectListDialog::showMatching() {
    const QString filter = filtering_ ? name_->text().trimmed() : QString();
    table_->setRowCount(0);
    for (const ProjectSummary& p : projects_) {
        if (!p.name.contains(filter, Qt::CaseInsensitive)) continue;
        const int row = table_->rowCount();
        table_->insertRow(row);
        const QStringList cells{p.name, QString::number(p.number), QString::number(p.elements),
                                savedText(p.savedAt), p.draft ? draftMark() : QString()};
        for (int c = 0; c < cells.size(); ++c) table_->setItem(row, c, new QTableWidgetItem(cells[c]));
    }
}

void ProjectListDialog::setFilterText(const QString& text) {
    filtering_ = true;
    name_->setText(text);
    showMatching();
}

QStringList ProjectListDialog::shownRows() const {
    QStringList rows;
    for (int r = 0; r < table_->rowCount(); ++r)
        rows << QStringLiteral("%1|%2|%3")
                        .arg(table_->item(r, 0)->text(), table_->item(r, 1)->text(),
                             table_->item(r, 2)->text()) +
                    (table_->item(r, 4)->text().isEmpty()
                         ? QString()
                         : QLatin1Char('|') + table_->item(r, 4)->text());
    return rows;
}

void ProjectListDialog::deleteChosen() {
    const QString target = name();
    if (target.isEmpty() ||
        !prompts_.confirm(QCoreApplication::translate("ProjectListDialog",
                                                      "確定要刪除專案 %1 嗎? 刪除後無法復原。")
                              .arg(target),
                          Prompts::Answer::No))
        return;
    StoreError error;
    switch (deleteProject(store_, target, &error)) {
        case CatalogChange::Done:
            // The deleted name is no name to load any more: the box empties, the whole list
            // shows again, and the keys go on in the list.
            name_->clear();
            filtering_ = false;
            break;
        case CatalogChange::NotFound: prompts_.message(noSuchProjectMessage()); break;
        default: prompts_.message(error.text());
    }
    reload();
    table_->setFocus();
}

void ProjectListDialog::renameChosen() {
    const QString from = name();
    if (from.isEmpty()) return;
    const std::optional<QString> to =
        prompts_.input(QCoreApplication::translate("ProjectListDialog", "新的專案名稱:"), QCoreApplication::translate("ProjectListDialog", "重新命名"), from);
    if (!to || *to == from) return;
    if (to->trimmed().isEmpty()) {
        prompts_.message(QCoreApplication::translate("ProjectListDialog", "請輸入 Project 名稱"));
        return;
    }
    StoreError error;
    switch (renameProject(store_, from, *to, &error)) {
        case CatalogChange::Done: name_->setText(*to); break;
        case CatalogChange::NameTaken:
            prompts_.message(QCoreApplication::translate("ProjectListDialog", "已經有名為 %1 的專案").arg(*to));
            break;
        case CatalogChange::NotFound: prompts_.message(noSuchProjectMessage()); break;
        default: prompts_.message(error.text());
    }
    reload();
}
