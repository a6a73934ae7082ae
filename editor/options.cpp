#include "options.h"

#include <vector>

#include "module1.h"

bool isIdentifyingLink(const Diagram& diagram, const QString& tag) {
    const TagEnds ends = tagEnds(tag);
    if (!diagram.isElement(ends.first) || !diagram.isElement(ends.second)) return false;
    const Element& relationship = diagram.element(ends.second);
    return relationship.is(KindWeakRelationship) &&
           diagram.element(ends.first).WeakRelationList->containsItem(qint16(ends.second));
}

void convertParticipationNotation(Editor& editor, bool toMinMax) {
    Diagram& d = editor.diagram();
    for (int k = 1; k < d.connectorCount(); ++k) {
        if (!d.isLiveConnector(k) || !d.isRelationshipConnector(k)) continue;
        Connector& c = d.connector(k);
        const QString caption = c.MN.Caption;
        if (toMinMax) {
            // An empty caption means no participation was given yet; "0," would be no text at all.
            if (!caption.isEmpty())
                d.setLabelCaption(
                    c.MN,
                    (c.Line2.Visible ? QStringLiteral("1,") : QStringLiteral("0,")) + caption);
            // In min,max notation the second line marks identification only. An owner's link to
            // the same relationship stays single, or it would be taken for a weak entity's.
            c.Line2.Visible = isIdentifyingLink(d, c.Line1.Tag);
        } else {
            d.setLabelCaption(c.MN, MaxPart(caption));
            c.Line2.Visible = MinPart(caption) == QLatin1String("1");
        }
        if (c.Line2.Visible) {
            c.Line2.Tag = c.Line1.Tag;
            c.Line2.BorderStyle = c.Line1.dotted() ? kLineDotted : kLineSolid;
        }
        editor.layoutConnector(k);
    }
}

ColourChoice coloursInForce(const Diagram& diagram) {
    const ProgramSettings& s = diagram.settings;
    return {s.WindowBackColor, s.CandidateColor, s.SelectedColor, s.AttLineColor, s.RelLineColor};
}

void applyColourChoice(Diagram& d, const ColourChoice& colours) {
    const ColourChoice old = coloursInForce(d);

    // Kinds are read before any colour changes, so a new colour that equals an old one of the
    // other kind cannot turn one kind into the other.
    std::vector<int> attributeConnectors, relationshipConnectors;
    for (int k = 1; k < d.connectorCount(); ++k) {
        const OleColor colour = d.connector(k).Line1.BorderColor;
        if (colour == old.attLine)
            attributeConnectors.push_back(k);
        else if (colour == old.relLine)
            relationshipConnectors.push_back(k);
    }
    std::vector<std::pair<int, OleColor>> highlighted;
    for (int i = 1; i < d.elementCount(); ++i) {
        const OleColor colour = d.element(i).BackColor;
        if (colour == old.candidate && colours.candidate != old.candidate)
            highlighted.emplace_back(i, colours.candidate);
        else if (colour == old.selected && colours.selected != old.selected)
            highlighted.emplace_back(i, colours.selected);
    }

    ProgramSettings& s = d.settings;
    s.WindowBackColor = colours.windowBack;
    d.element(0).BackColor = colours.windowBack;
    s.CandidateColor = colours.candidate;
    s.SelectedColor = colours.selected;
    // The element keeps its own colour in its Tag; only the highlight shown changes.
    for (const auto& [i, colour] : highlighted) {
        d.element(i).BackColor = colour;
        d.notifyElement(i);
    }

    s.AttLineColor = colours.attLine;
    for (int k : attributeConnectors) {
        if (old.attLine == colours.attLine) break;
        d.connector(k).Line1.BorderColor = colours.attLine;
        d.notifyConnector(k);
    }
    s.RelLineColor = colours.relLine;
    Connector& templates = d.connector(0);
    templates.Line1.BorderColor = templates.Line2.BorderColor = colours.relLine;
    for (int k : relationshipConnectors) {
        if (old.relLine == colours.relLine) break;
        Connector& c = d.connector(k);
        c.Line1.BorderColor = c.Line2.BorderColor = colours.relLine;
        d.notifyConnector(k);
    }
}
