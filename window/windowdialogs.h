#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include "appdialogs.h"

class Prompts;

// AppDialogs answered by the real file dialogs and the project list, modal over `parent`; what
// they have to tell goes through `prompts`. The desktop programs that open workbooks are watched
// by this object and forgotten with it.
class WindowDialogs : public QObject, public AppDialogs {
public:
    WindowDialogs(Prompts& prompts, QWidget* parent);

    std::optional<QString> chooseWorkbookPath(const QString& defaultPath) override;
    void openWorkbook(const QString& path) override;
    std::optional<SqlScriptTarget> chooseSqlScriptPath(const QString& defaultPath,
                                                       const QString& dialect) override;
    std::optional<PictureTarget> choosePicturePath(const QString& defaultPath) override;
    bool setUpPrinter(QPrinter& printer, PrintScale& scale) override;
    void previewPrint(QPrinter& printer, PrintScale& scale, const PrintPages& paint) override;
    std::optional<QString> chooseProjectFileToWrite(const QString& defaultPath) override;
    std::optional<QString> chooseProjectFileToRead() override;
    std::optional<QString> chooseProjectToLoad(const ProjectStore& store, const QString& prompt,
                                               const QString& title,
                                               const QString& preset) override;
    std::optional<QString> chooseReference(const QString& ownProject) override;
    std::optional<QString> chooseRubricFile() override;

private:
    void workbookNotOpened(const QString& path);

    Prompts& prompts_;
    QPointer<QWidget> parent_;
};
