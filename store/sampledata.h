#pragma once

#include <vector>

#include "sampleprojects.h"

// One element of a sample: its index, kind and caption (a source text of the context
// "SampleProjects"), the centre of its place and, for an attribute, its owner (an entity, a
// relationship, or the composite attribute it is part of) and whether it is a key.
struct SampleElement {
    int index = 0;
    int kind = 0;
    const char* caption = nullptr;
    float x = 0, y = 0;
    int owner = 0;
    bool key = false;
};

// An entity's line to a relationship: its participation "min,max", the role of a line of a
// recursive pair, whether it is the pair's second line, and whether it is a weak entity's line to
// its identifying relationship.
struct SampleLink {
    int entity = 0, relationship = 0;
    const char* participation = nullptr;
    const char* role = nullptr;
    bool second = false;
    bool identifying = false;
};

struct SampleData {
    std::vector<SampleElement> elements;  // entities and relationships first, in index order
    std::vector<SampleLink> links;        // in the order the lines are drawn
};

const SampleData& sampleData(SampleProject sample);
