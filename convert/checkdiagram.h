#pragma once

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

// Validates the diagram before it is saved or converted: tells the user of every missing
// participation up to the first failure and of that failure, fills "0,N" into those
// participations (through the editor) and returns whether there was no failure.
bool CheckDiagram(Editor& editor);
