// The sample diagrams, laid out by hand: each element's index, kind, caption (the English one is
// in the translation and in the comment), the centre of its place and, for attributes, the owner
// and whether it is a key; then each entity's line to a relationship.
#include <QCoreApplication>

#include "sampledata.h"

namespace {

// The samples' captions are translated in this context (see sampleprojects.cpp).
class SampleProjects {
    Q_DECLARE_TR_FUNCTIONS(SampleProjects)
public:
    static SampleData companyData();
    static SampleData universityData();
    static SampleData libraryData();
};

}  // namespace

// The textbook's COMPANY schema: every kind of element, a recursive relationship with roles, a
// weak entity, 1:1, 1:N and M:N relationships, total and partial participation.
SampleData SampleProjects::companyData() {
    return {
        {
            {1, KindEntity, QT_TR_NOOP("員工"), 340, 300},                    // EMPLOYEE
            {2, KindEntity, QT_TR_NOOP("部門"), 860, 300},                    // DEPARTMENT
            {3, KindEntity, QT_TR_NOOP("專案"), 860, 590},                    // PROJECT
            {4, KindWeakEntity, QT_TR_NOOP("眷屬"), 340, 620},                // DEPENDENT
            {5, KindRelationship, QT_TR_NOOP("任職"), 600, 255},              // WORKS_FOR
            {6, KindRelationship, QT_TR_NOOP("管理"), 600, 350},              // MANAGES
            {7, KindRelationship, QT_TR_NOOP("控制"), 860, 445},              // CONTROLS
            {8, KindRelationship, QT_TR_NOOP("參與"), 600, 590},              // WORKS_ON
            {9, KindRelationship, QT_TR_NOOP("督導"), 95, 520},               // SUPERVISION
            {10, KindWeakRelationship, QT_TR_NOOP("扶養"), 340, 470},         // DEPENDENTS_OF
            {11, KindAttribute, QT_TR_NOOP("姓名"), 190, 170, 1},             // Name
            {12, KindAttribute, QT_TR_NOOP("名"), 80, 80, 11},                // Fname
            {13, KindAttribute, QT_TR_NOOP("中間名"), 190, 60, 11},           // Minit
            {14, KindAttribute, QT_TR_NOOP("姓"), 300, 80, 11},               // Lname
            {15, KindAttribute, QT_TR_NOOP("身分證號"), 340, 185, 1, true},   // Ssn
            {16, KindAttribute, QT_TR_NOOP("生日"), 450, 170, 1},             // Bdate
            {17, KindAttribute, QT_TR_NOOP("薪水"), 560, 185, 1},             // Salary
            {18, KindAttribute, QT_TR_NOOP("地址"), 110, 270, 1},             // Address
            {19, KindAttribute, QT_TR_NOOP("性別"), 100, 360, 1},             // Sex
            {20, KindAttribute, QT_TR_NOOP("部門名稱"), 750, 180, 2},         // Dname
            {21, KindAttribute, QT_TR_NOOP("部門編號"), 860, 170, 2, true},   // Dnumber
            {22, KindMultAttribute, QT_TR_NOOP("地點"), 980, 200, 2},         // Locations
            {23, KindAttribute, QT_TR_NOOP("就任日期"), 600, 430, 6},         // Start_date
            {24, KindAttribute, QT_TR_NOOP("專案編號"), 1000, 570, 3, true},  // Pnumber
            {25, KindAttribute, QT_TR_NOOP("專案名稱"), 980, 660, 3},         // Pname
            {26, KindAttribute, QT_TR_NOOP("專案地點"), 860, 700, 3},         // Plocation
            {27, KindAttribute, QT_TR_NOOP("工時"), 600, 680, 8},             // Hours
            {28, KindAttribute, QT_TR_NOOP("眷屬姓名"), 180, 700, 4, true},   // Dependent_name
            {29, KindAttribute, QT_TR_NOOP("性別"), 320, 730, 4},             // Sex
            {30, KindAttribute, QT_TR_NOOP("生日"), 470, 710, 4},             // Bdate
            {31, KindAttribute, QT_TR_NOOP("關係"), 170, 590, 4},             // Relationship
        },
        {
            {1, 5, "1,N"},
            {2, 5, "1,1"},
            {1, 6, "0,1"},
            {2, 6, "1,1"},
            {2, 7, "0,1"},
            {3, 7, "1,N"},
            {1, 8, "1,N"},
            {3, 8, "0,N"},
            {1, 9, "0,N", QT_TR_NOOP("部屬")},
            {1, 9, "0,1", QT_TR_NOOP("主管"), true},
            {1, 10, "0,1"},
            {4, 10, "1,N", nullptr, false, true},
        },
    };
}

