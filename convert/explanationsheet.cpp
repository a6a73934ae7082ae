#include "explanationsheet.h"

#include "schematext.h"
#include "workbooklimits.h"

namespace {

QString kindName(const Element& e) {
    if (e.is(KindEntity)) return QStringLiteral("實體");
    if (e.is(KindWeakEntity)) return QStringLiteral("弱實體");
    if (e.is(KindAttribute)) return QStringLiteral("屬性");
    if (e.is(KindMultAttribute)) return QStringLiteral("多值屬性");
    if (e.is(KindRelationship)) return QStringLiteral("關係");
    if (e.is(KindWeakRelationship)) return QStringLiteral("識別關係");
    return QStringLiteral("元素");
}

}  // namespace

QString describeElement(const Diagram& d, int element) {
    if (!d.isElement(element)) return QString();
    const Element& e = d.element(element);
    return kindName(e) + QLatin1Char(' ') + e.Caption;
}

Worksheet explanationSheet(const RelationalModel& model, const Diagram& diagram) {
    Worksheet sheet(QStringLiteral("對映說明"));
    const QStringList header = {
        QStringLiteral("關聯"),     QStringLiteral("欄位"),     QStringLiteral("主鍵"),
        QStringLiteral("外鍵"),     QStringLiteral("參照關聯"), QStringLiteral("參照欄位"),
        QStringLiteral("來源元素"), QStringLiteral("規則"),     QStringLiteral("說明")};
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
            if (column.key) sheet.cell(row, 3).text = QStringLiteral("主鍵");
            if (column.references) {
                sheet.cell(row, 4).text = QStringLiteral("外鍵");
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
    return sheet;
}
