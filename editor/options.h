#pragma once

#include "diagram.h"
#include "editor.h"

// What a change of settings does to a drawn diagram; Editor::applySettings runs these.

// Rewrites the participation of every live relationship connector into the other notation and
// lays it out again:
// - to min,max notation: a caption c becomes "1,c" on a doubled connector and "0,c" on a single
//   one; afterwards only a weak entity's link to its identifying relationship stays doubled;
// - to textbook notation: the caption keeps its maximum, and the connector is doubled exactly
//   when the minimum was "1" (the second line copies the main line's style).
// A connector without participation keeps its empty caption. Reads no setting: the caller sets
// PresentStyle.
void convertParticipationNotation(Editor& editor, bool toMinMax);

// Whether the connector from `first` to `second` joins a weak entity to one of its identifying
// relationships.
bool isIdentifyingLink(const Diagram& diagram, int first, int second);

// The window background, the two highlight colours and the two connector colours.
struct ColourChoice {
    OleColor windowBack = 0;
    OleColor candidate = 0;
    OleColor selected = 0;
    OleColor attLine = 0;
    OleColor relLine = 0;
};

// The colours in force, in the same shape.
ColourChoice coloursInForce(const ProgramSettings& settings);

// Puts new colours in force. Attribute connectors take the new attribute colour, relationship
// connectors (both lines) the new relationship colour, and so do the template lines new
// connectors are made from. Elements shown highlighted keep showing the highlight they had, in
// its new colour, so a running connect mode still tells them apart. New elements take the new
// background; elements already drawn keep their colours.
void applyColourChoice(Diagram& diagram, const ColourChoice& colours);
