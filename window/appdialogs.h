#pragma once

#include <QString>
#include <optional>

#include "picturedialog.h"
#include "printing.h"

class QPrinter;

class ProjectStore;

// Where File -> "匯出 SQL..." writes and the database system the script is for, named as the
// command line's --dialect names it ("sqlite", "postgresql", "mysql").
struct SqlScriptTarget {
    QString path;
    QString dialect;
};

// The program's choosing dialogs beside the little ones of `Prompts`: where the commands of the
// File menu write, which file or project they read, and the desktop's opening of a written
// workbook. The program answers with the real file dialogs and the project list; tests answer
// from a script. Every chooser gives nullopt when the user cancels.
class AppDialogs {
public:
    virtual ~AppDialogs() = default;

    // Where "Convert" writes, preset to `defaultPath`. A path ending in ".sql" asks for the SQL
    // script instead of the workbook.
    virtual std::optional<QString> chooseWorkbookPath(const QString& defaultPath) = 0;
    // Opens the written workbook in the desktop's spreadsheet program; when no program can, the
    // user is told where the workbook is (perhaps later: the program is watched, not waited for).
    virtual void openWorkbook(const QString& path) = 0;
    // Where File -> "匯出 SQL..." writes its script, preset to `defaultPath`, and for which
    // database system, preset to `dialect` (one file type per system).
    virtual std::optional<SqlScriptTarget> chooseSqlScriptPath(const QString& defaultPath,
                                                               const QString& dialect) = 0;
    // Where File -> "匯出圖片..." writes, preset to `defaultPath`, and the PNG's scale.
    virtual std::optional<PictureTarget> choosePicturePath(const QString& defaultPath) = 0;
    // File -> "列印...": the printer, its page setup and the scale, asked for with `printer` and
    // `scale` as preset; false when the user cancels.
    virtual bool setUpPrinter(QPrinter& printer, PrintScale& scale) = 0;
    // File -> "預覽列印...": the pages `paint` prints shown on `printer`, with the scale preset
    // to `scale` and left at the one last shown; printed from there when the user asks.
    virtual void previewPrint(QPrinter& printer, PrintScale& scale, const PrintPages& paint) = 0;
    // Where File -> "匯出專案檔..." writes, preset to `defaultPath`, and which project file
    // "匯入專案檔..." reads.
    virtual std::optional<QString> chooseProjectFileToWrite(const QString& defaultPath) = 0;
    virtual std::optional<QString> chooseProjectFileToRead() = 0;
    // The project Load opens from `store`, asked with the name box's prompt, title and preset
    // name.
    virtual std::optional<QString> chooseProjectToLoad(const ProjectStore& store,
                                                       const QString& prompt, const QString& title,
                                                       const QString& preset) = 0;
    // The reference answer of File -> "與參考答案比較...": a stored project's name (the diagram's
    // own project, `ownProject`, is offered), or "file:" and the path of a project file.
    virtual std::optional<QString> chooseReference(const QString& ownProject) = 0;
    // The rubric file the comparison is priced by.
    virtual std::optional<QString> chooseRubricFile() = 0;
};
