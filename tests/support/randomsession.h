#pragma once

#include <QString>
#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "diagrambuilder.h"
#include "history.h"

// Random sequences of editor commands (creation, kind menus, connect modes with their clicks and
// Cancel, weak designation, editing, deletion, dragging, the Line menu, undo and redo), for
// property tests over whatever diagrams editing can leave behind.
// Drives one random sequence through the editor.
class RandomSession {
public:
    explicit RandomSession(unsigned seed) : rng_(seed) {
        history.stack().setUndoLimit(0);  // unlimited, so every step can be taken back
        b.editor.setHistory(&history);
    }

    DiagramBuilder b;
    History history{b.d};
    // Also specialization and category circles, "Set Subclass" and the circle menu's commands.
    bool enhanced = false;
    std::set<int> abandoned;
    std::vector<std::string> trace;

    void step() {
        const ConnectMode modeBefore = b.d.state.ConnectMode;
        const int pendingBefore = b.d.state.PendingLine;
        const size_t logged = trace.size();
        act();
        if (trace.size() == logged) log("nothing");
        // A connection left waiting for its second entity other than by its completing click leaves
        // its first connector behind without relations. It is abandoned when the relationship did
        // not gain its first entity.
        const ConnectMode mode = b.d.state.ConnectMode;
        if (modeBefore == ConnectMode::SecondEntity && mode != ConnectMode::SecondEntity) {
            const Connector& pending = std::as_const(b.d).connector(pendingBefore);
            if (!b.d.element(pending.second).RelativeEntityList.containsItem(pending.first))
                abandoned.insert(pendingBefore);
        }
    }

private:
    int chance(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    template <typename T>
    T any(const std::vector<T>& v) {
        return v[size_t(chance(int(v.size())))];
    }

    std::vector<int> live(bool (Element::*kind)() const = nullptr) const {
        std::vector<int> result;
        for (int i = 1; i < b.d.elementCount(); ++i)
            if (b.d.isLiveElement(i) && (!kind || (b.d.element(i).*kind)())) result.push_back(i);
        return result;
    }
    std::vector<int> candidates() const {
        std::vector<int> result;
        for (int i : live())
            if (b.d.view.highlights.of(i) == Highlight::Candidate) result.push_back(i);
        return result;
    }

    void log(const QString& text) { trace.push_back(text.toStdString()); }

    void act() {
        const std::vector<int> elements = live();
        const bool toolbar = b.d.view.toolbarEnabled;
        const int roll = chance(100);
        if (enhanced && (chance(4) == 0 || (!toolbar && candidates().empty())))
            return enhancedStep(toolbar);
        if (roll < 14 || elements.size() < 3) {
            if (toolbar && elements.size() < 24) return create();
            if (!toolbar) return click();
        }
        if (roll < 24 && toolbar) {
            const char* button = chance(2) ? "AttLine" : "RelLine";
            log(QString("toolbar %1").arg(button));
            return b.editor.toolbarButton(button);
        }
        if (roll < 50) return click();
        if (roll < 53) {
            log("cancel");
            return b.editor.cancel();
        }
        if (elements.empty()) return;
        const int i = any(elements);
        if (roll < 62) return kindMenu(i);
        if (roll < 70) return editMenu(i);
        if (roll < 77) return deleteMenu(i);
        if (roll < 80) {
            if (chance(2)) return deleteSeveral(elements);
            log(QString("delete key %1").arg(i));
            return b.editor.deleteElement(i);
        }
        if (roll < 84) {
            if (chance(2)) selectSome(elements, i);
            log(QString("drag %1 of %2 selected").arg(i).arg(b.d.view.selection.size()));
            b.editor.elementLeftDown(i, 3, 4);
            return b.editor.dropElement(i, float(chance(800)), float(chance(600)));
        }
        if (roll < 94) return lineMenu();
        if (roll < 97) return weakDesignation();
        log(roll < 99 ? "undo" : "redo");
        return roll < 99 ? b.editor.undo() : b.editor.redo();
    }

    // A rubber band around some elements, `with` among them, and then Ctrl+clicks.
    void selectSome(const std::vector<int>& elements, int with = 0) {
        std::vector<int> band;
        for (int i : elements)
            if (chance(3) == 0) band.push_back(i);
        if (with) band.push_back(with);
        b.editor.selectElements(band);
        for (int n = chance(3); n > 0; --n) {
            const int i = any(elements);
            if (i != with) b.editor.toggleSelected(i);
        }
    }

    void deleteSeveral(const std::vector<int>& elements) {
        if (chance(4) == 0)
            b.editor.selectAll();
        else
            selectSome(elements);
        log(QString("delete %1 selected").arg(b.d.view.selection.size()));
        b.editor.deleteSelection();
    }

    void create() {
        static const char* items[] = {"Entity",       "Attribute",  "MultAttribute",
                                      "Relationship", "WeakEntity", "WeakRelationship"};
        const char* item = items[chance(4) == 0 ? 4 + chance(2) : chance(4)];
        log(QString("create %1").arg(item));
        b.editor.buttonMenuItem(item);
    }

    // A click in the running mode, mostly on a candidate so that links get made.
    void click() {
        std::vector<int> picks = candidates();
        // Mostly binary relationships: the first entity, a candidate again in mode 5, is picked
        // less often.
        if (b.d.state.ConnectMode == ConnectMode::SecondEntity && picks.size() > 1 && chance(4)) {
            const int first = b.d.state.FirstPick;
            picks.erase(std::remove(picks.begin(), picks.end(), first), picks.end());
        }
        const std::vector<int> elements = live();
        if (elements.empty()) return;
        const int i = !picks.empty() && chance(5) ? any(picks) : any(elements);
        log(QString("click %1 (mode %2)").arg(i).arg(int(b.d.state.ConnectMode)));
        b.click(i);
    }

    void kindMenu(int i) {
        const Editor::Popup popup = b.editor.elementRightDown(i);
        const int item = chance(2);
        log(QString("kind menu %1 item %2").arg(i).arg(item));
        switch (popup) {
            case Editor::Popup::Entity:
                if (item) return b.editor.menuEntity(i);
                return b.editor.menuWeakEntity(i);
            case Editor::Popup::Attribute:
                if (chance(3) == 0) return b.editor.menuKey(i);
                return item ? b.editor.menuAttribute(i) : b.editor.menuMultAttribute(i);
            case Editor::Popup::Relationship:
                return item ? b.editor.menuRelationship() : b.editor.menuWeakRelationship();
            case Editor::Popup::Specialization:
                return b.editor.setOverlapping(i, item);
            case Editor::Popup::None:
                return;
        }
    }

    void editMenu(int i) {
        const Editor::Popup popup = b.editor.elementRightDown(i);
        const Editor::Menu menu = popup == Editor::Popup::Entity      ? Editor::Menu::Entity
                                  : popup == Editor::Popup::Attribute ? Editor::Menu::Attribute
                                                                      : Editor::Menu::Relationship;
        const int command = chance(5);
        log(QString("edit menu %1 command %2").arg(i).arg(command));
        switch (command) {
            case 0:
                if (chance(3) == 0)
                    b.prompts.answerCancel();
                else
                    b.prompts.answer(chance(4) ? QString("N%1").arg(i) : QString());
                return b.editor.rename(menu, i);
            case 1:
                return b.editor.lockSize(menu, i);
            case 2:
                return b.editor.bigger(i);
            case 3:
                return b.editor.smaller(i);
            default: {
                const std::optional<OleColor> colours[] = {
                    std::nullopt, b.d.settings.CandidateColor, b.d.settings.SelectedColor,
                    OleColor(chance(0x1000000))};
                b.prompts.answerColour(colours[chance(4)]);
                return b.editor.color(i);
            }
        }
    }

    void deleteMenu(int i) {
        const Editor::Popup popup = b.editor.elementRightDown(i);
        log(QString("delete menu %1").arg(i));
        switch (popup) {
            case Editor::Popup::Entity:
                return b.editor.deleteEntity(i);
            case Editor::Popup::Attribute:
                return b.editor.deleteAttribute(i);
            case Editor::Popup::Relationship:
                return b.editor.deleteRelationship(i);
            case Editor::Popup::Specialization:
                return b.editor.deleteSpecialization(i);
            case Editor::Popup::None:
                return;
        }
    }

    // A right click on a relationship connector's midpoint, then one of the Line menu's items.
    void lineMenu() {
        std::vector<int> lines;
        for (int k = 1; k < b.d.connectorCount(); ++k)
            if (b.d.isLiveConnector(k) && b.d.isRelationshipConnector(k)) lines.push_back(k);
        if (lines.empty()) return;
        const Line& line = b.d.connector(any(lines)).Line1;
        if (!b.editor.drawingAreaRightDown((line.X1 + line.X2) / 2, (line.Y1 + line.Y2) / 2))
            return;
        const int k = b.d.state.CurrentLine;
        const int item = chance(3);
        log(QString("line menu %1 item %2").arg(k).arg(item));
        // Through the editor's commands, so that every change is a step of the history too.
        if (item == 0) {
            b.prompts.answer(chance(2) ? "1,N" : "0,1");
            return b.editor.participation(k);
        }
        if (item == 1) {
            b.prompts.answer(QString("role%1").arg(k));
            return b.editor.description(k);
        }
        b.editor.deleteConnector(k);
    }

    // A circle made, "Set Subclass" started, or one of a circle's own commands.
    void enhancedStep(bool toolbar) {
        if (!toolbar && candidates().empty()) {
            log("cancel, nothing to click");
            return b.editor.cancel();
        }
        const std::vector<int> circles = live(&Element::isSpecializationKind);
        const std::vector<int> entities = live(&Element::isEntityKind);
        if (toolbar && entities.size() < 3) {
            log("create Entity");
            return b.editor.toolbarButton("Entity");
        }
        const int roll = chance(10);
        if (toolbar && (roll < 2 || circles.empty())) {
            const char* button = chance(3) ? "Specialization" : "Category";
            log(QString("toolbar %1").arg(button));
            return b.editor.toolbarButton(button);
        }
        if (toolbar && roll < 4) {
            log("toolbar SubLine");
            return b.editor.toolbarButton("SubLine", chance(3) == 0);
        }
        if (circles.empty()) return;
        const int c = any(circles);
        switch (roll) {
            case 4:
            case 5: {
                if (entities.size() < 2) return;
                const int superclass = any(entities);
                int subclass = any(entities);
                if (subclass == superclass && chance(4)) subclass = any(entities);
                log(QString("link %1 to %2 via %3").arg(superclass).arg(subclass).arg(c));
                b.editor.linkSubclass(superclass, c, subclass);
                if (chance(2)) b.editor.setTotalSpecialization(c, chance(2));
                return;
            }
            case 6:
                log(QString("mapping %1").arg(c));
                return b.editor.setSubclassMapping(c, SubclassMapping(chance(4)));
            case 7: {
                const std::vector<int> attributes = live(&Element::isAttributeKind);
                log(QString("defining attribute %1").arg(c));
                if (chance(2) || attributes.empty()) {
                    b.prompts.answer(attributes.empty() || chance(3) == 0
                                         ? QString()
                                         : b.d.element(any(attributes)).Caption);
                    return b.editor.chooseDefiningAttribute(c);
                }
                return b.editor.setDefiningAttribute(c, any(attributes));
            }
            case 8:
                log(QString("overlapping %1").arg(c));
                return b.editor.setOverlapping(c, chance(2));
            default:
                log(QString("delete circle %1").arg(c));
                return b.editor.deleteSpecialization(c);
        }
    }

    void weakDesignation() {
        std::vector<int> entities;
        for (int e : live(&Element::isEntityKind))
            if (!b.d.element(e).RelationList.isEmpty()) entities.push_back(e);
        if (entities.empty()) return;
        const int w = any(entities);
        b.editor.elementRightDown(w);
        b.editor.menuWeakEntity(w);
        const std::vector<int> picks = candidates();
        log(QString("weak designation %1 (%2 candidates)").arg(w).arg(picks.size()));
        if (!picks.empty()) b.click(any(picks));
    }

    std::mt19937 rng_;
};
