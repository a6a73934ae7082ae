#pragma once

#include "diagram.h"
#include "prompts.h"

// Validates the diagram before it is saved or converted: reports the first defect in a message
// and returns false, or returns true. Empty participations on relationship connectors are set to
// "0,N" on the way (with an information message).
bool CheckDiagram(Diagram& diagram, Prompts& prompts);
