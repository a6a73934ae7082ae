#include "sampleprojects.h"

#include <QCoreApplication>

#include "module1.h"
#include "placement.h"
#include "projectbuilder.h"
#include "sampledata.h"

namespace {

QString caption(const char* source) {
    return QCoreApplication::translate("SampleProjects", source);
}

// The sample as a stored project's rows, each element placed at its centre for now.
ProjectRows sampleRows(const SampleData& data, OleColor colour) {
    ProjectRows rows;
    for (const SampleElement& element : data.elements) {
        ProjectRows::ElementRow row;
        row.index = element.index;
        row.caption = caption(element.caption);
        row.colour = colour;
        row.left = element.x;
        row.top = element.y;
        row.kind = element.kind;
        row.owner = element.owner;
        row.key = element.key;
        const bool attribute = element.kind == KindAttribute || element.kind == KindMultAttribute;
        (attribute ? rows.attributes : rows.entityTypes).push_back(row);
    }
    for (const SampleLink& link : data.links) {
        ProjectRows::InvokeRow row;
        row.entity = link.entity;
        row.relationship = link.relationship;
        row.is2nd = link.second;
        row.isWeak = link.identifying;
        const QString participation = QString::fromLatin1(link.participation);
        row.min = MinPart(participation);
        row.max = MaxPart(participation);
        if (link.role) row.description = caption(link.role);
        rows.invokes.push_back(row);
    }
    return rows;
}

}  // namespace

QString sampleTitle(SampleProject sample) {
    switch (sample) {
        case SampleProject::University:
            return QCoreApplication::translate("SampleProjects", "大學選課");
        case SampleProject::Library:
            return QCoreApplication::translate("SampleProjects", "圖書館");
        case SampleProject::Company:
            break;
    }
    return QCoreApplication::translate("SampleProjects", "公司 (COMPANY)");
}

Document sampleDocument(SampleProject sample, Document empty, const ProgramSettings& settings) {
    Document document = buildDocument(std::move(empty), settings,
                                      sampleRows(sampleData(sample), settings.WindowBackColor));
    // Captions differ in length from one language to another: each element takes the size its
    // caption needs, and its centre stays where the sample put it.
    for (int i = 1; i < document.elementCount(); ++i) {
        Element& e = document.element(i);
        if (!e.Visible) continue;
        growToHoldCaption(e);
        e.Left -= e.Width / 2;
        e.Top -= e.Height / 2;
    }
    return document;
}

void openSample(Editor& editor, SampleProject sample) {
    const ProgramSettings settings = editor.diagram().settings;
    editor.newDiagram(
        QCoreApplication::translate("SampleProjects", "範例 %1").arg(sampleTitle(sample)),
        [&](Document empty) { return sampleDocument(sample, std::move(empty), settings); });
}
