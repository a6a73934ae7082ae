#pragma once

#include <QString>
#include <optional>

#include "editor.h"

// Prompts that answer nothing: benchmarks never show a dialog.
class SilentPrompts : public Prompts {
public:
    void message(const QString&) override {}
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<OleColor> chooseColour(OleColor) override { return std::nullopt; }
    bool confirm(const QString&, Answer) override { return false; }
    SaveChoice askToSave(const QString&) override { return SaveChoice::Cancel; }
};

// Draws a generated diagram through the editor commands: `entities` entities on a grid, each with
// `attributesPerEntity` attributes (the first a key), and `relationships` relationships, every
// other one binary and the rest ternary.
// Elements are laid out 40 to a row, `pitchX` by `pitchY` pixels apart.
inline void drawGeneratedDiagram(Editor& editor, int entities, int attributesPerEntity,
                                 int relationships, float pitchX = 110, float pitchY = 90) {
    Diagram& d = editor.diagram();
    auto place = [&](int i, int slot) {
        d.element(i).Left = 40 + float(slot % 40) * pitchX;
        d.element(i).Top = 40 + float(slot / 40) * pitchY;
    };
    auto click = [&](int i) { editor.elementLeftDown(i, 1, 1); };
    int slot = 0;
    std::vector<int> entityIndex;
    for (int n = 0; n < entities; ++n) {
        const int e = editor.createElement(KindEntity);
        place(e, slot++);
        entityIndex.push_back(e);
        for (int a = 0; a < attributesPerEntity; ++a) {
            const int att = editor.createElement(KindAttribute);
            place(att, slot++);
            editor.toolbarButton(QStringLiteral("AttLine"));
            click(e);
            click(att);
            if (a == 0) {
                editor.elementRightDown(att);
                editor.menuKey(att);
            }
        }
    }
    for (int n = 0; n < relationships; ++n) {
        const int r = editor.createElement(KindRelationship);
        place(r, slot++);
        const int participants = n % 2 == 0 ? 2 : 3;
        for (int p = 0; p < participants; ++p) {
            const int e = entityIndex[size_t((n + p * 7) % entities)];
            editor.toolbarButton(QStringLiteral("RelLine"));
            click(e);
            click(r);
            if (p == 0) {
                const int second = entityIndex[size_t((n + 1) % entities)];
                click(second);
                ++p;
            }
        }
    }
}
