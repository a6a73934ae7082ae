#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "diagrambuilder.h"
#include "history.h"
#include "invariants.h"
#include "randomsession.h"
#include "recoverysnapshot.h"

// Random sequences of editor commands (creation, kind menus, connect modes with their clicks and
// Cancel, weak designation, editing, deletion, dragging, the Line menu) checked after every step
// against the relations the diagram model promises for what stays visible (findInconsistency).

namespace {

// The live part of the diagram, for a failure report.
std::string describe(const Diagram& d) {
    QString text;
    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& e = d.element(i);
        text += QString(
                    "  %1%2 kind %3: attributes [%4] relations [%5] related [%6] weak [%7] owners "
                    "[%8]\n")
                    .arg(i)
                    .arg(e.Visible ? "" : " (hidden)")
                    .arg(e.Shape)
                    .arg(e.AttributeList.joined())
                    .arg(e.RelationList.joined())
                    .arg(e.RelativeEntityList.joined())
                    .arg(e.WeakRelationList.joined())
                    .arg(e.PrimaryEntityList.joined());
    }
    for (int k = 1; k < d.connectorCount(); ++k) {
        const Connector& c = d.connector(k);
        if (!c.Line1.Visible) continue;
        text += QString("  connector %1: %2 %3%4%5\n")
                    .arg(k)
                    .arg(QString("%1,%2").arg(c.first).arg(c.second))
                    .arg(d.isAttributeConnector(k) ? "attribute" : "relationship")
                    .arg(c.Line1.dotted() ? " dotted" : "")
                    .arg(c.Line2.Visible ? " doubled" : "");
    }
    return text.toStdString();
}

std::string lastSteps(const std::vector<std::string>& trace, size_t n) {
    std::string text;
    for (size_t i = trace.size() > n ? trace.size() - n : 0; i < trace.size(); ++i)
        text += "  " + std::to_string(i) + ": " + trace[i] + "\n";
    return text;
}

TEST(Invariants, HoldAfterEveryStepOfRandomEditing) {
    // RELVANE_INVARIANT_SEED replays one sequence.
    const QByteArray only = qgetenv("RELVANE_INVARIANT_SEED");
    const unsigned first = only.isEmpty() ? 1u : only.toUInt();
    const unsigned sequences = only.isEmpty() ? 3000u : 1u;
    constexpr int kSteps = 80;
    for (unsigned seed = first; seed < first + sequences; ++seed) {
        RandomSession session(seed);
        for (int step = 0; step < kSteps; ++step) {
            session.step();
            // The first connector of a connection waiting for its second entity has no relation
            // behind it yet either.
            std::set<int> unrelated = session.abandoned;
            if (session.b.d.state.ConnectMode == ConnectMode::SecondEntity)
                unrelated.insert(session.b.d.state.PendingLine);
            const QString problem = findInconsistency(session.b.d, unrelated);
            if (!problem.isEmpty()) {
                FAIL() << "seed " << seed << ", step " << step << ": " << problem.toStdString()
                       << "\nlast steps:\n"
                       << lastSteps(session.trace, 40) << "diagram:\n"
                       << describe(session.b.d);
            }
        }
    }
}

// The check reports an identifying relationship that no live weak entity names any more, and
// only that one: another weak entity's identifying relationship is still named.
TEST(Invariants, AnIdentifyingRelationshipNoWeakEntityNamesIsReported) {
    DiagramBuilder b;
    int weak[2], identifying[2];
    for (int n = 0; n < 2; ++n) {
        const int owner = b.entity(QStringLiteral("Owner%1").arg(n));
        weak[n] = b.entity(QStringLiteral("Weak%1").arg(n));
        identifying[n] = b.relationship(QStringLiteral("Has%1").arg(n));
        b.binary(owner, identifying[n], weak[n]);
        b.makeWeak(weak[n], identifying[n]);
    }
    ASSERT_EQ(findInconsistency(b.d, {}), QString());
    // Weak entity 1 forgets its relationship (and so its owner).
    b.d.element(weak[1]).WeakRelationList.clear();
    b.d.element(weak[1]).PrimaryEntityList.clear();
    EXPECT_EQ(findInconsistency(b.d, {}),
              QStringLiteral("identifying relationship %1 identifies no weak entity")
                  .arg(identifying[1]));
}

// ---- taking every step back and doing it again ----

// Every datum of two documents, templates and hidden entries included, collections included.
std::string differenceBetween(const Document& a, const Document& b) {
    if (a.elementCount() != b.elementCount() || a.connectorCount() != b.connectorCount())
        return "counts " + std::to_string(a.elementCount()) + "/" +
               std::to_string(a.connectorCount()) + " vs " + std::to_string(b.elementCount()) +
               "/" + std::to_string(b.connectorCount());
    for (int i = 0; i < a.elementCount(); ++i)
        if (!(a.element(i) == b.element(i))) return "element " + std::to_string(i);
    for (int k = 0; k < a.connectorCount(); ++k) {
        if (!(a.connector(k) == b.connector(k))) return "connector " + std::to_string(k);
        if (a.connectorsOf(k) != b.connectorsOf(k)) return "index of " + std::to_string(k);
    }
    for (int i = 0; i < a.elementCount(); ++i)
        if (a.connectorsOf(i) != b.connectorsOf(i)) return "index of " + std::to_string(i);
    return {};
}

