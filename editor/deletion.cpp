#include "editor.h"

// Placeholder until the deletion commands are written.
void Editor::deleteAttribute() {}
void Editor::deleteEntity() {}
void Editor::deleteRelationship() {}
void Editor::deleteConnector() {}
void Editor::deleteElement(int) {}
