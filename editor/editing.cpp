#include "editor.h"

// Placeholder until the editing commands are written.
void Editor::rename(Menu) {}
void Editor::lockSize(Menu) {}
void Editor::bigger() {}
void Editor::smaller() {}
void Editor::color() {}
