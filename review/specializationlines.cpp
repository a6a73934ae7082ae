#include "specializationlines.h"

#include <QCoreApplication>
#include <QStringList>

#include "classlinks.h"
#include "diagram.h"

namespace {

QString braced(const Document& doc, const std::vector<int>& classes) {
    return QStringLiteral("{") + classCaptions(doc, classes) + QStringLiteral("}");
}

}  // namespace

std::vector<ReviewLine> specializationLines(const Diagram& diagram) {
    const Document& doc = diagram.document();
    std::vector<ReviewLine> lines;
    for (int i = 1; i < doc.elementCount(); ++i) {
        if (!doc.isLiveElement(i) || !doc.element(i).isSpecializationKind()) continue;
        const Element& circle = doc.element(i);
        const ClassLinks links = classLinksOf(doc, i);
        QStringList parts;
        const QString mark = specializationMark(circle);
        if (circle.is(KindCategory))
            parts << QStringLiteral("%1 = %2 %3")
                         .arg(classCaptions(doc, links.subclasses), mark,
                              braced(doc, links.superclasses));
        else
            parts << QStringLiteral("%1 ⊃ %2 %3")
                         .arg(classCaptions(doc, links.superclasses), mark,
                              braced(doc, links.subclasses));
        parts << (circle.Total ? QCoreApplication::translate("SpecializationLines", "全部")
                               : QCoreApplication::translate("SpecializationLines", "部分"));
        if (circle.is(KindSpecialization)) {
            parts << QCoreApplication::translate("SpecializationLines", "對映 %1")
                         .arg(subclassMappingName(circle.Mapping));
            if (doc.isLiveElement(circle.DefiningAttribute))
                parts << QCoreApplication::translate("SpecializationLines", "定義屬性 %1")
                             .arg(doc.element(circle.DefiningAttribute).Caption);
        }
        ReviewRun run;
        run.text = parts.join(QStringLiteral(", "));
        run.href = QStringLiteral("e:%1").arg(i);
        lines.push_back({ReviewLine::Kind::Item, ReviewTone::Schema, {run}});
    }
    return lines;
}
