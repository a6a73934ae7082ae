#include "classcomparison.h"

#include <QCoreApplication>
#include <algorithm>
#include <set>

#include "classhierarchy.h"

namespace {

// The classes a circle joins on its anchored side's far end, by comparable caption: a
// specialization's subclasses, a category's superclasses.
std::set<QString> others(const Diagram& d, const ClassHierarchy& h, int circle) {
    const ClassLinks& l = h.links(circle);
    std::set<QString> out;
    for (int e : d.element(circle).is(KindCategory) ? l.superclasses : l.subclasses)
        out.insert(comparableName(d.element(e).Caption));
    return out;
}

// The class a circle is matched by: a specialization's superclass, a category's subclass.
QString anchor(const Diagram& d, const ClassHierarchy& h, int circle) {
    const ClassLinks& l = h.links(circle);
    const std::vector<int>& side =
        d.element(circle).is(KindCategory) ? l.subclasses : l.superclasses;
    return side.empty() ? QString() : d.element(side.front()).Caption;
}

}  // namespace

void compareClasses(const Diagram& student, const Diagram& reference,
                    std::vector<Difference>& differences) {
    const ClassHierarchy mine(student), theirs(reference);
    std::set<int> used;
    std::vector<int> circles = theirs.specializations();
    circles.insert(circles.end(), theirs.categories().begin(), theirs.categories().end());
    std::sort(circles.begin(), circles.end());
    for (int r : circles) {
        const Element& ref = reference.element(r);
        const QString name = anchor(reference, theirs, r);
        const std::set<QString> want = others(reference, theirs, r);
        const auto add = [&](const QString& hint, int s) {
            Difference d{DifferenceCategory::Specialization, name, QString(), hint, s, 0};
            d.referenceElement = r;
            differences.push_back(std::move(d));
        };
        // The student's circle with the same anchor whose other classes overlap most, of either
        // kind; one of the same kind wins a tie.
        int best = 0, bestOverlap = -1;
        for (int pass = 0; pass < 2; ++pass) {
            const bool sameKind = pass == 0;
            const std::vector<int>& pool =
                ref.is(KindCategory) == sameKind ? mine.categories() : mine.specializations();
            for (int s : pool) {
                if (used.count(s) ||
                    comparableName(anchor(student, mine, s)) != comparableName(name))
                    continue;
                int overlap = 0;
                for (const QString& o : others(student, mine, s)) overlap += int(want.count(o));
                if (overlap > bestOverlap) best = s, bestOverlap = overlap;
            }
            if (best) break;
        }
        const QString what =
            ref.is(KindCategory)
                ? QCoreApplication::translate("ErComparison", "類別 %1").arg(name)
                : QCoreApplication::translate("ErComparison", "%1 的特殊化").arg(name);
        if (!best) {
            add(QCoreApplication::translate("ErComparison", "缺少 %1").arg(what), 0);
            continue;
        }
        used.insert(best);
        const Element& s = student.element(best);
        if (s.is(KindCategory) != ref.is(KindCategory)) {
            add(ref.is(KindCategory)
                    ? QCoreApplication::translate("ErComparison",
                                                  "%1 在參考答案是類別 (∪), 這裡畫成特殊化")
                          .arg(name)
                    : QCoreApplication::translate("ErComparison",
                                                  "%1 在參考答案是特殊化, 這裡畫成類別 (∪)")
                          .arg(name),
                best);
            continue;
        }
        if (ref.is(KindSpecialization) && s.Overlapping != ref.Overlapping)
            add(QCoreApplication::translate("ErComparison", "%1在參考答案是 %2, 這裡是 %3")
                    .arg(what, specializationMark(ref), specializationMark(s)),
                best);
        if (s.Total != ref.Total)
            add(ref.Total ? QCoreApplication::translate(
                                "ErComparison", "%1在參考答案是全部參與 (雙線), 這裡是部分參與")
                                .arg(what)
                          : QCoreApplication::translate(
                                "ErComparison", "%1在參考答案是部分參與, 這裡是全部參與 (雙線)")
                                .arg(what),
                best);
        const size_t have = others(student, mine, best).size();
        if (have != want.size())
            add(ref.is(KindCategory)
                    ? QCoreApplication::translate("ErComparison",
                                                  "%1在參考答案有 %2 個超類別, 這裡有 %3 個")
                          .arg(what)
                          .arg(want.size())
                          .arg(have)
                    : QCoreApplication::translate("ErComparison",
                                                  "%1在參考答案有 %2 個子類別, 這裡有 %3 個")
                          .arg(what)
                          .arg(want.size())
                          .arg(have),
                best);
    }
}
