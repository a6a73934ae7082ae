#include "conversionjob.h"

#include <QSaveFile>

#include "checkdiagram.h"
#include "explanationsheet.h"
#include "mapping.h"
#include "workbook.h"
#include "workbooklimits.h"
#include "xlsx.h"

std::optional<ConvertResult> ConversionJob::check() {
    // The mapping reads participations as "min,max" texts, which only enhanced mode writes.
    if (!editor_.diagram().settings.enhancedMode())
        return ConvertResult{ConvertResult::Status::Refused, textbookModeRefusal()};
    if (!CheckDiagram(editor_)) return ConvertResult{ConvertResult::Status::Refused, QString()};
    // The defaults may have changed what an earlier mapping saw.
    model_.reset();
    return std::nullopt;
}

const RelationalModel& ConversionJob::model() {
    if (!model_) model_ = mapDiagram(editor_.diagram());
    return *model_;
}

ConvertResult ConversionJob::writeWorkbook(const QString& path, int fkpk, Progress* progress) {
    // Stages: mapping, layout, explanations, the package (most of the time), the file.
    constexpr int kStages = 5;
    const ConvertResult cancelled{ConvertResult::Status::Cancelled, QString()};
    const Diagram& diagram = editor_.diagram();
    if (const auto problem = workbookLimitProblem(model(), diagram))
        return {ConvertResult::Status::Refused, *problem};
    if (!proceed(progress, 1, kStages)) return cancelled;
    Workbook book = layOutWorkbook(model(), fkpk);
    if (!proceed(progress, 2, kStages)) return cancelled;
    book.more.push_back(explanationSheet(model(), diagram));
    if (!proceed(progress, 3, kStages)) return cancelled;
    QString error;
    const std::optional<QByteArray> bytes = Xlsx::package(book, &error);
    if (!bytes) return {ConvertResult::Status::Failed, error};
    if (!proceed(progress, 4, kStages)) return cancelled;
    if (!Xlsx::writeFile(*bytes, path, &error)) return {ConvertResult::Status::Failed, error};
    proceed(progress, kStages, kStages);
    return {ConvertResult::Status::Written, QString()};
}

ConvertResult ConversionJob::sqlScript(SqlDialect dialect, QString* text, QStringList* warnings) {
    if (const auto refused = sqlScriptRefusal(model(), dialect))
        return {ConvertResult::Status::Refused, *refused};
    *text = ::sqlScript(model(), editor_.diagram(), dialect, warnings);
    return {ConvertResult::Status::Written, QString()};
}

ConvertResult ConversionJob::writeSqlScript(const QString& path, SqlDialect dialect,
                                            QStringList* warnings) {
    QString script;
    const ConvertResult made = sqlScript(dialect, &script, warnings);
    if (!made.ok()) return {ConvertResult::Status::Failed, made.error};
    const QByteArray text = script.toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        return {ConvertResult::Status::Failed, file.errorString()};
    return {ConvertResult::Status::Written, QString()};
}

ConvertResult ConversionJob::run(const QString& path, std::optional<int> fkpk, Progress* progress) {
    if (auto refused = check()) return *refused;
    return writeWorkbook(path, fkpk.value_or(editor_.diagram().settings.FKPK), progress);
}
