#pragma once

#include <vector>

#include "layoutplan.h"

// "Arrange the whole diagram" (or the chosen elements with the attributes of their owners): see
// diagramlayout.cpp for the method. Elements come out clear of each other: each entity and
// relationship takes the room its attribute ring needs (AttributeRings::reach), a weak entity
// sits right beside its identifying relationship, and separate parts of the diagram lie side by
// side in rows. The whole diagram keeps its top left corner; chosen elements keep theirs too when
// that leaves them clear of the others, or else go below everything else.
LayoutPlan layOutDiagram(const Document& doc, const std::vector<int>& chosen);
