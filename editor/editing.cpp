#include "editor.h"

namespace {

struct RenamePrompt {
    const char* prompt;
    const char* title;
};

RenamePrompt renamePrompt(Editor::Menu menu) {
    switch (menu) {
        case Editor::Menu::Entity:
            return {"Entity的名稱為...", "Name for Entity"};
        case Editor::Menu::Attribute:
            return {"Attribute的名稱為...", "Name for Attribute"};
        case Editor::Menu::Relationship:
        default:
            return {"Relationship的名稱為...", "Name for Relationship"};
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
    Diagram& d = editor.diagram();
    Element& e = d.element(i);
    e.Width = float(double(e.Width) * factor);
    e.Height = float(double(e.Height) * factor);
    editor.layoutConnectorsOf(i);
    d.notifyElement(i);
}

}  // namespace

void Editor::rename(Menu menu) {
    const int i = d_.state.ContextElement;
    if (!d_.isElement(i)) return;
    const RenamePrompt text = renamePrompt(menu);
    Element& e = d_.element(i);
    const std::optional<QString> answer =
        prompts_.input(QString::fromUtf8(text.prompt), QString::fromUtf8(text.title), e.Caption);
    // Cancel keeps the name; an answer typed empty still empties it.
    if (!answer) return;
    e.Caption = *answer;
    d_.notifyElement(i);
}

void Editor::lockSize(Menu menu) {
    const int i = d_.state.ContextElement;
    if (!d_.isElement(i)) return;
    bool& check = lockSizeCheck(d_.checks, menu);
    check = !check;
    d_.element(i).IsSizeLock = check;
    d_.notifyElement(i);
}

void Editor::bigger() {
    const int i = d_.state.ContextElement;
    if (d_.isElement(i)) scaleElement(*this, i, 1.1);
}

void Editor::smaller() {
    const int i = d_.state.ContextElement;
    if (d_.isElement(i)) scaleElement(*this, i, 0.9);
}

void Editor::color() {
    const int i = d_.state.ContextElement;
    if (!d_.isElement(i)) return;
    Element& e = d_.element(i);
    const std::optional<OleColor> chosen = prompts_.chooseColour(e.BackColor);
    // Cancel in the colour dialog keeps the element's colour.
    if (!chosen) return;
    // The highlight colours mark candidates and picks; an element in its own colour must never
    // be mistaken for one.
    if (*chosen == d_.settings.CandidateColor) {
        prompts_.message(QStringLiteral("請勿選擇 候選色!"));
        return;
    }
    if (*chosen == d_.settings.SelectedColor) {
        prompts_.message(QStringLiteral("請勿選擇 已選色!"));
        return;
    }
    e.BackColor = *chosen;
    d_.notifyElement(i);
}
