#include "convert.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "checkdiagram.h"
#include "explanationsheet.h"
#include "mapping.h"
#include "workbook.h"
#include "workbooklimits.h"
#include "xlsx.h"

QString textbookModeRefusal() {
    return QCoreApplication::translate("Convert", "轉換只能在增強模式 (min,max 表示法) 下進行");
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

ConvertResult writeWorkbook(const Diagram& diagram, const QString& outputPath, int fkpk,
                            Progress* progress) {
    // Stages: mapping, layout, explanations, the package (most of the time), the file.
    constexpr int kStages = 5;
    const ConvertResult cancelled{ConvertResult::Status::Cancelled, QString()};
    const RelationalModel model = mapDiagram(diagram);
    if (const auto problem = workbookLimitProblem(model, diagram))
        return {ConvertResult::Status::Refused, *problem};
    if (!proceed(progress, 1, kStages)) return cancelled;
    Workbook book = layOutWorkbook(model, fkpk);
    if (!proceed(progress, 2, kStages)) return cancelled;
    book.more.push_back(explanationSheet(model, diagram));
    if (!proceed(progress, 3, kStages)) return cancelled;
    QString error;
    const std::optional<QByteArray> bytes = Xlsx::package(book, &error);
    if (!bytes) return {ConvertResult::Status::Failed, error};
    if (!proceed(progress, 4, kStages)) return cancelled;
    if (!Xlsx::writeFile(*bytes, outputPath, &error)) return {ConvertResult::Status::Failed, error};
    proceed(progress, kStages, kStages);
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
