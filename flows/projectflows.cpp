#include "projectflows.h"

#include <QCoreApplication>

#include "checkdiagram.h"
#include "editor.h"

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

// The typed name becomes the name typed last and the setting.
void recordProjectName(Editor& editor, const ProjectNameSetting& setting, const QString& name) {
    if (setting.write) setting.write(name);
    editor.nameProject(std::nullopt, name);
}

bool hasVisibleElements(const Diagram& diagram) {
    for (int i = 1; i < diagram.elementCount(); ++i)
        if (diagram.element(i).Visible) return true;
    return false;
}

// Whether the diagram is project `name` of `store`: loaded from it or last saved as it here.
bool isOwnProject(const Diagram& diagram, const ProjectStore& store, const QString& name) {
    const ProjectIdentity& project = diagram.view.project;
    return !project.stored.isEmpty() && project.stored == name && project.store == store.place();
}

// The defects that keep the diagram from being saved as a project, one a line; empty when it
// passes (missing participations are filled in, not refused), and for an empty diagram, which
// has nothing to keep even as a draft (validation's message says so).
QString failures(const Diagram& diagram) {
    QStringList lines;
    for (const DiagramProblem& problem : findProblems(diagram)) {
        if (problem.kind == DiagramProblem::Kind::Empty) return QString();
        if (!problem.isNote()) lines << problem.message;
    }
    return lines.join(QLatin1Char('\n'));
}

// The name to save under, asked for unless the diagram's own project is wanted; nullopt when the
// user stops.
std::optional<QString> saveName(const ProjectStore& store, Editor& editor,
                                const ProjectNameSetting& nameSetting, SaveTarget target) {
    const Diagram& diagram = editor.diagram();
    Prompts& prompts = editor.prompts();
    const ProjectIdentity& project = diagram.view.project;
    if (target == SaveTarget::Current && isOwnProject(diagram, store, project.stored))
        return project.stored;
    const std::optional<QString> name = prompts.input(kNamePrompt, kNameTitle, project.name);
    if (!name) return std::nullopt;
    if (name->trimmed().isEmpty()) {
        prompts.message(blankName());
        return std::nullopt;
    }
    recordProjectName(editor, nameSetting, *name);
    // Another stored project is replaced only when the user says so. When the store cannot be
    // read, the save says why.
    if (!isOwnProject(diagram, store, *name) && store.contains(*name).value_or(false) &&
        !prompts.confirm(
            QCoreApplication::translate("ProjectCommands", "Project %1 已存在, 要覆蓋嗎?")
                .arg(*name),
            Prompts::Answer::No))
        return std::nullopt;
    return name;
}

}  // namespace

bool saveProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting,
                 Progress* progress, SaveTarget target) {
    const Diagram& diagram = editor.diagram();
    Prompts& prompts = editor.prompts();
    // Validation first, as always; a diagram it refuses is stored only as the user's draft.
    const QString refused = failures(diagram);
    const bool draft = !refused.isEmpty();
    if (draft) {
        if (!prompts.offerDraft(QCoreApplication::translate("ProjectCommands",
                                                            "圖形還不能儲存為 Project:\n%1\n\n"
                                                            "可以先儲存為草稿, 日後再完成。")
                                    .arg(refused)))
            return false;
    } else if (!CheckDiagram(editor)) {
        return false;
    }
    const std::optional<QString> name = saveName(store, editor, nameSetting, target);
    if (!name) return false;
    const auto result = store.saveAs(diagram, *name, progress, draft);
    if (!result.ok) {
        // Stopped by the user: the store kept its previous version, nothing to tell.
        if (!result.cancelled) prompts.message(result.error.text());
        return false;
    }
    editor.nameProject(ProjectIdentity{*name, *name, store.place(), draft});
    editor.markSaved();
    return true;
}

bool loadProject(const ProjectStore& store, Editor& editor, const ProjectNameSetting& nameSetting,
                 const ProjectChooser& choose, Progress* progress) {
    const Diagram& diagram = editor.diagram();
    Prompts& prompts = editor.prompts();
    if (hasVisibleElements(diagram) && !prompts.confirm(confirmClear(), Prompts::Answer::No))
        return false;
    // The same prompt as Save's, under a title that says the name is loaded.
    const QString title = QCoreApplication::translate("ProjectCommands", "載入 Project");
    const std::optional<QString> name =
        choose ? choose(kNamePrompt, title, diagram.view.projectName)
               : prompts.input(kNamePrompt, title, diagram.view.projectName);
    if (!name) return false;
    return loadNamedProject(store, editor, *name, nameSetting, progress);
}

bool loadNamedProject(const ProjectStore& store, Editor& editor, const QString& name,
                      const ProjectNameSetting& nameSetting, Progress* progress) {
    Prompts& prompts = editor.prompts();
    recordProjectName(editor, nameSetting, name);
    const auto result = store.loadInto(editor, name, progress);
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
    if (result.skippedRows > 0) prompts.message(skippedRowsMessage(result.skippedRows));
    editor.markSaved();
    return true;
}
