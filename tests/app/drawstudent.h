#pragma once

#include "form1.h"

// Draws Student(StudentNo) through the window's own editor: an entity with one key attribute.
inline void drawStudent(Form1& window) {
    Editor& editor = window.editor();
    Diagram& d = window.diagram();
    const int student = editor.createElement(KindEntity);
    d.element(student).Caption = "Student";
    const int number = editor.createElement(KindAttribute);
    d.element(number).Caption = "StudentNo";
    editor.toolbarButton("AttLine");
    editor.elementLeftDown(student, 1, 1);
    editor.elementLeftDown(number, 1, 1);
    editor.elementRightDown(number);
    editor.menuKey(number);
}
