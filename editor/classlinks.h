#pragma once

#include <QString>
#include <vector>

#include "document.h"

// What a specialization or category circle joins, read from its live connectors: the classes
// above it and below it, each with the connector to it, in connector order.
struct ClassLinks {
    std::vector<int> superclasses, subclasses;
    std::vector<int> superclassConnectors, subclassConnectors;
};
ClassLinks classLinksOf(const Document& document, int circle);

// The classes' captions joined by ", "; "無" for none.
QString classCaptions(const Document& document, const std::vector<int>& classes);

// Whether a line of `kind` to the circle is the one drawn double when the circle is total: the
// superclass line of a specialization, the subclass line of a category.
bool carriesTotal(const Element& circle, ConnectorKind kind);

// Why `subclass` may not join `superclass` through `circle` (the two entities and the circle
// live): a class below itself, a second superclass of a specialization or subclass of a category,
// a class both above and below the circle, or the two joined that way already. Empty when it may.
QString subclassLinkRefusal(const Document& document, int superclass, int circle, int subclass);

// The mark a circle shows: "∪" for a category, "d" or "o" for a specialization.
QString specializationMark(const Element& circle);

// The textbook's name of a mapping option: "8A" to "8D".
QString subclassMappingName(SubclassMapping mapping);
// Reads "8A" to "8D" (also "A" to "D", any case); false for anything else.
bool parseSubclassMapping(const QString& text, SubclassMapping* mapping);