// Course registration: students take sections, which a course offers (a weak entity), taught
// by instructors; courses have prerequisite courses (a recursive many-to-many relationship).
SampleData SampleProjects::universityData() {
    return {
        {
            {1, KindEntity, QT_TR_NOOP("學生"), 150, 260},                   // STUDENT
            {2, KindEntity, QT_TR_NOOP("課程"), 920, 260},                   // COURSE
            {3, KindWeakEntity, QT_TR_NOOP("開課班級"), 540, 260},           // SECTION
            {4, KindEntity, QT_TR_NOOP("教師"), 540, 580},                   // INSTRUCTOR
            {5, KindEntity, QT_TR_NOOP("系所"), 150, 580},                   // DEPARTMENT
            {6, KindRelationship, QT_TR_NOOP("選課"), 340, 260},             // ENROLLS
            {7, KindWeakRelationship, QT_TR_NOOP("開設"), 740, 260},         // OFFERS
            {8, KindRelationship, QT_TR_NOOP("授課"), 540, 420},             // TEACHES
            {9, KindRelationship, QT_TR_NOOP("先修"), 920, 440},             // PREREQUISITE
            {10, KindRelationship, QT_TR_NOOP("主修"), 150, 420},            // MAJORS_IN
            {11, KindRelationship, QT_TR_NOOP("聘任"), 340, 580},            // EMPLOYS
            {12, KindAttribute, QT_TR_NOOP("學號"), 70, 160, 1, true},       // Student_id
            {13, KindAttribute, QT_TR_NOOP("姓名"), 180, 140, 1},            // Name
            {14, KindMultAttribute, QT_TR_NOOP("電話"), 60, 360, 1},         // Phone
            {15, KindAttribute, QT_TR_NOOP("成績"), 340, 160, 6},            // Grade
            {16, KindAttribute, QT_TR_NOOP("班別"), 470, 150, 3, true},      // Section_no
            {17, KindAttribute, QT_TR_NOOP("學期"), 610, 140, 3},            // Semester
            {18, KindAttribute, QT_TR_NOOP("教室"), 440, 360, 3},            // Room
            {19, KindAttribute, QT_TR_NOOP("課號"), 840, 150, 2, true},      // Course_id
            {20, KindAttribute, QT_TR_NOOP("課名"), 950, 140, 2},            // Title
            {21, KindAttribute, QT_TR_NOOP("學分"), 1010, 220, 2},           // Credits
            {22, KindAttribute, QT_TR_NOOP("教師編號"), 540, 700, 4, true},  // Instructor_id
            {23, KindAttribute, QT_TR_NOOP("姓名"), 660, 680, 4},            // Name
            {24, KindAttribute, QT_TR_NOOP("職稱"), 420, 690, 4},            // Rank
            {25, KindAttribute, QT_TR_NOOP("系所代碼"), 80, 690, 5, true},   // Dept_code
            {26, KindAttribute, QT_TR_NOOP("系所名稱"), 220, 700, 5},        // Dept_name
        },
        {
            {1, 6, "1,N"},
            {3, 6, "0,N"},
            {3, 7, "1,N", nullptr, false, true},
            {2, 7, "0,1"},
            {4, 8, "0,1"},
            {3, 8, "1,N"},
            {2, 9, "0,N", QT_TR_NOOP("進階課程")},
            {2, 9, "0,N", QT_TR_NOOP("先修課程"), true},
            {1, 10, "1,N"},
            {5, 10, "0,1"},
            {5, 11, "1,1"},
            {4, 11, "1,N"},
        },
    };
}

