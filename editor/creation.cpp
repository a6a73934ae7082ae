#include "editor.h"

// Placeholder until creation is written.
int Editor::createElement(int) { return 0; }
void Editor::toolbarButton(const QString&) {}
void Editor::buttonMenuItem(const QString&) {}
void Editor::menuEntity() {}
void Editor::menuWeakEntity() {}
void Editor::menuAttribute() {}
void Editor::menuMultAttribute() {}
void Editor::menuKey() {}
void Editor::menuRelationship() {}
void Editor::menuWeakRelationship() {}
