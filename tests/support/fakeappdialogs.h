#pragma once

// Header only: the support library sits below the windows, and only the tests that run the whole
// program (and so link the windows) use it.

#include <QDialog>
#include <QPrinter>
#include <QStringList>
#include <deque>
#include <functional>

#include "appdialogs.h"
#include "fakeprompts.h"
#include "projectlistdialog.h"

// AppDialogs answered from a script. Each file chooser gives the answer set for it every time it
// is asked (nullopt, the default, counts as Cancel) and records the path it was preset to. Load's
// project choice opens the real project list over the store Load reads, and a queued answer acts
// on it as the user would.
class FakeAppDialogs : public AppDialogs {
public:
    std::optional<QString> workbookPath, sqlScriptPath, projectFileToWrite, projectFileToRead,
        reference, rubricFile;
    std::optional<PictureTarget> picture;
    // The system chosen in the SQL script's save dialog; empty keeps the one it was preset to,
    // which is recorded in `dialectPresets`.
    QString sqlDialect;
    QStringList dialectPresets;

    // The paths the save dialogs were preset to, in order, and the workbooks opened.
    QStringList presets;
    QStringList openedWorkbooks;
    // What the project list showed each time it opened ("name|number|elements" rows) and the
    // name it was preset to.
    std::vector<QStringList> projectLists;
    QStringList projectPresets;
    // The prompts the project list's own questions (刪除, 重新命名) go to.
    FakePrompts listPrompts;

    // Types `name` into the list's name box and presses OK.
    void answerProject(const QString& name) {
        projectAnswers_.push_back([name](ProjectListDialog& list) -> std::optional<QString> {
            list.setFilterText(name);
            return list.name();
        });
    }
    // Acts on the open list (picks a row, deletes, ...) and answers OK with the name the list
    // then holds, or Cancel with nullopt. With nothing queued the list is cancelled.
    using ListAction = std::function<std::optional<QString>(ProjectListDialog&)>;
    void answerProject(ListAction act) { projectAnswers_.push_back(std::move(act)); }

    std::optional<QString> chooseWorkbookPath(const QString& defaultPath) override {
        return preset(defaultPath, workbookPath);
    }
    void openWorkbook(const QString& path) override { openedWorkbooks << path; }
    std::optional<SqlScriptTarget> chooseSqlScriptPath(const QString& defaultPath,
                                                       const QString& dialect) override {
        dialectPresets << dialect;
        const std::optional<QString> path = preset(defaultPath, sqlScriptPath);
        if (!path) return std::nullopt;
        return SqlScriptTarget{*path, sqlDialect.isEmpty() ? dialect : sqlDialect};
    }
    std::optional<PictureTarget> choosePicturePath(const QString& defaultPath) override {
        return preset(defaultPath, picture);
    }
    // The PDF file the print dialog and the preview's Print send the pages to (nullopt cancels),
    // the scale chosen there, and how often the preview opened.
    std::optional<QString> printPdf;
    PrintScale printScale = PrintScale::FitToPage;
    int previews = 0;
    bool setUpPrinter(QPrinter& printer, PrintScale& scale) override {
        if (!printPdf) return false;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(*printPdf);
        scale = printScale;
        return true;
    }
    void previewPrint(QPrinter& printer, PrintScale& scale, const PrintPages& paint) override {
        ++previews;
        if (setUpPrinter(printer, scale)) paint(printer, scale);
    }
    std::optional<QString> chooseProjectFileToWrite(const QString& defaultPath) override {
        return preset(defaultPath, projectFileToWrite);
    }
    std::optional<QString> chooseProjectFileToRead() override { return projectFileToRead; }
    std::optional<QString> chooseProjectToLoad(const ProjectStore& store, const QString& prompt,
                                               const QString& title,
                                               const QString& preset) override {
        ProjectListDialog list(store, listPrompts, prompt, title, preset);
        projectLists.push_back(list.shownRows());
        projectPresets << preset;
        if (projectAnswers_.empty()) return std::nullopt;
        const ListAction act = std::move(projectAnswers_.front());
        projectAnswers_.pop_front();
        return act(list);
    }
    std::optional<QString> chooseReference(const QString&) override { return reference; }
    std::optional<QString> chooseRubricFile() override { return rubricFile; }

private:
    template <typename T>
    std::optional<T> preset(const QString& defaultPath, const std::optional<T>& answer) {
        presets << defaultPath;
        return answer;
    }

    std::deque<ListAction> projectAnswers_;
};
