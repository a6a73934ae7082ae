// Changes to the whole diagram that come from outside the drawing: a loaded project, the
// defaults validation fills in, the options dialog's settings, the stored settings at start-up,
// the project's name.
#include <QCoreApplication>
#include <utility>

#include "commandscope.h"
#include "options.h"

void Editor::replaceDiagram(Document document, const ProjectIdentity& project) {
    const CommandScope scope(*this);
    nameStep(QCoreApplication::translate("Wholesale", "載入"));
    d_.replaceDocument(std::move(document));
    nameProject(project);
    d_.state = WindowState{};
    d_.view.prompt.clear();
    d_.view.legendVisible = false;
    d_.view.toolbarEnabled = true;
    d_.view.selection.clear();
    d_.view.highlights.clear();
    abandoned_.clear();
    replaced_ = true;
    layoutAllConnectors();
}

void Editor::replaceDiagram(const std::function<Document(Document empty)>& build,
                            const ProjectIdentity& project) {
    const CommandScope scope(*this);
    d_.takeDocument();
    replaceDiagram(build(d_.document().emptyCopy()), project);
}

void Editor::restoreDiagram(Document document, int presentStyle, const ProjectIdentity& project) {
    const CommandScope scope(*this);
    nameStep(QCoreApplication::translate("Wholesale", "復原圖形"));
    replaceDiagram(std::move(document), project);
    if (presentStyle != d_.settings.PresentStyle)
        convertParticipationNotation(*this, d_.settings.PresentStyle == 1);
}

void Editor::applyDefaultParticipations(const std::vector<int>& connectors) {
    const CommandScope scope(*this);
    nameStep(QCoreApplication::translate("Wholesale", "預設參與度 0,N"));
    for (int k : connectors) {
        if (!d_.isConnector(k)) continue;
        d_.setLabelCaption(d_.connector(k).MN, QStringLiteral("0,N"));
        // The label's place depends on its size, which the new text changed.
        if (d_.isLiveConnector(k)) layoutConnector(k);
    }
}

void Editor::applySettings(const ProgramSettings& next, const TemplateInsets& insets) {
    const CommandScope scope(*this);
    nameStep(QCoreApplication::translate("Wholesale", "選項"));
    ProgramSettings& s = d_.settings;
    s.FKPK = next.FKPK;

    const bool labelsMove = s.MNPosition != next.MNPosition;
    s.MNPosition = next.MNPosition;
    if (labelsMove) layoutAllConnectors();

    const bool notationChanges = s.PresentStyle != next.PresentStyle;
    s.PresentStyle = next.PresentStyle;
    if (notationChanges) convertParticipationNotation(*this, s.PresentStyle == 1);

    applyColourChoice(d_, coloursInForce(next));

    // Elements already drawn keep their insets until "Repaint"; new elements copy the template.
    const Element& tmpl = std::as_const(d_).element(0);
    if (tmpl.RecWidth != insets.RecWidth || tmpl.EllWidth != insets.EllWidth ||
        tmpl.DiaWidth != insets.DiaWidth) {
        Element& changed = d_.element(0);
        changed.RecWidth = insets.RecWidth;
        changed.EllWidth = insets.EllWidth;
        changed.DiaWidth = insets.DiaWidth;
    }
    // The width of second lines counts from the next layout on.
    s.DoubleLineWidth = next.DoubleLineWidth;
    // The grid counts from the next drop or new element on; nothing drawn moves now.
    s.SnapToGrid = next.SnapToGrid;
    s.GridSize = next.GridSize;
}

void Editor::putSettingsInForce(const DiagramSettings& values) {
    // The window's background is no stored setting: it stays.
    const OleColor windowBack = d_.settings.WindowBackColor;
    d_.settings = values.settings;
    d_.settings.WindowBackColor = windowBack;
    Element& tmpl = d_.element(0);
    tmpl.RecWidth = values.insets.RecWidth;
    tmpl.EllWidth = values.insets.EllWidth;
    tmpl.DiaWidth = values.insets.DiaWidth;
    Connector& lines = d_.connector(0);
    lines.Line1.BorderColor = lines.Line2.BorderColor = d_.settings.RelLineColor;
    nameProject(std::nullopt, values.projectName);
}

DiagramSettings Editor::settingsInForce() const {
    const Element& tmpl = std::as_const(d_).element(0);
    return {d_.settings, {tmpl.RecWidth, tmpl.EllWidth, tmpl.DiaWidth}, d_.view.projectName};
}

void Editor::nameProject(const std::optional<ProjectIdentity>& identity,
                         const std::optional<QString>& typedName) {
    if (identity) d_.view.project = *identity;
    if (typedName) d_.view.projectName = *typedName;
    d_.notifyView();
}
