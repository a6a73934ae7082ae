#pragma once

#include <QString>
#include <vector>

#include "document.h"

// Find (Ctrl+F): the live elements whose caption contains `text`, ignoring case and the spaces
// around it. Captions equal to the text come first, then those that begin with it, then the
// rest; within each, by caption and then by index. Empty text finds nothing.
std::vector<int> elementsNamed(const Document& document, const QString& text);

// The match after `current` (step 1) or before it (step -1), from the last back to the first
// and the other way round; the first (or the last) when `current` is none of them; 0 without
// matches.
int adjacentMatch(const std::vector<int>& matches, int current, int step);
