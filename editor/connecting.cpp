#include "editor.h"

// Placeholder until connecting is written.
void Editor::startAttributeConnection() {}
void Editor::startRelationshipConnection() {}
void Editor::elementLeftDown(int, float, float) {}
Editor::Popup Editor::elementRightDown(int) { return Popup::None; }
void Editor::elementHover(int) {}
void Editor::dropElement(int, float, float) {}
int Editor::connectorAt(float, float) const { return 0; }
bool Editor::drawingAreaRightDown(float, float) { return false; }
void Editor::cancel() {}
int Editor::createConnector(int, int, bool) { return 0; }
void Editor::finishMode() {}
void Editor::setToolbarEnabled(bool) {}
