#include "options.h"

#include "module1.h"

bool isIdentifyingLink(const Diagram& diagram, int first, int second) {
    if (!diagram.isElement(first) || !diagram.isElement(second)) return false;
    return diagram.element(second).is(KindWeakRelationship) &&
           diagram.element(first).WeakRelationList.containsItem(qint16(second));
}

void convertParticipationNotation(Editor& editor, bool toMinMax) {
    Diagram& d = editor.diagram();
    const Diagram& model = d;
    for (int k = 1; k < model.connectorCount(); ++k) {
        if (!model.isLiveConnector(k) || !model.isRelationshipConnector(k)) continue;
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
            c.Line2.Visible = isIdentifyingLink(d, c.first, c.second);
        } else {
            d.setLabelCaption(c.MN, MaxPart(caption));
            c.Line2.Visible = MinPart(caption) == QLatin1String("1");
        }
        if (c.Line2.Visible) {
            c.Line2.BorderStyle = c.Line1.dotted() ? kLineDotted : kLineSolid;
        }
        editor.layoutConnector(k);
    }
}

ColourChoice coloursInForce(const ProgramSettings& s) {
    return {s.WindowBackColor, s.CandidateColor, s.SelectedColor, s.AttLineColor, s.RelLineColor};
}

void applyColourChoice(Diagram& d, const ColourChoice& colours) {
    const ColourChoice old = coloursInForce(d.settings);
    const Diagram& model = d;

    ProgramSettings& s = d.settings;
    s.WindowBackColor = colours.windowBack;
    if (model.element(0).BackColor != colours.windowBack)
        d.element(0).BackColor = colours.windowBack;
    s.CandidateColor = colours.candidate;
    // Elements a connect mode marks show the new highlight colours from the settings.
    s.SelectedColor = colours.selected;

    s.AttLineColor = colours.attLine;
    if (old.attLine != colours.attLine) {
        for (int k = 1; k < model.connectorCount(); ++k)
            if (model.connector(k).isAttribute())
                d.connector(k).Line1.BorderColor = colours.attLine;
    }
    s.RelLineColor = colours.relLine;
    if (old.relLine != colours.relLine) {
        for (int k = 0; k < model.connectorCount(); ++k) {
            // The template (0) gives new connectors their colour.
            // Superclass and subclass lines are drawn in the relationship colour too.
            if (k != 0 && !model.connector(k).isRelationship() && !model.connector(k).isClassLink())
                continue;
            Connector& c = d.connector(k);
            c.Line1.BorderColor = c.Line2.BorderColor = colours.relLine;
        }
    }
}
