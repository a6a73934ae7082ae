#include "explanationsheet.h"

#include <QCoreApplication>

#include "cellwidths.h"
#include "schematext.h"
#include "workbooklimits.h"

namespace {

QString kindName(const Element& e) {
    if (e.is(KindEntity)) return QCoreApplication::translate("ExplanationSheet", "實體");
    if (e.is(KindWeakEntity)) return QCoreApplication::translate("ExplanationSheet", "弱實體");
    if (e.is(KindAttribute)) return QCoreApplication::translate("ExplanationSheet", "屬性");
    if (e.is(KindMultAttribute)) return QCoreApplication::translate("ExplanationSheet", "多值屬性");
    if (e.is(KindRelationship)) return QCoreApplication::translate("ExplanationSheet", "關係");
    if (e.is(KindWeakRelationship))
        return QCoreApplication::translate("ExplanationSheet", "識別關係");
    if (e.is(KindSpecialization)) return QCoreApplication::translate("ExplanationSheet", "特殊化");
    if (e.is(KindCategory)) return QCoreApplication::translate("ExplanationSheet", "類別");
    return QCoreApplication::translate("ExplanationSheet", "元素");
}

}  // namespace

QString describeElement(const Diagram& d, int element) {
    if (!d.isElement(element)) return QString();
    const Element& e = d.element(element);
    return kindName(e) + QLatin1Char(' ') + e.Caption;
}

Worksheet explanationSheet(const RelationalModel& model, const Diagram& diagram) {
    Worksheet sheet(QCoreApplication::translate("ExplanationSheet", "對映說明"));
    const QStringList header = {QCoreApplication::translate("ExplanationSheet", "關聯"),
                                QCoreApplication::translate("ExplanationSheet", "欄位"),
                                QCoreApplication::translate("ExplanationSheet", "主鍵"),
                                QCoreApplication::translate("ExplanationSheet", "外鍵"),
                                QCoreApplication::translate("ExplanationSheet", "參照關聯"),
                                QCoreApplication::translate("ExplanationSheet", "參照欄位"),
                                QCoreApplication::translate("ExplanationSheet", "來源元素"),
                                QCoreApplication::translate("ExplanationSheet", "規則"),
                                QCoreApplication::translate("ExplanationSheet", "說明")};
    for (int c = 0; c < header.size(); ++c) {
        Cell& cell = sheet.cell(1, c + 1);
        cell.text = header[c];
        cell.font.bold = true;
    }
    const std::vector<std::vector<ColumnReference>> references = columnReferences(model);
    int row = 1;
    for (const OutputStep& step : model.steps) {
        const Relation& relation = model.relations[size_t(step.relation)];
        for (int i = step.firstColumn; i < step.firstColumn + step.columnCount; ++i) {
            const Column& column = relation.columns[size_t(i)];
            ++row;
            Cell& name = sheet.cell(row, 1);
            name.text = relation.name;
            name.font.bold = true;
            sheet.cell(row, 2).text = column.name;
            if (column.key)
                sheet.cell(row, 3).text = QCoreApplication::translate("ExplanationSheet", "主鍵");
            if (column.references) {
                sheet.cell(row, 4).text = QCoreApplication::translate("ExplanationSheet", "外鍵");
                const ColumnReference& ref = references[size_t(step.relation)][size_t(i)];
                sheet.cell(row, 5).text = ref.relation;
                sheet.cell(row, 6).text = ref.column;
            }
            // Sentences quote captions: the longest are cut where a cell ends.
            sheet.cell(row, 7).text = describeElement(diagram, columnSource(relation, column))
                                          .left(WorkbookLimits::kCellText);
            sheet.cell(row, 8).text = ruleTitle(column.why.rule);
            sheet.cell(row, 9).text = column.why.reason.left(WorkbookLimits::kCellText);
        }
    }
    CellWidths::fitColumns(sheet);
    return sheet;
}
