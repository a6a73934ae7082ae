#include "checkdiagram.h"

#include <QCoreApplication>

#include "classchecks.h"
#include "classhierarchy.h"

namespace {

using Kind = DiagramProblem::Kind;

bool hasKeyAttribute(const Diagram& d, const Element& entity) {
    for (const auto& entry : entity.AttributeList.entries())
        if (d.isElement(entry.item) && d.element(entry.item).underlined()) return true;
    return false;
}

class ProblemFinder {
public:
    explicit ProblemFinder(const Diagram& d) : d_(d), classes_(d) {}

    std::vector<DiagramProblem> run() {
        bool anyVisible = false;
        for (int i = 1; i < d_.elementCount() && !anyVisible; ++i) anyVisible = d_.isLiveElement(i);
        if (!anyVisible) {
            add(Kind::Empty, QCoreApplication::translate("CheckDiagram", "目前沒有任何資料"));
            return std::move(problems_);
        }
        for (int i = 1; i < d_.elementCount(); ++i)
            if (d_.isLiveElement(i)) visitElement(i);
        checkClassCycles(d_, classes_, problems_);
        for (int k = 1; k < d_.connectorCount(); ++k)
            if (d_.isLiveConnector(k) && d_.isRelationshipConnector(k)) visitConnector(k);
        return std::move(problems_);
    }

private:
    void add(Kind kind, const QString& message, int element = 0, int connector = 0) {
        problems_.push_back({kind, message, element, connector});
    }

    void visitElement(int i) {
        const Element& e = d_.element(i);
        if (e.isSpecializationKind()) {
            checkCircle(d_, classes_, i, problems_);
        } else if (e.is(KindEntity)) {
            // A subclass inherits its key, or has a category's surrogate key.
            if (classes_.isSubclass(i)) return;
            // A category's superclass without a key is the category's defect: it says so.
            if (!classes_.categoriesOver(i).empty()) return;
            if (!hasKeyAttribute(d_, e))
                add(Kind::NoKey,
                    QCoreApplication::translate("CheckDiagram", "實體 %1 沒有設定主鍵")
                        .arg(e.Caption),
                    i);
        } else if (e.isAttributeKind()) {
            if (e.RelativeEntityList.isEmpty())
                add(Kind::NoOwner,
                    QCoreApplication::translate("CheckDiagram", "屬性 %1 未設定擁有者!")
                        .arg(e.Caption),
                    i);
        } else if (e.isRelationshipKind()) {
            if (e.RelativeEntityList.count() < 2)
                add(Kind::TooFewEntities,
                    QCoreApplication::translate("CheckDiagram", "關聯實體 %1 的關聯數至少應是 2 個")
                        .arg(e.Caption),
                    i);
        }
    }

    QString captionOf(int i) const { return d_.isElement(i) ? d_.element(i).Caption : QString(); }

    void visitConnector(int k) {
        const Connector& c = d_.connector(k);
        // Each message names the entity and the relationship the connector joins.
        const auto between = [&](const char* text) {
            return QCoreApplication::translate("CheckDiagram", text)
                .arg(captionOf(c.first), captionOf(c.second));
        };

        if (c.Line2.Visible && d_.settings.PresentStyle == 1 &&
            c.MN.Caption != QStringLiteral("1,N"))
            add(Kind::IdentifyingParticipation,
                between(QT_TRANSLATE_NOOP(
                    "CheckDiagram",
                    "Entity %1 與 Relationship %2 之間為弱實體關係, 參與度必須為 1,N")),
                0, k);

        if (c.MN.Caption.isEmpty())
            add(Kind::MissingParticipation,
                between(QT_TRANSLATE_NOOP(
                    "CheckDiagram",
                    "Entity %1 與 Relationship %2 之間的參與度未設定, 已更改為預設值 0,N")),
                0, k);

        // A recursive pair needs its roles: they name the keys it maps to. Any participations
        // will do, many-to-many too (a course and its prerequisite courses).
        if (c.Line1.dotted() && c.Description.Caption.isEmpty())
            add(Kind::NoRole,
                between(QT_TRANSLATE_NOOP("CheckDiagram",
                                          "Entity %1 與 Relationship %2 為遞迴關係, 請設定角色")) +
                    whichRecursiveLine(k),
                0, k);
    }

    // The two lines of a recursive pair join the same entity and relationship, so their
    // messages would read alike: each names its line by its place in the pair and, once set,
    // its participation.
    QString whichRecursiveLine(int k) const {
        const Connector& c = d_.connector(k);
        int place = 0;
        if (d_.isElement(c.second))
            for (int other : d_.connectorsOf(c.second)) {
                if (other > k || !d_.isLiveConnector(other)) continue;
                const Connector& o = d_.connector(other);
                if (o.first == c.first && o.second == c.second && o.Line1.dotted()) ++place;
            }
        if (c.MN.Caption.isEmpty())
            return QCoreApplication::translate("RecursiveLine", " (第 %1 條虛線)").arg(place);
        return QCoreApplication::translate("RecursiveLine", " (第 %1 條虛線, 參與度 %2)")
            .arg(place)
            .arg(c.MN.Caption);
    }

    const Diagram& d_;
    ClassHierarchy classes_;
    std::vector<DiagramProblem> problems_;
};

}  // namespace

std::vector<DiagramProblem> findProblems(const Diagram& diagram) {
    return ProblemFinder(diagram).run();
}

Validation validateDiagram(const Diagram& diagram) {
    Validation found;
    for (const DiagramProblem& problem : findProblems(diagram)) {
        found.messages << problem.message;
        if (!problem.isNote()) {
            found.passed = false;
            break;
        }
        found.defaults.push_back(problem.connector);
    }
    return found;
}

bool CheckDiagram(Editor& editor) {
    const Validation found = validateDiagram(editor.diagram());
    for (const QString& message : found.messages) editor.prompts().message(message);
    if (!found.defaults.empty()) editor.applyDefaultParticipations(found.defaults);
    return found.passed;
}
