#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "specializationlines.h"

namespace {

QStringList texts(const std::vector<ReviewLine>& lines) {
    QStringList out;
    for (const ReviewLine& line : lines) {
        QString text;
        for (const ReviewRun& run : line.runs) text += run.text + QStringLiteral("|") + run.href;
        out << text;
    }
    return out;
}

}  // namespace

// One linked line per live circle: specializations with their mark, choice of total or partial,
// mapping and defining attribute; categories as the union of their superclasses.
TEST(SpecializationLines, ListCirclesWithTheirChoices) {
    DiagramBuilder b;
    const int employee = b.entity("EMPLOYEE");
    const int secretary = b.entity("SECRETARY");
    const int engineer = b.entity("ENGINEER");
    const int jobType = b.attribute(employee, "Job_type");
    const int person = b.entity("PERSON");
    const int bank = b.entity("BANK");
    const int owner = b.entity("OWNER");
    const int byJob = b.specialization(employee, {secretary, engineer});
    b.editor.setDefiningAttribute(byJob, jobType);
    const int union_ = b.category({person, bank}, owner, true);
    const int gone = b.specialization(employee, {owner}, true, true);
    b.editor.setSubclassMapping(gone, SubclassMapping::TypeFlags);
    EXPECT_EQ(texts(specializationLines(b.d)).size(), 3);
    b.editor.deleteSpecialization(gone);

    EXPECT_EQ(texts(specializationLines(b.d)),
              (QStringList{QStringLiteral("EMPLOYEE ⊃ d {SECRETARY, ENGINEER}, 部分, 對映 8A, "
                                          "定義屬性 Job_type|e:%1")
                               .arg(byJob),
                           QStringLiteral("OWNER = ∪ {PERSON, BANK}, 全部|e:%1").arg(union_)}));
}
