#pragma once

#include <QString>

#include "editor.h"

// The names of the 排列 commands, which their menu items show and their undo steps take.
QString alignmentName(Editor::Alignment alignment);
QString distributionName(Qt::Orientation orientation);
// The names of the automatic arrangements (arranging.cpp).
QString arrangeAttributesName();
QString arrangeDiagramName();
