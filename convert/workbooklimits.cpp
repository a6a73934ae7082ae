#include "workbooklimits.h"

#include <QCoreApplication>

namespace {

// An element named in a message: its caption, shortened when it is the very text that is too long.
QString named(const Diagram& d, int element) {
    if (!d.isElement(element))
        return QCoreApplication::translate("WorkbookLimits", "(元素 %1)").arg(element);
    QString caption = d.element(element).Caption;
    if (caption.size() > 40) caption = caption.left(40) + QStringLiteral("…");
    return QCoreApplication::translate("WorkbookLimits", "%1 (元素 %2)").arg(caption).arg(element);
}

int columnElement(const Column& column) {
    return column.references ? column.references->target : column.element;
}

}  // namespace

std::optional<QString> workbookLimitProblem(const RelationalModel& model, const Diagram& diagram) {
    const qsizetype rows = 3 * qsizetype(model.relations.size());
    if (rows > WorkbookLimits::kRows)
        return QCoreApplication::translate("WorkbookLimits", "關聯共 %1 個, 超過試算表 %2 列的上限")
            .arg(model.relations.size())
            .arg(WorkbookLimits::kRows);
    for (const Relation& relation : model.relations) {
        if (relation.name.size() > WorkbookLimits::kCellText)
            return QCoreApplication::translate("WorkbookLimits",
                                               "%1 的名稱超過試算表一格 %2 字元的上限")
                .arg(named(diagram, relation.element))
                .arg(WorkbookLimits::kCellText);
        if (qsizetype(relation.columns.size()) > WorkbookLimits::kColumns)
            return QCoreApplication::translate("WorkbookLimits",
                                               "%1 的關聯有 %2 欄, 超過試算表 %3 欄的上限")
                .arg(named(diagram, relation.element))
                .arg(relation.columns.size())
                .arg(WorkbookLimits::kColumns);
        for (const Column& column : relation.columns)
            if (column.name.size() > WorkbookLimits::kCellText)
                return QCoreApplication::translate("WorkbookLimits",
                                                   "%1 的名稱超過試算表一格 %2 字元的上限")
                    .arg(named(diagram, columnElement(column)))
                    .arg(WorkbookLimits::kCellText);
    }
    return std::nullopt;
}
