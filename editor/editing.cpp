#include <QCoreApplication>
#include <utility>

#include "commandscope.h"

namespace {

struct RenamePrompt {
    const char* prompt;
    const char* title;
};

RenamePrompt renamePrompt(Editor::Menu menu) {
    switch (menu) {
        case Editor::Menu::Entity:
            return {QT_TRANSLATE_NOOP("Editing", "Entity的名稱為..."),
                    QT_TRANSLATE_NOOP("Editing", "Name for Entity")};
        case Editor::Menu::Attribute:
            return {QT_TRANSLATE_NOOP("Editing", "Attribute的名稱為..."),
                    QT_TRANSLATE_NOOP("Editing", "Name for Attribute")};
        case Editor::Menu::Relationship:
        default:
            return {QT_TRANSLATE_NOOP("Editing", "Relationship的名稱為..."),
                    QT_TRANSLATE_NOOP("Editing", "Name for Relationship")};
    }
}

bool& lockSizeCheck(MenuChecks& checks, Editor::Menu menu) {
    switch (menu) {
        case Editor::Menu::Entity:
            return checks.EntityLockSize;
        case Editor::Menu::Attribute:
            return checks.AttributeLockSize;
        case Editor::Menu::Relationship:
        default:
            return checks.RelationshipLockSize;
    }
}

// Grows or shrinks element i from its top-left corner, then puts every live connector of i back
// on its border. The product is taken in double precision and stored as float, so Bigger then
// Smaller gives 99 from 100, not 100 again.
void scaleElement(Editor& editor, int i, double factor) {
    Element& e = editor.diagram().element(i);
    e.Width = float(double(e.Width) * factor);
    e.Height = float(double(e.Height) * factor);
    editor.layoutConnectorsOf(i);
}

}  // namespace

void Editor::rename(Menu menu, int i) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return;
    const RenamePrompt text = renamePrompt(menu);
    const std::optional<QString> answer = prompts_.input(
        QCoreApplication::translate("Editing", text.prompt),
        QCoreApplication::translate("Editing", text.title), std::as_const(d_).element(i).Caption);
    // Cancel keeps the name; an answer typed empty still empties it.
    if (answer) renameElement(i, *answer);
}

void Editor::renameElement(int i, const QString& caption) {
    const CommandScope scope(*this);
    if (!d_.isElement(i) || std::as_const(d_).element(i).Caption == caption) return;
    // A circle's caption is its mark, which its menu sets.
    if (std::as_const(d_).element(i).isSpecializationKind()) return;
    nameStep(QCoreApplication::translate("Editing", "重新命名 ") +
             std::as_const(d_).element(i).Caption);
    d_.element(i).Caption = caption;
    // The element fits its new caption, as Resize would fit it, and its connectors follow.
    fitToCaption(i);
    layoutConnectorsOf(i);
}

void Editor::lockSize(Menu menu, int i) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return;
    nameStep(QCoreApplication::translate("Editing", "鎖定大小 ") +
             std::as_const(d_).element(i).Caption);
    bool& check = lockSizeCheck(d_.checks, menu);
    check = !check;
    d_.element(i).IsSizeLock = check;
}

void Editor::bigger(int i) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return;
    nameStep(QCoreApplication::translate("Editing", "放大 ") +
             std::as_const(d_).element(i).Caption);
    scaleElement(*this, i, 1.1);
}

void Editor::smaller(int i) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return;
    nameStep(QCoreApplication::translate("Editing", "縮小 ") +
             std::as_const(d_).element(i).Caption);
    scaleElement(*this, i, 0.9);
}

void Editor::color(int i) {
    const CommandScope scope(*this);
    if (!d_.isElement(i)) return;
    const std::optional<OleColor> chosen =
        prompts_.chooseColour(std::as_const(d_).element(i).BackColor);
    // Cancel in the colour dialog keeps the element's colour.
    if (!chosen) return;
    // The highlight colours mark candidates and picks; an element in its own colour must never
    // be mistaken for one.
    if (*chosen == d_.settings.CandidateColor) {
        prompts_.message(QCoreApplication::translate("Editing", "請勿選擇 候選色!"));
        return;
    }
    if (*chosen == d_.settings.SelectedColor) {
        prompts_.message(QCoreApplication::translate("Editing", "請勿選擇 已選色!"));
        return;
    }
    nameStep(QCoreApplication::translate("Editing", "顏色 ") +
             std::as_const(d_).element(i).Caption);
    d_.element(i).BackColor = *chosen;
    // The chosen colour shows at once, also on an element a running connect mode marks; it is
    // then no candidate any more.
    d_.view.highlights.set(i, Highlight::None);
}
