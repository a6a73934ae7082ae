// The sample diagrams, laid out by hand: each element's centre, its kind and caption (English in
// the translation), the attributes' owners and keys, and each entity's line to a relationship.
// Captions are written as the diagram shows them in Chinese; the comments give the English.
#include <QtGlobal>

#include "sampledata.h"

namespace {

// The textbook's COMPANY schema: every kind of element, a recursive relationship with roles, a
// weak entity, 1:1, 1:N and M:N relationships, total and partial participation.
SampleData companyData() {
    return {
        {
            {1, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "員工"), 340, 330},  // EMPLOYEE
            {2, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "部門"), 860, 330},  // DEPARTMENT
            {3, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "專案"), 860, 620},  // PROJECT
            {4, KindWeakEntity, QT_TRANSLATE_NOOP("SampleProjects", "眷屬"), 340,
             650},  // DEPENDENT
            {5, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "任職"), 600,
             285},  // WORKS_FOR
            {6, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "管理"), 600,
             380},  // MANAGES
            {7, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "控制"), 860,
             475},  // CONTROLS
            {8, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "參與"), 600,
             620},  // WORKS_ON
            {9, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "督導"), 110,
             460},  // SUPERVISION
            {10, KindWeakRelationship, QT_TRANSLATE_NOOP("SampleProjects", "扶養"), 340,
             500},  // DEPENDENTS_OF
            {11, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "姓名"), 190, 200, 1},  // Name
            {12, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "名"), 80, 110, 11},    // Fname
            {13, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "中間名"), 190, 90,
             11},                                                                          // Minit
            {14, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "姓"), 300, 110, 11},  // Lname
            {15, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "身分證號"), 340, 215, 1,
             true},                                                                         // Ssn
            {16, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "生日"), 450, 200, 1},  // Bdate
            {17, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "薪水"), 560, 215,
             1},  // Salary
            {18, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "地址"), 110, 300,
             1},  // Address
            {19, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "性別"), 150, 385, 1},  // Sex
            {20, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "部門名稱"), 750, 210,
             2},  // Dname
            {21, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "部門編號"), 860, 200, 2,
             true},  // Dnumber
            {22, KindMultAttribute, QT_TRANSLATE_NOOP("SampleProjects", "地點"), 980, 230,
             2},  // Locations
            {23, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "就任日期"), 600, 460,
             6},  // Start_date
            {24, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "專案編號"), 1000, 600, 3,
             true},  // Pnumber
            {25, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "專案名稱"), 980, 690,
             3},  // Pname
            {26, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "專案地點"), 860, 730,
             3},  // Plocation
            {27, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "工時"), 600, 710, 8},  // Hours
            {28, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "眷屬姓名"), 180, 730, 4,
             true},  // Dependent_name
            {29, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "性別"), 320, 760, 4},  // Sex
            {30, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "生日"), 470, 740, 4},  // Bdate
            {31, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "關係"), 170, 620,
             4},  // Relationship
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
            {1, 9, "0,N", QT_TRANSLATE_NOOP("SampleProjects", "部屬")},
            {1, 9, "0,1", QT_TRANSLATE_NOOP("SampleProjects", "主管"), true},
            {1, 10, "0,1"},
            {4, 10, "1,N", nullptr, false, true},
        },
    };
}

