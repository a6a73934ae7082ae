#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

#include "checkdiagram.h"
#include "conversionjob.h"
#include "diagrambuilder.h"
#include "mapping.h"
#include "projectfile.h"
#include "randomsession.h"
#include "sqlscript.h"
#include "storetesting.h"

// The same diagram gives the same result before and after it is stored: saved and loaded (in
// either engine, as a draft, through a project file), it converts to the same workbook, byte for
// byte, and the same SQL, or is refused with the same messages; its lists keep their order.

namespace {

quint32 le(const QByteArray& b, qsizetype at, int size) {
    quint32 value = 0;
    for (int n = size - 1; n >= 0; --n) value = value << 8 | quint8(b[at + n]);
    return value;
}

// The package with the time of writing taken out of its zip headers (the one part of a workbook
// that depends on when it was written rather than on the diagram).
QByteArray withoutTimes(QByteArray zip) {
    qsizetype at = 0;
    while (at + 30 <= zip.size() && le(zip, at, 4) == 0x04034b50) {  // local file headers
        zip.replace(at + 10, 4, QByteArray(4, '\0'));
        at += 30 + le(zip, at + 18, 4) + le(zip, at + 26, 2) + le(zip, at + 28, 2);
    }
    while (at + 46 <= zip.size() && le(zip, at, 4) == 0x02014b50) {  // central directory
        zip.replace(at + 12, 4, QByteArray(4, '\0'));
        at += 46 + le(zip, at + 28, 2) + le(zip, at + 30, 2) + le(zip, at + 32, 2);
    }
    return zip;
}

// What converting the diagram gives: validation's refusal, or the workbook's bytes and the SQL.
// A copy is converted, so validation's defaults leave the diagram compared as it is.
QByteArray conversion(const Diagram& d) {
    Diagram copy;
    copy.settings = d.settings;
    copy.replaceDocument(d.document());
    FakePrompts prompts;
    Editor editor(copy, prompts);
    ConversionJob job(editor);
    if (job.check()) return "refused: " + prompts.messages.join('\n').toUtf8();
    QTemporaryDir dir;
    const QString path = dir.filePath("model.xlsx");
    const ConvertResult written = job.writeWorkbook(path, 1);
    if (!written.ok()) return "not written: " + written.error.toUtf8();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return "unreadable";
    QString sql;
    if (!job.sqlScript(SqlDialect::PostgreSQL, &sql, nullptr).ok()) return "no script";
    return withoutTimes(file.readAll()) + "\n---\n" + sql.toUtf8();
}

// Every live element's lists in their order (storedData lists them sorted).
QStringList listOrders(const Diagram& d) {
    QStringList lines;
    for (int i = 1; i < d.elementCount(); ++i) {
        const Element& e = d.element(i);
        if (!e.Visible) continue;
        lines << QString("%1 a[%2] l[%3] r[%4] p[%5]")
                     .arg(i)
                     .arg(e.AttributeList.joined(), e.RelationList.joined(),
                          e.RelativeEntityList.joined(), e.PrimaryEntityList.joined());
    }
    return lines;
}

// A diagram that passes validation, drawn in a random order: attributes created first and
// attached later in another order, binary, ternary and recursive relationships, relationship
// attributes, multivalued attributes, and participations of every kind.
void drawRandomValidDiagram(DiagramBuilder& b, unsigned seed) {
    std::mt19937 rng(seed);
    const auto chance = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    static const char* participations[] = {"0,N", "1,N", "0,1", "1,1"};
    std::vector<int> entities;
    std::vector<std::pair<int, int>> attachments;  // owner, attribute
    for (int n = 2 + chance(3); n > 0; --n) {
        const int e = b.entity(QString("E%1").arg(b.d.elementCount()));
        entities.push_back(e);
        for (int a = 1 + chance(4); a > 0; --a) {
            const int attribute = b.editor.createElement(KindAttribute);
            b.d.element(attribute).Caption = QString("a%1").arg(attribute);
            attachments.push_back({e, attribute});
        }
    }
    std::shuffle(attachments.begin(), attachments.end(), rng);
    std::set<int> keyed;
    for (const auto& [owner, attribute] : attachments) {
        b.editor.toolbarButton("AttLine");
        b.click(owner);
        b.click(attribute);
        if (keyed.insert(owner).second || chance(5) == 0) {
            b.editor.elementRightDown(attribute);
            b.editor.menuKey(attribute);
        } else if (chance(4) == 0) {
            b.editor.elementRightDown(attribute);
            b.editor.menuMultAttribute(attribute);
        }
    }
    for (int n = 1 + chance(3); n > 0; --n) {
        const int r = b.relationship(QString("R%1").arg(b.d.elementCount()));
        const int first = entities[size_t(chance(int(entities.size())))];
        const int second = entities[size_t(chance(int(entities.size())))];
        const auto [k1, k2] = b.binary(first, r, second);
        b.setParticipation(k1, participations[chance(4)]);
        b.setParticipation(k2, first == second ? "0,1" : participations[chance(4)]);
        if (first == second) {
            b.setRole(k1, "boss");
            b.setRole(k2, "worker");
        } else if (entities.size() > 2 && chance(3) == 0) {
            for (const int third : entities) {
                if (third == first || third == second) continue;
                b.setParticipation(b.join(third, r), participations[chance(4)]);
                break;
            }
        }
        if (chance(2)) b.attribute(r, QString("since%1").arg(r));
    }
}

class SameResult : public StoreTest {
protected:
    // The diagram loaded back from the store after it was saved as `name` (as a draft when
    // `draft`).
    std::unique_ptr<DiagramBuilder> roundTrip(const Diagram& d, const QString& name, bool draft) {
        const ProjectStore::SaveResult saved = store().saveAs(d, name, nullptr, draft);
        EXPECT_TRUE(saved.ok) << saved.error.text().toStdString();
        auto loaded = std::make_unique<DiagramBuilder>();
        const ProjectStore::LoadResult result = store().loadInto(loaded->editor, name);
        EXPECT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded);
        EXPECT_EQ(result.skippedRows, 0);
        EXPECT_EQ(result.draft, draft);
        return loaded;
    }
};

