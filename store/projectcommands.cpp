// The Save and Load buttons of the main window.
#include "checkdiagram.h"
#include "editor.h"
#include "projectstore.h"

namespace {

const QString kNamePrompt = QStringLiteral("What's your project name");
const QString kNameTitle = QStringLiteral("Project Name");
const QString kConfirmClear = QStringLiteral("載入 Project 會清除目前的圖形, 要繼續嗎?");

// The answer becomes the current project name and the setting at once; nullopt on Cancel.
std::optional<QString> askProjectName(Diagram& diagram, Prompts& prompts,
                                      const ProjectNameSetting& setting, const QString& preset) {
    std::optional<QString> name = prompts.input(kNamePrompt, kNameTitle, preset);
    if (!name) return std::nullopt;
    diagram.view.projectName = *name;
    if (setting.write) setting.write(*name);
    diagram.notifyView();
    return name;
}

bool hasVisibleElements(const Diagram& diagram) {
    for (int i = 1; i < diagram.elementCount(); ++i)
        if (diagram.element(i).Visible) return true;
    return false;
}

}  // namespace

QString noSuchProjectMessage() {
    return QStringLiteral("資料庫內沒有這個 Project");
}

QString skippedRowsMessage(int rows) {
    return QStringLiteral("有 %1 筆資料無法載入, 已略過").arg(rows);
}

bool saveProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting) {
    Diagram& diagram = editor.diagram();
    Prompts& prompts = editor.prompts();
    if (!CheckDiagram(editor)) return false;
    const QString preset = nameSetting.read ? nameSetting.read() : diagram.view.projectName;
    const auto name = askProjectName(diagram, prompts, nameSetting, preset);
    if (!name) return false;
    const auto result = store.saveAs(diagram, *name);
    if (!result.ok) prompts.message(result.error.text());
    return result.ok;
}

bool loadProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting) {
    Diagram& diagram = editor.diagram();
    Prompts& prompts = editor.prompts();
    if (hasVisibleElements(diagram) && !prompts.confirm(kConfirmClear)) return false;
    const auto name = askProjectName(diagram, prompts, nameSetting, diagram.view.projectName);
    if (!name) return false;
    const auto result = store.loadInto(editor, *name);
    switch (result.status) {
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
    return true;
}
