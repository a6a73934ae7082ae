#pragma once

#include <QDialog>
#include <vector>

#include "projectcatalog.h"

class Prompts;
class QLabel;
class QLineEdit;
class QTableWidget;

// Load's name box as a list of the store's projects (name, number, elements, last save) with a
// filter: the text typed filters the list and is the name loaded, so typing a name works as the
// plain name box did; a click on a row takes its name. "刪除" and "重新命名" change the store
// (asking first) and the list follows.
class ProjectListDialog : public QDialog {
    Q_OBJECT
public:
    ProjectListDialog(const ProjectStore& store, Prompts& prompts, const QString& prompt,
                      const QString& title, const QString& preset, QWidget* parent = nullptr);

    QString name() const;
    // The rows shown, as "name|number|elements" (tests read the list through it).
    QStringList shownRows() const;
    void setFilterText(const QString& text);
    // Delete and rename act on the row picked, else on the name typed.
    void deleteChosen();
    void renameChosen();

private:
    void reload();
    void showMatching();
    QString chosen() const;

    const ProjectStore& store_;
    Prompts& prompts_;
    QLineEdit* name_;
    QTableWidget* table_;
    QLabel* status_;
    std::vector<ProjectSummary> projects_;
    bool filtering_ = false;  // whether the name typed narrows the list yet
};