// A library: books and their copies (a weak entity), publishers, members who borrow copies and
// reserve books; a member's address is composite.
SampleData SampleProjects::libraryData() {
    return {
        {
            {1, KindEntity, QT_TR_NOOP("出版社"), 200, 200},                  // PUBLISHER
            {2, KindEntity, QT_TR_NOOP("書目"), 640, 200},                    // BOOK
            {3, KindWeakEntity, QT_TR_NOOP("館藏複本"), 900, 400},            // COPY
            {4, KindEntity, QT_TR_NOOP("讀者"), 640, 580},                    // MEMBER
            {5, KindRelationship, QT_TR_NOOP("出版"), 420, 200},              // PUBLISHES
            {6, KindWeakRelationship, QT_TR_NOOP("典藏"), 900, 200},          // HOLDS
            {7, KindRelationship, QT_TR_NOOP("借閱"), 900, 580},              // BORROWS
            {8, KindRelationship, QT_TR_NOOP("預約"), 640, 390},              // RESERVES
            {9, KindAttribute, QT_TR_NOOP("出版社名稱"), 120, 100, 1, true},  // Pub_name
            {10, KindAttribute, QT_TR_NOOP("電話"), 260, 90, 1},              // Phone
            {11, KindAttribute, QT_TR_NOOP("ISBN"), 560, 90, 2, true},        // ISBN
            {12, KindAttribute, QT_TR_NOOP("書名"), 690, 80, 2},              // Title
            {13, KindAttribute, QT_TR_NOOP("出版年"), 790, 120, 2},           // Year
            {14, KindMultAttribute, QT_TR_NOOP("作者"), 520, 300, 2},         // Author
            {15, KindAttribute, QT_TR_NOOP("複本編號"), 1040, 330, 3, true},  // Copy_no
            {16, KindAttribute, QT_TR_NOOP("狀態"), 1050, 460, 3},            // Status
            {17, KindAttribute, QT_TR_NOOP("借出日期"), 840, 690, 7},         // Loan_date
            {18, KindAttribute, QT_TR_NOOP("到期日"), 990, 670, 7},           // Due_date
            {19, KindAttribute, QT_TR_NOOP("預約日期"), 780, 390, 8},         // Reserve_date
            {20, KindAttribute, QT_TR_NOOP("借書證號"), 560, 700, 4, true},   // Card_no
            {21, KindAttribute, QT_TR_NOOP("姓名"), 690, 710, 4},             // Name
            {22, KindAttribute, QT_TR_NOOP("地址"), 430, 580, 4},             // Address
            {23, KindAttribute, QT_TR_NOOP("城市"), 300, 500, 22},            // City
            {24, KindAttribute, QT_TR_NOOP("街道"), 280, 600, 22},            // Street
            {25, KindAttribute, QT_TR_NOOP("郵遞區號"), 340, 690, 22},        // Zip
        },
        {
            {1, 5, "0,1"},
            {2, 5, "1,N"},
            {2, 6, "0,1"},
            {3, 6, "1,N", nullptr, false, true},
            {4, 7, "0,1"},
            {3, 7, "0,N"},
            {4, 8, "0,N"},
            {2, 8, "0,N"},
        },
    };
}

const SampleData& sampleData(SampleProject sample) {
    static const SampleData company = SampleProjects::companyData(),
                            university = SampleProjects::universityData(),
                            library = SampleProjects::libraryData();
    switch (sample) {
        case SampleProject::University:
            return university;
        case SampleProject::Library:
            return library;
        case SampleProject::Company:
            break;
    }
    return company;
}