// Course registration: students take sections, which a course offers (a weak entity), taught
// by instructors; courses have prerequisite courses (a recursive many-to-many relationship).
SampleData universityData() {
    return {
        {
            {1, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "學生"), 200, 300},   // STUDENT
            {2, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "課程"), 1060, 300},  // COURSE
            {3, KindWeakEntity, QT_TRANSLATE_NOOP("SampleProjects", "開課班級"), 640,
             300},                                                                   // SECTION
            {4, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "教師"), 640, 620},  // INSTRUCTOR
            {5, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "系所"), 200, 620},  // DEPARTMENT
            {6, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "選課"), 420,
             300},  // ENROLLS
            {7, KindWeakRelationship, QT_TRANSLATE_NOOP("SampleProjects", "開設"), 850,
             300},  // OFFERS
            {8, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "授課"), 640,
             460},  // TEACHES
            {9, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "先修"), 1060,
             480},  // PREREQUISITE
            {10, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "主修"), 200,
             460},  // MAJORS_IN
            {11, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "聘任"), 420,
             620},  // EMPLOYS
            {12, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "學號"), 90, 210, 1,
             true},  // Student_id
            {13, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "姓名"), 210, 180, 1},  // Name
            {14, KindMultAttribute, QT_TRANSLATE_NOOP("SampleProjects", "電話"), 80, 380,
             1},                                                                            // Phone
            {15, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "成績"), 420, 200, 6},  // Grade
            {16, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "班別"), 560, 190, 3,
             true},  // Section_no
            {17, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "學期"), 700, 190,
             3},  // Semester
            {18, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "教室"), 530, 400, 3},  // Room
            {19, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "課號"), 990, 190, 2,
             true},  // Course_id
            {20, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "課名"), 1110, 170,
             2},  // Title
            {21, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "學分"), 1170, 260,
             2},  // Credits
            {22, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "教師編號"), 640, 740, 4,
             true},  // Instructor_id
            {23, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "姓名"), 780, 720, 4},  // Name
            {24, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "職稱"), 520, 730, 4},  // Rank
            {25, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "系所代碼"), 110, 730, 5,
             true},  // Dept_code
            {26, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "系所名稱"), 260, 740,
             5},  // Dept_name
        },
        {
            {1, 6, "1,N"},
            {3, 6, "0,N"},
            {3, 7, "1,N", nullptr, false, true},
            {2, 7, "0,1"},
            {4, 8, "0,1"},
            {3, 8, "1,N"},
            {2, 9, "0,N", QT_TRANSLATE_NOOP("SampleProjects", "進階課程")},
            {2, 9, "0,N", QT_TRANSLATE_NOOP("SampleProjects", "先修課程"), true},
            {1, 10, "1,N"},
            {5, 10, "0,1"},
            {5, 11, "1,1"},
            {4, 11, "1,N"},
        },
    };
}

// A library: books and their copies (a weak entity), publishers, members who borrow copies and
// reserve books; a member's address is composite.
SampleData libraryData() {
    return {
        {
            {1, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "出版社"), 200, 280},  // PUBLISHER
            {2, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "書目"), 640, 280},    // BOOK
            {3, KindWeakEntity, QT_TRANSLATE_NOOP("SampleProjects", "館藏複本"), 900, 480},  // COPY
            {4, KindEntity, QT_TRANSLATE_NOOP("SampleProjects", "讀者"), 640, 660},  // MEMBER
            {5, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "出版"), 420,
             280},  // PUBLISHES
            {6, KindWeakRelationship, QT_TRANSLATE_NOOP("SampleProjects", "典藏"), 900,
             280},  // HOLDS
            {7, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "借閱"), 900,
             660},  // BORROWS
            {8, KindRelationship, QT_TRANSLATE_NOOP("SampleProjects", "預約"), 640,
             470},  // RESERVES
            {9, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "出版社名稱"), 120, 180, 1,
             true},  // Pub_name
            {10, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "電話"), 260, 170, 1},  // Phone
            {11, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "ISBN"), 560, 170, 2,
             true},                                                                         // ISBN
            {12, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "書名"), 690, 160, 2},  // Title
            {13, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "出版年"), 790, 200,
             2},  // Year
            {14, KindMultAttribute, QT_TRANSLATE_NOOP("SampleProjects", "作者"), 520, 380,
             2},  // Author
            {15, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "複本編號"), 1040, 410, 3,
             true},  // Copy_no
            {16, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "狀態"), 1050, 540,
             3},  // Status
            {17, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "借出日期"), 840, 770,
             7},  // Loan_date
            {18, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "到期日"), 990, 750,
             7},  // Due_date
            {19, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "預約日期"), 780, 470,
             8},  // Reserve_date
            {20, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "借書證號"), 560, 780, 4,
             true},  // Card_no
            {21, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "姓名"), 690, 790, 4},  // Name
            {22, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "地址"), 430, 660,
             4},  // Address
            {23, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "城市"), 300, 580, 22},  // City
            {24, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "街道"), 280, 680,
             22},  // Street
            {25, KindAttribute, QT_TRANSLATE_NOOP("SampleProjects", "郵遞區號"), 340, 770,
             22},  // Zip
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

}  // namespace

const SampleData& sampleData(SampleProject sample) {
    static const SampleData company = companyData(), university = universityData(),
                            library = libraryData();
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
