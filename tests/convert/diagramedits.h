#pragma once

#include "diagram.h"

// What deleting leaves in the model, for tests that need deleted elements and connectors: hidden
// entries that keep their tags, taken out of the collections of what stays.
namespace DiagramEdits {

// Hides attribute a and its connector, and takes it off its owner's list.
void removeAttribute(Diagram& d, int a);
// Hides connector k's four members; its tag stays.
void hideConnector(Diagram& d, int k);
// A hidden, deleted connector that carries `tag`, drawn dotted when `dotted`.
int deletedConnector(Diagram& d, const QString& tag, bool dotted, const QString& participation);

}  // namespace DiagramEdits