TEST_P(SameResult, ColumnsKeepTheOrderTheAttributesWereAttachedIn) {
    DiagramBuilder b;
    const int employee = b.entity("EMPLOYEE");
    const int ssn = b.attribute(employee, "Ssn", true);
    const int fname = b.editor.createElement(KindAttribute);
    const int lname = b.editor.createElement(KindAttribute);
    b.d.element(fname).Caption = "Fname";
    b.d.element(lname).Caption = "Lname";
    b.attribute(employee, "Salary");  // created last, attached second
    for (const int a : {fname, lname}) {
        b.editor.toolbarButton("AttLine");
        b.click(employee);
        b.click(a);
    }
    ASSERT_EQ(b.d.element(employee).AttributeList.joined(),
              QString("%1,%2,%3,%4").arg(ssn).arg(lname + 1).arg(fname).arg(lname));
    const QByteArray before = conversion(b.d);
    ASSERT_FALSE(before.startsWith("refused")) << before.toStdString();
    const auto loaded = roundTrip(b.d, "company", false);
    EXPECT_EQ(listOrders(loaded->d), listOrders(b.d));
    EXPECT_TRUE(conversion(loaded->d) == before) << "the same workbook and SQL after Save and Load";
}

TEST_P(SameResult, RandomDiagramsConvertTheSameAfterSaveLoadAndAsDrafts) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        DiagramBuilder b;
        drawRandomValidDiagram(b, seed);
        const QByteArray before = conversion(b.d);
        ASSERT_FALSE(before.startsWith("refused")) << "seed " << seed << ": " << before.data();
        for (const bool draft : {false, true}) {
            const auto loaded = roundTrip(b.d, QString("p%1").arg(seed), draft);
            EXPECT_EQ(listOrders(loaded->d), listOrders(b.d)) << "seed " << seed;
            EXPECT_TRUE(conversion(loaded->d) == before) << "seed " << seed << " draft " << draft;
        }
    }
}

TEST_P(SameResult, RandomEditingSessionsComeBackExactlyAsDrafts) {
    for (unsigned seed = 1; seed <= 25; ++seed) {
        RandomSession session(seed);
        for (int step = 0; step < 60; ++step) session.step();
        session.b.editor.cancel();  // no connect mode half done
        const Diagram& d = session.b.d;
        const auto loaded = roundTrip(d, QString("s%1").arg(seed), true);
        EXPECT_EQ(storedData(loaded->d), storedData(d)) << "seed " << seed;
        EXPECT_EQ(listOrders(loaded->d), listOrders(d)) << "seed " << seed;
        EXPECT_TRUE(conversion(loaded->d) == conversion(d)) << "seed " << seed;
    }
}

INSTANTIATE_TEST_SUITE_P(Engines, SameResult, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

TEST(SameResultThroughAFile, RandomDiagramsConvertTheSameThroughAProjectFile) {
    QTemporaryDir dir;
    for (unsigned seed = 20; seed <= 26; ++seed) {
        DiagramBuilder b;
        drawRandomValidDiagram(b, seed);
        const QString path = dir.filePath(QString("p%1.relvane").arg(seed));
        ASSERT_FALSE(exportProjectFile(b.d, path, "homework"));
        DiagramBuilder loaded;
        QString problem, skipped;
        ASSERT_TRUE(importProjectFile(loaded.editor, path, &problem, &skipped))
            << problem.toStdString();
        EXPECT_EQ(listOrders(loaded.d), listOrders(b.d)) << "seed " << seed;
        EXPECT_TRUE(conversion(loaded.d) == conversion(b.d)) << "seed " << seed;
    }
}

}  // namespace
