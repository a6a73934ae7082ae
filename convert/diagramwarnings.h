#pragma once

#include <QString>
#include <vector>

#include "diagram.h"

// Things a teacher would point out that never stop a save or a conversion.
struct DiagramWarning {
    enum class Kind {
        MinimumAboveMaximum,     // a participation such as "2,1"
        ManyToManyBothTotal,     // a many-to-many relationship both sides of which must take part
        WeakEntityWithoutOwnKey, // a weak entity without a partial key of its own
        DuplicateName,           // two entities, or two relationships, of one caption
        DuplicateAttribute,      // one attribute caption twice within an entity or relationship
    };
    Kind kind;
    QString message;    // the element's caption comes first
    int element = 0;
    int connector = 0;
};

// The warnings of a diagram: elements by index, then relationship connectors by index.
std::vector<DiagramWarning> findWarnings(const Diagram& diagram);
