#include "convert.h"

#include <QDir>
#include <QStandardPaths>

#include "checkdiagram.h"
#include "explanationsheet.h"
#include "mapping.h"
#include "workbook.h"
#include "workbooklimits.h"
#include "xlsx.h"

QString textbookModeRefusal() {
    return QStringLiteral("轉換只能在增強模式 (min,max 表示法) 下進行");
}

std::optional<ConvertResult> refuseConversion(Editor& editor) {
    // The mapping reads participations as "min,max" texts, which only enhanced mode writes.
    if (!editor.diagram().settings.enhancedMode())
        return ConvertResult{ConvertResult::Status::Refused, textbookModeRefusal()};
    if (!CheckDiagram(editor)) return ConvertResult{ConvertResult::Status::Refused, QString()};
    return std::nullopt;
}

ConvertResult convertDiagram(Editor& editor, const QString& outputPath, std::optional<int> fkpk) {
    if (auto refused = refuseConversion(editor)) return *refused;
    const Diagram& diagram = editor.diagram();
    return writeWorkbook(diagram, outputPath, fkpk.value_or(diagram.settings.FKPK));
}

ConvertResult writeWorkbook(const Diagram& diagram, const QString& outputPath, int fkpk) {
    const RelationalModel model = mapDiagram(diagram);
    if (const auto problem = workbookLimitProblem(model, diagram))
        return {ConvertResult::Status::Refused, *problem};
    Workbook book = layOutWorkbook(model, fkpk);
    book.more.push_back(explanationSheet(model, diagram));
    QString error;
    if (!Xlsx::save(book, outputPath, &error)) return {ConvertResult::Status::Failed, error};
    return {ConvertResult::Status::Written, QString()};
}

QString defaultWorkbookPath(const QString& projectName) {
    return defaultDocumentPath(projectName, QStringLiteral(".xlsx"));
}

QString defaultDocumentPath(const QString& projectName, const QString& extension) {
    QString name = projectName;
    // A project name is free text; a separator in it must not lead the file elsewhere.
    name.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    if (name.trimmed().isEmpty()) name = QStringLiteral("Relvane");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(folder).filePath(name + extension);
}
