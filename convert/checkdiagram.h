#pragma once

#include <QStringList>
#include <vector>

#include "diagram.h"
#include "editor.h"

// One defect of a diagram, as validation reports it.
struct DiagramProblem {
    enum class Kind {
        Empty,                     // no visible element
        NoKey,                     // an entity without a key attribute
        NoOwner,                   // an attribute without an owner
        TooFewEntities,            // a relationship with fewer than two entities
        IdentifyingParticipation,  // a weak entity's link whose participation is not "1,N"
        MissingParticipation,      // no participation: "0,N" is filled in, which is no failure
        NoRole,                    // a connector of a recursive pair without its role
        ClassLinks,                // a specialization or category without the classes it needs
        CategoryKey,               // a category's superclass without a key
        ClassCycle,                // an entity that is a subclass of itself through circles
        DefiningAttribute,         // a defining attribute that is not the superclass's
        MappingOption,             // a mapping option the specialization cannot take
    };
    Kind kind = Kind::Empty;
    QString message;    // the text validation shows
    int element = 0;    // the element it concerns (element defects)
    int connector = 0;  // the connector it concerns (connector defects)

    // A note rather than a failure: validation repairs it on the way.
    bool isNote() const { return kind == Kind::MissingParticipation; }
};

// Every defect of the diagram in the order validation visits them: elements by index, then the
// relationship connectors by index. Missing participations count as "0,N" from their own visit
// on, as validation fills them in. Changes nothing.
std::vector<DiagramProblem> findProblems(const Diagram& diagram);

// What validation found, changing nothing: the messages to show (every missing participation up
// to the first failure, then that failure), the connectors whose missing participation becomes
// "0,N" (they stay filled in even when a later step fails) and whether there was no failure.
struct Validation {
    QStringList messages;
    std::vector<int> defaults;
    bool passed = true;
};
Validation validateDiagram(const Diagram& diagram);

// Validates the diagram before it is saved or converted: shows validation's messages, puts its
// defaults in through the editor (one step, "預設參與度 0,N") and returns whether it passed.
bool CheckDiagram(Editor& editor);
