// The Save and Load buttons of the main window.
#include "checkdiagram.h"

#include <QCoreApplication>

#include "editor.h"
#include "projectstore.h"

namespace {

const QString kNamePrompt = QStringLiteral("What's your project name");
const QString kNameTitle = QStringLiteral("Project Name");
QString confirmClear() {
    return QCoreApplication::translate("ProjectCommands",
                                       "載入 Project 會清除目前的圖形, 要繼續嗎?");
}
QString blankName() {
    return QCoreApplication::translate("ProjectCommands", "請輸入 Project 名稱");
}

// The typed name becomes the current project name and the setting.
void recordProjectName(Diagram& diagram, const ProjectNameSetting& setting, const QString& name) {
    diagram.view.projectName = name;
    if (setting.write) setting.write(name);
    diagram.notifyView();
}

// The diagram now is project `name` in the store: the caption says so.
void markStored(Diagram& diagram, const QString& name) {
    diagram.view.storedName = name;
    diagram.view.captionName = name;
    diagram.notifyView();
}

bool hasVisibleElements(const Diagram& diagram) {
    for (int i = 1; i < diagram.elementCount(); ++i)
        if (diagram.element(i).Visible) return true;
    return false;
}

}  // namespace

QString noSuchProjectMessage() {
    return QCoreApplication::translate("ProjectCommands", "資料庫內沒有這個 Project");
}

QString skippedRowsMessage(int rows) {
    return QCoreApplication::translate("ProjectCommands", "有 %1 筆資料無法載入, 已略過").arg(rows);
}

bool saveProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting,
                 Progress* progress) {
    Diagram& diagram = editor.diagram();
    Prompts& prompts = editor.prompts();
    if (!CheckDiagram(editor)) return false;
    const QString preset = nameSetting.read ? nameSetting.read() : diagram.view.projectName;
    const std::optional<QString> name = prompts.input(kNamePrompt, kNameTitle, preset);
    if (!name) return false;
    if (name->trimmed().isEmpty()) {
        prompts.message(blankName());
        return false;
    }
    recordProjectName(diagram, nameSetting, *name);
    // Saving over another stored project is asked first; saving again under the name this
    // diagram came from or went to is not. When the store cannot be read, the save says why.
    if (*name != diagram.view.storedName && store.contains(*name).value_or(false) &&
        !prompts.confirm(
            QCoreApplication::translate("ProjectCommands", "Project %1 已存在, 要覆蓋嗎?")
                .arg(*name)))
        return false;
    const auto result = store.saveAs(diagram, *name, progress);
    if (!result.ok) {
        // Stopped by the user: the store kept its previous version, nothing to tell.
        if (!result.cancelled) prompts.message(result.error.text());
        return false;
    }
    markStored(diagram, *name);
    editor.markSaved();
    return true;
}

bool loadProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting,
                 const ProjectChooser& choose, Progress* progress) {
    Diagram& diagram = editor.diagram();
    Prompts& prompts = editor.prompts();
    if (hasVisibleElements(diagram) && !prompts.confirm(confirmClear())) return false;
    const std::optional<QString> name =
        choose ? choose(kNamePrompt, kNameTitle, diagram.view.projectName)
               : prompts.input(kNamePrompt, kNameTitle, diagram.view.projectName);
    if (!name) return false;
    recordProjectName(diagram, nameSetting, *name);
    const auto result = store.loadInto(editor, *name, progress);
    switch (result.status) {
        case ProjectStore::LoadResult::Status::Cancelled:
            return false;
        case ProjectStore::LoadResult::Status::NotFound:
            prompts.message(noSuchProjectMessage());
            return false;
        case ProjectStore::LoadResult::Status::Failed:
            prompts.message(result.error.text());
            return false;
        case ProjectStore::LoadResult::Status::Loaded:
            break;
    }
    if (result.skippedRows > 0 || !result.failedSteps.isEmpty()) {
        QStringList lines;
        if (result.skippedRows > 0) lines << skippedRowsMessage(result.skippedRows);
        lines << result.failedSteps;
        prompts.message(lines.join(QLatin1Char('\n')));
    }
    markStored(diagram, *name);
    editor.markSaved();
    return true;
}
