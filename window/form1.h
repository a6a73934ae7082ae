#pragma once

#include <QMainWindow>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "diagram.h"
#include "drawingscale.h"
#include "editor.h"
#include "sampleprojects.h"
#include "workspace.h"

class Canvas;
class ElementMenus;
class FindWindow;
class HelpWindow;
class OverviewDock;
class QAction;
class QGroupBox;
class QLabel;
class QPushButton;
class QStatusBar;
class QToolBar;
class QToolButton;

// The main window: a view of the workspace's diagram. It hosts the canvas, builds the menus,
// toolbar, command buttons, legend and status bars under their established object names, turns
// their events into Editor calls and mirrors the view state; what lies outside the editor
// (saving, loading, converting, the other windows, settings) leaves through signals.
class Form1 : public QMainWindow {
    Q_OBJECT
public:
    explicit Form1(Workspace& workspace, QWidget* parent = nullptr);
    ~Form1() override;

    Diagram& diagram() { return workspace_.diagram(); }
    Editor& editor() { return workspace_.editor(); }
    Prompts& prompts() { return workspace_.prompts(); }
    Canvas* canvas() const { return canvas_; }
    ElementMenus* menus() const { return menus_; }
    // The overview of the whole diagram (View -> 鳥瞰圖), a dock of this window.
    OverviewDock* overviewDock() const { return overview_; }
    // The toolbar button of a key ("Entity", "Attribute", "Relationship", "AttLine", "RelLine").
    QToolButton* toolbarButton(const QString& key) const;

    // Applies the window background and the legend colours from diagram().settings; called at
    // construction, and again by whoever changes the settings.
    void applySettings();
    // "Convert" is offered in enhanced mode only; the application decides.
    void setConvertEnabled(bool enabled);

    // The elements' bounding rectangle of the drawing area as a picture, without buttons and
    // legend; a null pixmap when no element is visible.
    QPixmap captureDiagram();
    // Puts that picture on the clipboard; false (and the clipboard untouched) when there is none.
    bool copyCaptureToClipboard();
    // File -> "Capture": the picture to the clipboard, or a message that there is nothing to take.
    void capture();
    // 說明 -> 使用說明 (F1): the help window, opened at the section of `anchor` (the first when
    // empty), its list of keys read from this window's actions and buttons.
    HelpWindow* showHelp(const QString& anchor = {});

    // 編輯 -> 尋找... (Ctrl+F): the find window, opened (or brought to the front).
    FindWindow* showFind();
    // 檢視 -> 顯示格線: whether the drawing area shows the grid (the settings keep it).
    void setGridShown(bool shown);
    bool gridShown() const;

    // A short note in the status bar of what a command did ("已儲存 Project X").
    void showStatus(const QString& text);
    // File -> 最近的專案 lists these, newest first; a click asks for the one at its index.
    void setRecentProjects(const QStringList& labels);

    // The drawing scale remembered at maximize ("NormalForm1…" settings): read it before the
    // settings are saved, set it after they are loaded.
    RememberedScale scaleMemory() const { return scaleMemory_.remembered(); }
    void setScaleMemory(const RememberedScale& scale) { scaleMemory_.setRemembered(scale); }
    // 2 while a maximize is remembered, else 0.
    float scaleMemoryFlag() const { return scaleMemory_.flag(); }

    // Asked before the window closes (the close button, Ctrl+Q); false keeps it open.
    std::function<bool()> closeGuard;

Q_SIGNALS:
    void newRequested();
    void exportRequested();
    void importRequested();
    void exportSqlRequested();
    void exportPictureRequested();
    void printRequested();
    void printPreviewRequested();
    void compareRequested();
    void saveRequested();
    void saveAsRequested();
    void recentProjectRequested(int index);
    // File -> 範例: one of the sample diagrams.
    void sampleRequested(SampleProject sample);
    void loadRequested();
    void convertRequested();
    void optionsRequested();
    void welcomeRequested();
    void aboutRequested();
    // After "Capture" ran: the picture is on the clipboard, or the user was told there is none.
    void captureRequested();
    // The window is about to close; settings can still be read from it.
    void closing();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildMenus();
    void buildEditMenu();
    // 編輯: find an element by name (Ctrl+F, F3, Shift+F3).
    void addFindItems(QMenu* edit);
    // "排列": align and distribute the selection.
    void buildArrangeMenu();
    // "檢視": zoom in and out, back to 100 %, Fit, and the grid.
    void buildViewMenu();
    // "說明": the manual (F1) and its list of keys.
    void buildHelpMenu();
    void showZoom(double zoom);
    // The Edit menu's items name the step they take back or do again.
    void syncEditMenu();
    void buildToolbar();
    QToolButton* addToolbarButton(const QString& key, const QString& toolTip,
                                  const QStringList& menuKeys);
    void buildCommandButtons();
    QPushButton* addCommandButton(const char* objectName, const QString& caption);
    void buildLegend();
    void buildStatusBars();
    void syncView();
    void layoutRightEdge();
    // Every resize of the window: buttons and legend to the right edge, then the scale memory.
    void windowResized();
    void updateScaleMemory(bool stateChanged);

    Workspace& workspace_;

    Canvas* canvas_ = nullptr;
    ElementMenus* menus_ = nullptr;
    QToolBar* toolbar_ = nullptr;
    QMenu* recent_ = nullptr;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    // The 排列 items that need two selected elements, and those that need three.
    std::vector<QAction*> alignItems_;
    std::vector<QAction*> distributeItems_;
    QAction* showGrid_ = nullptr;
    QAction* findNext_ = nullptr;
    QAction* findPrevious_ = nullptr;
    QPointer<FindWindow> find_;
    std::vector<QPushButton*> rightEdgeButtons_;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* convertButton_ = nullptr;
    QGroupBox* legend_ = nullptr;
    QLabel* legendSelected_ = nullptr;
    QLabel* legendCandidate_ = nullptr;
    QStatusBar* statusBar1_ = nullptr;
    QStatusBar* statusBar2_ = nullptr;
    QLabel* hoverPanels_[3] = {};
    QLabel* promptPanel_ = nullptr;
    QLabel* modeHint_ = nullptr;  // how to end a running connect mode
    QPointer<HelpWindow> help_;
    QLabel* zoomPanel_ = nullptr;
    OverviewDock* overview_ = nullptr;
    WindowScaleMemory scaleMemory_;
};
