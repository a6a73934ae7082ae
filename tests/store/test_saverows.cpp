#include <gtest/gtest.h>

#include "diagrambuilder.h"
#include "storedvalues.h"
#include "storetesting.h"

namespace {

class SaveRows : public StoreTest {
protected:
    // Student(1) -Takes(2)- Course(3) with SID(4, key) and Phones(5, multivalued) on Student,
    // and the weak entity Dependent(6) identified through Has(7) by Student.
    void drawSmall(DiagramBuilder& b) {
        b.entity("Student");
        b.relationship("Takes");
        b.entity("Course");
        const auto [k1, k2] = b.binary(1, 2, 3);
        typeParticipation(b, k1, "0,N");
        typeParticipation(b, k2, "1,1");
        b.attribute(1, "SID", true);
        b.multAttribute(1, "Phones");
        b.entity("Dependent");
        b.relationship("Has");
        const auto [k3, k4] = b.binary(6, 7, 1);
        b.makeWeak(6, 7);
        typeParticipation(b, k3, "1,1");
        Element& student = b.d.element(1);
        student.Left = 1234.5f;
        student.Top = 1440.0f;
        student.Width = 0.1f;
    }

    QString colour(const DiagramBuilder& b, int i) { return colourText(b.d.element(i).BackColor); }
    QString geometry(const DiagramBuilder& b, int i) {
        const Element& e = b.d.element(i);
        return QStringList{shortestFloatText(e.Left), shortestFloatText(e.Top),
                           shortestFloatText(e.Width), shortestFloatText(e.Height)}
            .join(" | ");
    }
};

TEST_P(SaveRows, EnhancedModeWritesEveryTableAsTabled) {
    DiagramBuilder b;
    drawSmall(b);
    const auto result = store().saveAs(b.d, "school");
    ASSERT_TRUE(result.ok) << result.error.text().toStdString();
    EXPECT_EQ(result.projectNumber, 1);
    EXPECT_EQ(rowsText("SELECT * FROM \"Project\""), QStringList{"1 | school"});
    EXPECT_EQ(rowsText("SELECT * FROM \"EntityType\" ORDER BY \"i\""),
              (QStringList{"1 | 1 | Student | " + colour(b, 1) + " | 1234.5 | 1440 | 0.1 | 41 | 0",
                           "1 | 2 | Takes | " + colour(b, 2) + " | " + geometry(b, 2) + " | 4",
                           "1 | 3 | Course | " + colour(b, 3) + " | " + geometry(b, 3) + " | 0",
                           "1 | 6 | Dependent | " + colour(b, 6) + " | " + geometry(b, 6) + " | 1",
                           "1 | 7 | Has | " + colour(b, 7) + " | " + geometry(b, 7) + " | 5"}));
    EXPECT_EQ(
        rowsText("SELECT * FROM \"Attribute\" ORDER BY \"i\""),
        (QStringList{"1 | 4 | 1 | SID | " + colour(b, 4) + " | 1 | 1 | " + geometry(b, 4),
                     "1 | 5 | 1 | Phones | " + colour(b, 5) + " | 0 | 0 | " + geometry(b, 5)}));
    EXPECT_EQ(rowsText("SELECT * FROM \"Invoke\" ORDER BY \"Ri\", \"Ei\""),
              (QStringList{"1 | 2 | 1 | 0 | 0 | N | 0 | ", "1 | 2 | 3 | 0 | 1 | 1 | 0 | ",
                           "1 | 7 | 1 | 0 |  |  | 0 | ", "1 | 7 | 6 | 0 | 1 | 1 | 1 | "}));
    EXPECT_EQ(rowsText("SELECT * FROM \"ET_Identify_WET\""), QStringList{"1 | 1 | 6"});
}

TEST_P(SaveRows, TextbookModeWritesTheMinimumFromTheDoubleLineAndNoOwners) {
    DiagramBuilder b;
    b.d.settings.PresentStyle = 0;
    drawSmall(b);
    ASSERT_TRUE(store().saveAs(b.d, "school").ok);
    EXPECT_EQ(rowsText("SELECT * FROM \"Invoke\" ORDER BY \"Ri\", \"Ei\""),
              (QStringList{"1 | 2 | 1 | 0 | 0 | N | 0 | ", "1 | 2 | 3 | 0 | 1 | 1 | 0 | ",
                           "1 | 7 | 1 | 0 | 0 |  | 1 | ", "1 | 7 | 6 | 0 | 1 | 1 | 1 | "}));
    EXPECT_EQ(count("ET_Identify_WET"), 0);
}

TEST_P(SaveRows, AnEmptyDiagramLeavesOnlyTheProjectRow) {
    DiagramBuilder b;
    ASSERT_TRUE(store().saveAs(b.d, "").ok);
    EXPECT_EQ(rowsText("SELECT * FROM \"Project\""), QStringList{"1 | "});
    for (const char* table : {"EntityType", "Attribute", "Invoke", "ET_Identify_WET"})
        EXPECT_EQ(count(table), 0) << table;
}

TEST_P(SaveRows, SavingUnderAnExistingNameKeepsItsNumberAndReplacesItsRows) {
    DiagramBuilder b;
    drawSmall(b);
    ASSERT_TRUE(store().saveAs(b.d, "first").ok);
    ASSERT_TRUE(store().saveAs(b.d, "second").ok);
    b.d.element(3).Caption = "Subject";
    b.d.element(5).Visible = false;
    const auto again = store().saveAs(b.d, "first");
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(again.projectNumber, 1);
    EXPECT_EQ(rowsText("SELECT * FROM \"Project\" ORDER BY \"i\""),
              (QStringList{"1 | first", "2 | second"}));
    EXPECT_EQ(rowsText("SELECT \"eName\" FROM \"EntityType\" WHERE \"Pi\" = 1 AND \"i\" = 3"),
              QStringList{"Subject"});
    EXPECT_EQ(rowsText("SELECT \"i\" FROM \"Attribute\" WHERE \"Pi\" = 1"), QStringList{"4"});
    EXPECT_EQ(count("EntityType"), 10);
}

TEST_P(SaveRows, ANewProjectGetsOneMoreThanTheLargestNumber) {
    ASSERT_TRUE(store().check().description.isEmpty());
    ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (7, 'seven')"));
    ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (3, 'three')"));
    DiagramBuilder b;
    EXPECT_EQ(store().saveAs(b.d, "eight").projectNumber, 8);
}

TEST_P(SaveRows, WhenEveryNumberIsTakenTheSaveFailsAndChangesNothing) {
    ASSERT_TRUE(store().check().description.isEmpty());
    ASSERT_TRUE(execute("INSERT INTO \"Project\" VALUES (32767, 'last')"));
    DiagramBuilder b;
    b.entity("E");
    const auto result = store().saveAs(b.d, "one too many");
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.error.text().contains("32767")) << result.error.text().toStdString();
    EXPECT_EQ(count("Project"), 1);
    EXPECT_EQ(count("EntityType"), 0);
}