TEST(History, UndoingEveryStepGivesBackTheStartAndRedoingThemTheEnd) {
    for (unsigned seed = 1; seed <= 400; ++seed) {
        RandomSession session(seed);
        DiagramBuilder& b = session.b;
        History& history = session.history;
        const Document start = b.d.document();
        for (int step = 0; step < 60; ++step) session.step();
        b.editor.cancel();  // a connection left half made is a step when cancelled
        const Document end = b.d.document();
        const int steps = history.stack().index();

        while (history.stack().canUndo()) b.editor.undo();
        std::string difference = differenceBetween(b.d.document(), start);
        ASSERT_EQ(difference, "") << "seed " << seed << " after undoing " << steps << " steps\n"
                                  << lastSteps(session.trace, 60);
        EXPECT_EQ(b.d.state.ConnectMode, ConnectMode::None);

        while (history.stack().index() < steps) b.editor.redo();
        difference = differenceBetween(b.d.document(), end);
        ASSERT_EQ(difference, "") << "seed " << seed << " after redoing " << steps << " steps\n"
                                  << lastSteps(session.trace, 60);
    }
}

// ---- recovery snapshots ----

TEST(RecoverySnapshot, EveryRandomDiagramComesBackExactly) {
    for (unsigned seed = 1; seed <= 150; ++seed) {
        RandomSession session(seed);
        for (int step = 0; step < 40; ++step) session.step();
        RecoverySnapshot sent{session.b.d.document(),
                              "學生 'O''Brien' \"x\"",
                              {"cap\n", "stored", "sqlite:/tmp/x.db", true},
                              0};
        if (sent.document.elementCount() > 1)
            sent.document.element(1).Caption = QString(3000, QChar(0x4E2D)) + "'\"";
        QString problem;
        const std::optional<RecoverySnapshot> got = decodeSnapshot(encodeSnapshot(sent), &problem);
        ASSERT_TRUE(got) << "seed " << seed << ": " << problem.toStdString();
        ASSERT_EQ(differenceBetween(got->document, sent.document), "") << "seed " << seed;
        EXPECT_EQ(got->projectName, sent.projectName);
        EXPECT_EQ(got->project, sent.project);
        EXPECT_EQ(got->presentStyle, 0);
    }
}

// Recovery files of older formats still come back whole: format 2 kept a tag on every element and
// line, format 3 had no place for the enhanced-ER circles' choices. Each holds the diagram below
// with a weak entity, after a connect mode ran, written by the build of its day.
TEST(RecoverySnapshot, FilesOfOlderFormatsComeBack) {
    for (const int format : {2, 3}) {
        QFile file(QStringLiteral(RELVANE_SOURCE_DIR "/tests/editor/golden/recovery-format%1.bin")
                       .arg(format));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << format;
        QString problem;
        const std::optional<RecoverySnapshot> got = decodeSnapshot(file.readAll(), &problem);
        ASSERT_TRUE(got) << format << ": " << problem.toStdString();
        EXPECT_EQ(got->projectName, "公司");
        EXPECT_EQ(got->project, (ProjectIdentity{"公司", "公司", "sqlite:/tmp/x.db", false}));

        DiagramBuilder b;
        const int owner = b.entity("Employee");
        b.d.element(owner).BackColor = 0x123456;
        const int dependent = b.entity("Dependent");
        // Format 2 was written when new elements took the template's size whatever their captions.
        const auto sizedOfItsDay = [&](int i) {
            if (format == 2) {
                b.d.element(i).Width = 73;
                b.d.element(i).Height = 41;
            }
            return i;
        };
        const int has = sizedOfItsDay(b.relationship("Has"));
        sizedOfItsDay(b.attribute(owner, "Ssn", true));
        b.binary(owner, has, dependent);
        b.setParticipation(b.connector(owner, has), "1,1");
        b.setParticipation(b.connector(dependent, has), "0,N");
        b.makeWeak(dependent, has);
        EXPECT_EQ(differenceBetween(got->document, b.d.document()), "") << format;
    }
}

// Circles with their choices, and their superclass and subclass lines, come back as drawn.
TEST(RecoverySnapshot, EnhancedErCirclesAndTheirLinesComeBackExactly) {
    DiagramBuilder b;
    const int person = b.entity("PERSON");
    const int student = b.entity("STUDENT");
    const int staff = b.entity("STAFF");
    const int name = b.attribute(person, "Name");
    const int circle = b.specialization(person, {student, staff}, true, true);
    b.editor.setSubclassMapping(circle, SubclassMapping::TypeFlags);
    b.editor.setDefiningAttribute(circle, name);
    b.category({student, staff}, b.entity("TUTOR"), true);
    const RecoverySnapshot sent{b.d.document(), "p", {"p", "p", "sqlite:/tmp/x.db", false}, 1};
    QString problem;
    const std::optional<RecoverySnapshot> got = decodeSnapshot(encodeSnapshot(sent), &problem);
    ASSERT_TRUE(got) << problem.toStdString();
    EXPECT_EQ(differenceBetween(got->document, sent.document), "");
    EXPECT_EQ(got->document.element(circle).Mapping, SubclassMapping::TypeFlags);
}

TEST(RecoverySnapshot, DamagedTruncatedOrForeignBytesAreRefused) {
    RandomSession session(7);
    for (int step = 0; step < 40; ++step) session.step();
    const QByteArray bytes = encodeSnapshot({session.b.d.document(), "p", {"p", "p"}, 1});
    QString problem;
    for (qsizetype n = 0; n < bytes.size(); n += 1 + n / 8) {
        EXPECT_FALSE(decodeSnapshot(bytes.left(n), &problem)) << "cut at " << n;
        QByteArray flipped = bytes;
        flipped[n] = char(flipped[n] ^ 0x5A);
        EXPECT_FALSE(decodeSnapshot(flipped, &problem)) << "byte " << n << " changed";
        EXPECT_FALSE(problem.isEmpty());
    }
    EXPECT_FALSE(decodeSnapshot(QByteArray("SQLite format 3") + QByteArray(100, '\0'), &problem));
    EXPECT_EQ(problem, "不是 Relvane 的復原檔");
}

}  // namespace
