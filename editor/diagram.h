#pragma once

#include <QObject>
#include <vector>

#include "diagramstep.h"
#include "document.h"
#include "programsettings.h"
#include "session.h"

// What one command changed, announced once at its end; views repaint from it.
struct DiagramChange {
    std::vector<int> elements;    // indices whose data changed, in the order first changed
    std::vector<int> connectors;  // likewise
    bool reset = false;           // the whole document was replaced: read everything again
    // Entries past the new counts are gone (an undo of what commands appended); they are named
    // nowhere else, since no index of theirs is valid any more.
    bool removed = false;
};

// The diagram as the editor works on it: the document (what a project is), the editing session
// and the settings in force. Views listen to changed(); the model needs no widget.
//
// Every changing access to an element or connector counts it as changed. Commands run between
// beginChange() and endChange() (the Editor does this for each of its commands); the outermost
// endChange() emits one change set. Code outside any command (fixtures that build a diagram
// directly) announces what it changed with the notify functions.
class Diagram : public QObject {
    Q_OBJECT
public:
    static constexpr int kLargestIndex = Document::kLargestIndex;

    Diagram();

    const Document& document() const { return doc_; }
    // Puts another document in place of this one (a project loaded); the views read it anew.
    void replaceDocument(Document document);
    // Hands the document over, leaving one with the same templates and nothing else.
    Document takeDocument();
    // The templates alone (indices start again at 1) and a zeroed window state; the settings stay.
    void clear();

    // Elements. elementCount() includes the template and hidden entries.
    int elementCount() const { return doc_.elementCount(); }
    Element& element(int i) {
        touchElement(i);
        return doc_.element(i);
    }
    const Element& element(int i) const { return doc_.element(i); }
    bool isElement(int i) const { return doc_.isElement(i); }
    bool isLiveElement(int i) const { return doc_.isLiveElement(i); }
    int loadElement();

    // Connectors. connectorCount() includes the template 0.
    int connectorCount() const { return doc_.connectorCount(); }
    Connector& connector(int k) {
        touchConnector(k);
        return doc_.connector(k);
    }
    const Connector& connector(int k) const { return doc_.connector(k); }
    bool isConnector(int k) const { return doc_.isConnector(k); }
    bool isLiveConnector(int k) const { return doc_.isLiveConnector(k); }
    // A new connector of `kind` from `first` to `second`, its main line coloured as the settings
    // colour its kind; 0 when full.
    int loadConnector(ConnectorKind kind, int first, int second);
    const std::vector<int>& connectorsOf(int i) const { return doc_.connectorsOf(i); }

    bool isRelationshipConnector(int k) const { return connector(k).isRelationship(); }
    bool isAttributeConnector(int k) const { return connector(k).isAttribute(); }

    // The settings in force and the editing session.
    ProgramSettings settings;
    EditingSession session;
    // The session's parts by their short names.
    WindowState& state = session.state;
    MenuChecks& checks = session.checks;
    ViewState& view = session.view;

    // The colour element i shows: the settings' colour of its highlight while a connect mode
    // marks it, its own otherwise.
    OleColor shownColour(int i) const;

    static void setLabelCaption(Label& label, const QString& caption) {
        ::setLabelCaption(label, caption);
    }
    static QSizeF labelSize(const QString& caption) { return ::labelSize(caption); }
    static QFont labelFont() { return ::labelFont(); }

    // Steps for the history. Between startRecording and finishRecording every element and
    // connector is kept as it was before its first change; the step holds those and their values
    // at the end. applyImages puts one side of a step in place (before: undo, after: redo); the
    // change it announces names the entries it set, and views drop what lies past the counts.
    void startRecording();
    DiagramStep finishRecording();
    bool recording() const { return recording_; }
    void applyImages(const DiagramStep::Images& images);

    // Change sets; see the class comment.
    void beginChange();
    void endChange();
    bool changeOpen() const { return changeDepth_ > 0; }
    // Announces what the running command has changed so far: before it waits for the user in a
    // dialog, the views show its work.
    void showChangesSoFar();
    void notifyElement(int i);
    void notifyConnector(int k);
    void notifyView();

Q_SIGNALS:
    void changed(const DiagramChange& change);

private:
    void touchElement(int i);
    void touchConnector(int k);
    // Emits what has been collected, unless a command is still running.
    void announce();

    void recordDocument();
    DiagramStep::Session sessionImage() const;

    Document doc_;
    bool recording_ = false;
    DiagramStep step_;
    std::vector<bool> elementRecorded_, connectorRecorded_;
    std::vector<int> recordedElements_, recordedConnectors_;
    int changeDepth_ = 0;
    DiagramChange pending_;
    bool pendingView_ = false;
    std::vector<bool> elementTouched_, connectorTouched_;
};

// Opens a change for the lifetime of the scope.
class ChangeScope {
public:
    explicit ChangeScope(Diagram& diagram) : d_(diagram) { d_.beginChange(); }
    ~ChangeScope() { d_.endChange(); }
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;

private:
    Diagram& d_;
};
