#include "editor.h"

// Placeholder until the participation commands are written.
void Editor::participation() {}
void Editor::description() {}