TEST_P(SaveRows, HiddenElementsAndConnectorsAndAttributeConnectorsWriteNoRows) {
    DiagramBuilder b;
    drawSmall(b);
    b.d.element(4).Visible = false;
    b.d.connector(b.connector(3, 2)).Line1.Visible = false;
    ASSERT_TRUE(store().saveAs(b.d, "p").ok);
    EXPECT_EQ(rowsText("SELECT \"i\" FROM \"Attribute\""), QStringList{"5"});
    EXPECT_EQ(rowsText("SELECT \"Ri\", \"Ei\" FROM \"Invoke\" ORDER BY \"Ri\", \"Ei\""),
              (QStringList{"2 | 1", "7 | 1", "7 | 6"}));
}

TEST_P(SaveRows, AHighlightedElementIsSavedWithItsOwnColour) {
    DiagramBuilder b;
    drawSmall(b);
    b.d.element(1).BackColor = 0x123456;
    b.d.element(4).BackColor = 0x654321;
    // "AttLine" marks every element as a candidate; clicking Student picks it.
    b.editor.toolbarButton("AttLine");
    b.click(1);
    ASSERT_EQ(b.d.view.highlights.of(1), Highlight::Selected);
    ASSERT_TRUE(store().saveAs(b.d, "p").ok);
    EXPECT_EQ(rowsText("SELECT \"color\" FROM \"EntityType\" WHERE \"i\" = 1"),
              QStringList{colourText(0x123456)});
    EXPECT_EQ(rowsText("SELECT \"color\" FROM \"Attribute\" WHERE \"i\" = 4"),
              QStringList{colourText(0x654321)});
}

