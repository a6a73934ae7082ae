#pragma once

#include <QString>
#include <array>

#include "editor.h"

// The sample diagrams File -> 範例 opens, for students to look at and teachers to start from.
enum class SampleProject { Company, University, Library };
inline constexpr std::array kSampleProjects{SampleProject::Company, SampleProject::University,
                                            SampleProject::Library};

// The sample's name as the menu lists it, in the program's language.
QString sampleTitle(SampleProject sample);

// The sample built into `empty` (a document with the templates of the diagram it is to go into),
// its captions in the program's language, each element as large as its caption needs around the
// centre the sample gives it, in the window's background colour; drawn in the notation of
// `settings`. Connectors are left for the editor to lay out.
Document sampleDocument(SampleProject sample, Document empty, const ProgramSettings& settings);

// File -> 範例: the sample in place of the diagram as a new diagram, one step ("範例 圖書館").
void openSample(Editor& editor, SampleProject sample);
