#pragma once

#include <QtGlobal>

#include "olecolor.h"

// Program-wide settings the editor, converter and store read. Held in memory while the program
// runs; the settings store loads and saves them.
struct ProgramSettings {
    qint16 PresentStyle = 1;  // 1 enhanced mode (min,max notation), 0 textbook mode
    qint16 MNPosition = 1;    // 0 participation label near the entity, else near the relationship
    qint16 FKPK = 2;          // foreign-key arrows: 2 routed around the text, 1 elbowed, 0 straight
    qint16 DoubleLineWidth = 5;
    OleColor SelectedColor = 16711680;  // blue
    OleColor CandidateColor = 255;      // red
    OleColor AttLineColor = 16744576;
    OleColor RelLineColor = 8421631;
    OleColor WindowBackColor = 0xF0F0F0;  // the main window's background; not stored
    // Dropped and new elements put their top-left corner on the grid, GridSize units apart.
    bool SnapToGrid = false;
    qint16 GridSize = 20;

    // The grid elements snap to; 0 while snapping is off.
    int snapGrid() const { return SnapToGrid && GridSize > 0 ? GridSize : 0; }

    bool enhancedMode() const { return PresentStyle == 1; }

    friend bool operator==(const ProgramSettings&, const ProgramSettings&) = default;
};