TEST_P(SaveRows, TheRowsOfARecursivePairAreFoundByTheirSharedEnds) {
    DiagramBuilder b;
    const int person = b.entity("Person");
    const int marries = b.relationship("Marries");
    const int city = b.entity("City");
    const int lives = b.relationship("LivesIn");
    const auto [k1, k2] = b.recursive(person, marries);
    b.setRole(k1, "husband");
    b.setRole(k2, "wife");
    const auto [k3, k4] = b.binary(person, lives, city);
    // Put an unrelated connector between the two of the pair.
    std::swap(b.d.connector(k2), b.d.connector(k3));
    ASSERT_TRUE(store().saveAs(b.d, "pair apart").ok);
    const QString sql =
        "SELECT \"Ri\", \"Ei\", \"Is2nd\", \"IsWeak\", \"Description\" FROM "
        "\"Invoke\" ORDER BY \"Ri\", \"Ei\", \"Is2nd\"";
    EXPECT_EQ(rowsText(sql), (QStringList{"2 | 1 | 0 | 0 | husband", "2 | 1 | 1 | 0 | wife",
                                          "4 | 1 | 0 | 0 | ", "4 | 3 | 0 | 0 | "}));

    // The second of the pair deleted: the first is written alone, and the connector after it
    // is written as what it is.
    std::swap(b.d.connector(k2), b.d.connector(k3));
    b.d.connector(k2).Line1.Visible = false;
    ASSERT_TRUE(store().saveAs(b.d, "partner gone").ok);
    EXPECT_EQ(rowsText("SELECT \"Ri\", \"Ei\", \"Is2nd\", \"Description\" FROM \"Invoke\" "
                       "WHERE \"Pi\" = 2 ORDER BY \"Ri\", \"Ei\""),
              (QStringList{"2 | 1 | 0 | husband", "4 | 1 | 0 | ", "4 | 3 | 0 | "}));
}

TEST_P(SaveRows, AnAttributeWithoutOwnerFailsTheSaveAndKeepsThePreviousVersion) {
    DiagramBuilder b;
    drawSmall(b);
    ASSERT_TRUE(store().saveAs(b.d, "p").ok);
    const QStringList before = rowsText("SELECT * FROM \"EntityType\" ORDER BY \"i\"");
    b.d.element(1).Caption = "changed";
    b.d.element(5).RelativeEntityList.clear();
    const auto result = store().saveAs(b.d, "p");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error.text(), "attribute 5 (\"Phones\") has no owner: Insert into Attribute");
    EXPECT_EQ(rowsText("SELECT * FROM \"EntityType\" ORDER BY \"i\""), before);
    EXPECT_EQ(count("Attribute"), 2);
}

// Texts that break statements built by splicing: all of them must be stored as typed.
const QStringList& hostileTexts() {
    static const QStringList texts = {
        "'); DROP TABLE Project;--",
        "x' OR '1'='1",
        "O'Brien \"the\" \\backslash\\ \\' \\\\ end\\",
        "學生 Ünïcödé 🎓 e\u0301 ｆｕｌｌ－ｗｉｄｔｈ",
        "? $1 :name %s %n ;",
        "tab\there\nnew line\r\nand trailing spaces   ",
        QString(6000, QChar(u'長')) + "'" + QString(3000, 'x'),
    };
    return texts;
}

TEST_P(SaveRows, HostileNamesAndCaptionsAreStoredVerbatimAndHarmNothing) {
    const auto s = store();
    for (const QString& text : hostileTexts()) {
        DiagramBuilder b;
        const int e = b.entity(text);
        const int r = b.relationship(text + "r");
        const auto [k1, k2] = b.recursive(e, r);
        b.setRole(k1, text);
        b.setRole(k2, "'");
        b.attribute(e, text, true);
        b.editor.layoutAllConnectors();
        const auto saved = s.saveAs(b.d, text);
        ASSERT_TRUE(saved.ok) << saved.error.text().toStdString();

        RawConnection raw(url());
        QSqlQuery q(raw.db());
        q.prepare("SELECT \"ProjectName\" FROM \"Project\" WHERE \"i\" = ?");
        q.addBindValue(saved.projectNumber);
        ASSERT_TRUE(q.exec() && q.next());
        EXPECT_EQ(q.value(0).toString(), text);
        q.prepare("SELECT \"eName\" FROM \"EntityType\" WHERE \"Pi\" = ? AND \"i\" = ?");
        q.addBindValue(saved.projectNumber);
        q.addBindValue(e);
        ASSERT_TRUE(q.exec() && q.next());
        EXPECT_EQ(q.value(0).toString(), text);

        DiagramBuilder loaded;
        const auto result = s.loadInto(loaded.editor, text);
        ASSERT_EQ(result.status, ProjectStore::LoadResult::Status::Loaded);
        EXPECT_EQ(result.projectNumber, saved.projectNumber);
        EXPECT_EQ(storedData(loaded.d), storedData(b.d));
    }
    EXPECT_EQ(count("Project"), hostileTexts().size());
    for (const char* table : {"EntityType", "Attribute", "Invoke", "ET_Identify_WET"})
        EXPECT_GE(count(table), 0) << table;
}

INSTANTIATE_TEST_SUITE_P(Engines, SaveRows, testing::Values(Engine::SQLite, Engine::PostgreSQL),
                         engineName);

}  // namespace
