#include "form1.h"

#include <QAction>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>
#include <tuple>

#include "arrangement.h"
#include "canvas.h"
#include "elementmenus.h"
#include "findwindow.h"
#include "fragmentclipboard.h"
#include "helptext.h"
#include "helpwindow.h"
#include "overview.h"
#include "picturefile.h"
#include "sampleprojects.h"
#include "shortcutlist.h"
#include "toolicons.h"

namespace {

constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = 8;
constexpr int kButtonSpacing = 6;

// A menu item's text that shows a key another control owns (a second owner would make the key
// ambiguous, and it would do nothing).
QString withKeyShown(const QString& text, const QKeySequence& key) {
    return text + QLatin1Char('\t') + key.toString(QKeySequence::NativeText);
}

// The keys without repeats: a standard key (QKeySequence::ZoomIn is Ctrl++ on most desktops) may
// equal one given beside it, and a key bound twice to one action is ambiguous and does nothing.
QList<QKeySequence> distinctKeys(const QList<QKeySequence>& keys) {
    QList<QKeySequence> distinct;
    for (const QKeySequence& key : keys)
        if (!key.isEmpty() && !distinct.contains(key)) distinct << key;
    return distinct;
}

// The tool tip of an item of a toolbar button's menu: what it makes, or how to get it.
QString toolbarMenuItemToolTip(const QString& key) {
    static const QHash<QString, const char*> tips = {
        {QStringLiteral("Entity"), QT_TRANSLATE_NOOP("Form1", "新增實體")},
        {QStringLiteral("WeakEntity"),
         QT_TRANSLATE_NOOP("Form1",
                           "弱實體: 先新增實體並連上識別關係, 再在實體的右鍵選單選 "
                           "WeakEnitty, 然後點選那個關係")},
        {QStringLiteral("Attribute"), QT_TRANSLATE_NOOP("Form1", "新增屬性")},
        {QStringLiteral("MultAttribute"), QT_TRANSLATE_NOOP("Form1", "新增多值屬性")},
        {QStringLiteral("Relationship"), QT_TRANSLATE_NOOP("Form1", "新增關係")},
        {QStringLiteral("WeakRelationship"),
         QT_TRANSLATE_NOOP("Form1", "識別關係: 設定弱實體時, 點選的關係會成為識別關係")}};
    const char* tip = tips.value(key);
    return tip ? QCoreApplication::translate("Form1", tip) : QString();
}

// A button's tool tip: what it does, and its key when it has one.
void setToolTipWithKey(QPushButton* button, const QString& text) {
    const QKeySequence key = button->shortcut();
    button->setToolTip(key.isEmpty() ? text
                                     : QStringLiteral("%1 (%2)").arg(
                                           text, key.toString(QKeySequence::NativeText)));
}

void setTextIfChanged(QLabel* label, const QString& text) {
    if (label->text() != text) label->setText(text);
}

}  // namespace

Form1::Form1(Workspace& workspace, QWidget* parent) : QMainWindow(parent), workspace_(workspace) {
    setObjectName(QStringLiteral("Form1"));
    setContextMenuPolicy(Qt::NoContextMenu);  // no toolbar-hiding menu on a right click

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    canvas_ = new Canvas(diagram(), editor(), central);
    column->addWidget(canvas_, 1);
    setCentralWidget(central);

    menus_ = new ElementMenus(editor(), this);
    canvas_->setMenus(menus_);

    buildMenus();
    buildToolbar();
    buildCommandButtons();
    buildLegend();
    buildStatusBars();
    column->addWidget(statusBar1_);
    column->addWidget(statusBar2_);

    connect(canvas_, &Canvas::resized, this, &Form1::windowResized);
    connect(canvas_, &Canvas::scrollBarsChanged, this, &Form1::layoutRightEdge);
    connect(canvas_, &Canvas::zoomChanged, this, &Form1::showZoom);
    connect(canvas_, &Canvas::elementDropped, this, [this] { scaleMemory_.elementDropped(); });
    connect(&diagram(), &Diagram::changed, this, &Form1::syncView);

    applySettings();
    syncView();
    resize(960, 680);
    windowResized();
}

Form1::~Form1() {
    // The canvas and its overlays refer to the diagram, which members outlive only until here;
    // the overview refers to the canvas.
    delete overview_;
    delete takeCentralWidget();
}

QToolButton* Form1::toolbarButton(const QString& key) const {
    return toolbar_->findChild<QToolButton*>(key, Qt::FindDirectChildrenOnly);
}

// ---- Building ----

void Form1::buildMenus() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    // An item of the File menu by its object name, calling `slot` on this window.
    const auto addFileItem = [this, file](const char* objectName, const QString& text, auto slot) {
        QAction* action = file->addAction(text);
        action->setObjectName(QLatin1String(objectName));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    addFileItem("mnuNew", QCoreApplication::translate("Form1", "開新圖形"), &Form1::newRequested)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    // Save and Load keep their keys on their buttons; the menu items only show them.
    addFileItem("mnuLoad", withKeyShown(QStringLiteral("Load"), QKeySequence(Qt::CTRL | Qt::Key_O)),
                &Form1::loadRequested);
    recent_ = file->addMenu(QCoreApplication::translate("Form1", "最近的專案"));
    recent_->setObjectName(QStringLiteral("mnuRecent"));
    recent_->menuAction()->setObjectName(QStringLiteral("mnuRecent"));
    setRecentProjects({});
    // Complete diagrams to look at or start from, each opened as a new diagram.
    QMenu* samples = file->addMenu(QCoreApplication::translate("Form1", "範例"));
    samples->menuAction()->setObjectName(QStringLiteral("mnuSamples"));
    for (const SampleProject sample : kSampleProjects) {
        QAction* item = samples->addAction(sampleTitle(sample));
        item->setObjectName(QStringLiteral("mnuSample%1").arg(int(sample)));
        connect(item, &QAction::triggered, this,
                [this, sample] { Q_EMIT sampleRequested(sample); });
    }
    addFileItem("mnuSave",
                withKeyShown(QCoreApplication::translate("Form1", "儲存"),
                             QKeySequence(Qt::CTRL | Qt::Key_S)),
                &Form1::saveRequested);
    addFileItem("mnuSaveAs", QCoreApplication::translate("Form1", "另存新檔..."),
                &Form1::saveAsRequested)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    file->addSeparator();
    addFileItem("mnuExportFile", QCoreApplication::translate("Form1", "匯出專案檔..."),
                &Form1::exportRequested);
    addFileItem("mnuImportFile", QCoreApplication::translate("Form1", "匯入專案檔..."),
                &Form1::importRequested);
    addFileItem("mnuExportSql", QCoreApplication::translate("Form1", "匯出 SQL..."),
                &Form1::exportSqlRequested);
    addFileItem("mnuExportPicture", QCoreApplication::translate("Form1", "匯出圖片..."),
                &Form1::exportPictureRequested);
    addFileItem("mnuPrint", QCoreApplication::translate("Form1", "列印..."), &Form1::printRequested)
        ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    addFileItem("mnuPrintPreview", QCoreApplication::translate("Form1", "預覽列印..."),
                &Form1::printPreviewRequested);
    addFileItem("mnuCompare", QCoreApplication::translate("Form1", "與參考答案比較..."),
                &Form1::compareRequested);
    addFileItem("mnuSet", QStringLiteral("Set"), &Form1::optionsRequested);
    addFileItem("mnuCapture", QStringLiteral("Capture"), &Form1::capture);
    file->addSeparator();
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("mnuExit"));
    exit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    buildEditMenu();
    buildArrangeMenu();
    buildViewMenu();

    QMenu* about = menuBar()->addMenu(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("mnuAboutMenu"));
    QAction* welcome = about->addAction(QStringLiteral("Welcome"));
    welcome->setObjectName(QStringLiteral("mnuWelcome"));
    connect(welcome, &QAction::triggered, this, &Form1::welcomeRequested);
    QAction* aboutItem = about->addAction(QStringLiteral("About"));
    aboutItem->setObjectName(QStringLiteral("mnuAbout"));
    connect(aboutItem, &QAction::triggered, this, &Form1::aboutRequested);
    buildHelpMenu();

    // Delete acts on the selection: the element that last took a left click.
    auto* deleteElement = new QAction(this);
    deleteElement->setObjectName(QStringLiteral("actDeleteElement"));
    // Named for the list of keys in the help window; the action has no menu item of its own.
    deleteElement->setText(QCoreApplication::translate("Form1", "刪除選取的元素"));
    deleteElement->setShortcut(QKeySequence(Qt::Key_Delete));
    deleteElement->setShortcutContext(Qt::WindowShortcut);
    connect(deleteElement, &QAction::triggered, this, [this] { editor().deleteSelection(); });
    addAction(deleteElement);

    // F2 types a new caption for the selected element in place on the drawing.
    auto* renameElement = new QAction(this);
    renameElement->setObjectName(QStringLiteral("actRenameElement"));
    renameElement->setText(QCoreApplication::translate("Form1", "重新命名選取的元素"));
    renameElement->setShortcut(QKeySequence(Qt::Key_F2));
    renameElement->setShortcutContext(Qt::WindowShortcut);
    connect(renameElement, &QAction::triggered, this, [this] {
        if (const int i = canvas_->focusElement()) canvas_->editCaption(i);
    });
    addAction(renameElement);
}

void Form1::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(QCoreApplication::translate("Form1", "編輯"));
    edit->setObjectName(QStringLiteral("mnuEdit"));
    undo_ = edit->addAction(QCoreApplication::translate("Form1", "復原"));
    undo_->setObjectName(QStringLiteral("mnuUndo"));
    // The text names the step to take back; the short name stays for the list of keys.
    undo_->setIconText(undo_->text());
    undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo_, &QAction::triggered, this, [this] { editor().undo(); });
    redo_ = edit->addAction(QCoreApplication::translate("Form1", "重做"));
    redo_->setObjectName(QStringLiteral("mnuRedo"));
    redo_->setIconText(redo_->text());
    redo_->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    connect(redo_, &QAction::triggered, this, [this] { editor().redo(); });

    edit->addSeparator();
    QAction* remove = edit->addAction(
        withKeyShown(QCoreApplication::translate("Form1", "刪除"), QKeySequence(Qt::Key_Delete)));
    remove->setObjectName(QStringLiteral("mnuDelete"));
    connect(remove, &QAction::triggered, this, [this] { editor().deleteSelection(); });
    QAction* selectAll = edit->addAction(QCoreApplication::translate("Form1", "全選"));
    selectAll->setObjectName(QStringLiteral("mnuSelectAll"));
    selectAll->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    connect(selectAll, &QAction::triggered, this, [this] { editor().selectAll(); });

    // Copy, cut, paste and duplicate, through the system clipboard (fragmentclipboard.h).
    edit->addSeparator();
    const auto clipboardAction = [this, edit](const QString& name, const QString& text,
                                              QKeySequence::StandardKey key, auto&& run) {
        QAction* action = edit->addAction(text);
        action->setObjectName(name);
        action->setShortcut(QKeySequence(key));
        connect(action, &QAction::triggered, this, run);
    };
    clipboardAction(QStringLiteral("mnuCopy"), QCoreApplication::translate("Form1", "複製"),
                    QKeySequence::Copy, [this] { copySelectionToClipboard(editor(), *canvas_); });
    clipboardAction(QStringLiteral("mnuCut"), QCoreApplication::translate("Form1", "剪下"),
                    QKeySequence::Cut, [this] {
                        if (copySelectionToClipboard(editor(), *canvas_)) editor().cutSelection();
                    });
    clipboardAction(QStringLiteral("mnuPaste"), QCoreApplication::translate("Form1", "貼上"),
                    QKeySequence::Paste, [this] { pasteFromClipboard(editor(), *canvas_); });
    QAction* duplicate = edit->addAction(QCoreApplication::translate("Form1", "再製"));
    duplicate->setObjectName(QStringLiteral("mnuDuplicate"));
    duplicate->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(duplicate, &QAction::triggered, this, [this] { editor().duplicateSelection(); });
    addFindItems(edit);

    QUndoStack& stack = workspace_.history().stack();
    // The menu's texts and the caption's unsaved-changes mark follow the history.
    connect(&stack, &QUndoStack::indexChanged, this, &Form1::syncView);
    connect(&stack, &QUndoStack::cleanChanged, this, &Form1::syncView);
    syncEditMenu();
}

void Form1::addFindItems(QMenu* edit) {
    edit->addSeparator();
    QAction* find = edit->addAction(QCoreApplication::translate("Form1", "尋找..."));
    find->setObjectName(QStringLiteral("mnuFind"));
    find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(find, &QAction::triggered, this, [this] { showFind(); });
    // F3 and Shift+F3 also work while the find window has the focus (see showFind).
    const auto stepItem = [this, edit](const char* name, const QString& text,
                                       const QKeySequence& key, int step) {
        QAction* action = edit->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, [this, step] {
            if (find_ && !find_->text().trimmed().isEmpty())
                find_->goToAdjacent(step);
            else
                showFind();
        });
        return action;
    };
    findNext_ = stepItem("mnuFindNext", QCoreApplication::translate("Form1", "找下一個"),
                         QKeySequence(Qt::Key_F3), 1);
    findPrevious_ = stepItem("mnuFindPrevious", QCoreApplication::translate("Form1", "找上一個"),
                             QKeySequence(Qt::SHIFT | Qt::Key_F3), -1);
}

FindWindow* Form1::showFind() {
    if (!find_) {
        find_ = new FindWindow(editor(), *canvas_, this);
        find_->addAction(findNext_);
        find_->addAction(findPrevious_);
        find_->move(frameGeometry().topRight() - QPoint(find_->width() + 40, -80));
    }
    find_->open();
    return find_;
}

void Form1::buildArrangeMenu() {
    QMenu* arrange = menuBar()->addMenu(QCoreApplication::translate("Form1", "排列"));
    arrange->setObjectName(QStringLiteral("mnuArrange"));
    // An item of the menu, kept in `group` (the items that need as many selected elements).
    const auto addItem = [this, arrange](const char* name, const QString& text,
                                         const QKeySequence& key, std::vector<QAction*>& group,
                                         auto run) {
        QAction* action = arrange->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(key);
        connect(action, &QAction::triggered, this, run);
        group.push_back(action);
    };
    const auto alignItem = [&](const char* name, Qt::Key key, Editor::Alignment alignment) {
        addItem(name, alignmentName(alignment), QKeySequence(Qt::ALT | key), alignItems_,
                [this, alignment] { editor().alignSelection(alignment); });
    };
    // The keys are those drawing programs commonly give these commands.
    alignItem("mnuAlignLeft", Qt::Key_A, Editor::Alignment::Left);
    alignItem("mnuAlignCentre", Qt::Key_H, Editor::Alignment::Centre);
    alignItem("mnuAlignRight", Qt::Key_D, Editor::Alignment::Right);
    arrange->addSeparator();
    alignItem("mnuAlignTop", Qt::Key_W, Editor::Alignment::Top);
    alignItem("mnuAlignMiddle", Qt::Key_V, Editor::Alignment::Middle);
    alignItem("mnuAlignBottom", Qt::Key_S, Editor::Alignment::Bottom);
    arrange->addSeparator();
    for (const auto& [name, key, orientation] :
         {std::tuple{"mnuDistributeHorizontally", Qt::Key_H, Qt::Horizontal},
          std::tuple{"mnuDistributeVertically", Qt::Key_V, Qt::Vertical}})
        addItem(name, distributionName(orientation), QKeySequence(Qt::ALT | Qt::SHIFT | key),
                distributeItems_,
                [this, orientation] { editor().distributeSelection(orientation); });
    // Automatic arrangement: the whole diagram (or the selection), or the attributes around
    // their owners; without a selection each works on everything.
    arrange->addSeparator();
    QAction* whole = arrange->addAction(arrangeDiagramName());
    whole->setObjectName(QStringLiteral("mnuArrangeDiagram"));
    connect(whole, &QAction::triggered, this, [this] { editor().arrangeDiagram(); });
    QAction* attributes = arrange->addAction(arrangeAttributesName());
    attributes->setObjectName(QStringLiteral("mnuArrangeAttributes"));
    connect(attributes, &QAction::triggered, this, [this] { editor().arrangeAttributes(); });
}

void Form1::setGridShown(bool shown) {
    showGrid_->setChecked(shown);
}

bool Form1::gridShown() const {
    return canvas_->gridShown();
}

void Form1::buildHelpMenu() {
    QMenu* help = menuBar()->addMenu(QCoreApplication::translate("Form1", "說明"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    QAction* manual = help->addAction(QCoreApplication::translate("Form1", "使用說明"));
    manual->setObjectName(QStringLiteral("mnuHelpManual"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    connect(manual, &QAction::triggered, this, [this] { showHelp(); });
    QAction* keys = help->addAction(QCoreApplication::translate("Form1", "快速鍵"));
    keys->setObjectName(QStringLiteral("mnuHelpShortcuts"));
    connect(keys, &QAction::triggered, this, [this] { showHelp(helpShortcutsAnchor()); });
}

HelpWindow* Form1::showHelp(const QString& anchor) {
    if (!help_) {
        help_ = new HelpWindow(this);
        help_->move(frameGeometry().center() - help_->rect().center());
    }
    // The keys are read from the window each time, so actions added since are listed too.
    help_->setShortcuts(shortcutsOf(*this));
    help_->show();
    help_->raise();
    help_->activateWindow();
    help_->showSection(anchor);
    return help_;
}

void Form1::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(QCoreApplication::translate("Form1", "檢視"));
    view->setObjectName(QStringLiteral("mnuView"));
    const auto addViewItem = [this, view](const char* objectName, const QString& text,
                                          const QList<QKeySequence>& keys, auto slot) {
        QAction* action = view->addAction(text);
        action->setObjectName(QLatin1String(objectName));
        action->setShortcuts(distinctKeys(keys));
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    addViewItem("mnuZoomIn", QCoreApplication::translate("Form1", "放大"),
                // Ctrl+= is Ctrl++ without the Shift that "+" needs on many keyboards.
                {QKeySequence(Qt::CTRL | Qt::Key_Equal), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                 QKeySequence::ZoomIn},
                [this] { canvas_->stepZoom(1); });
    addViewItem("mnuZoomOut", QCoreApplication::translate("Form1", "縮小"),
                {QKeySequence(Qt::CTRL | Qt::Key_Minus), QKeySequence::ZoomOut},
                [this] { canvas_->stepZoom(-1); });
    addViewItem("mnuZoomReset", QCoreApplication::translate("Form1", "實際大小"),
                {QKeySequence(Qt::CTRL | Qt::Key_0)}, [this] { canvas_->setZoom(1); });
    addViewItem("mnuFit", QStringLiteral("Fit"), {}, [this] { canvas_->fitToDrawing(); });
    view->addSeparator();
    showGrid_ = view->addAction(QCoreApplication::translate("Form1", "顯示格線"));
    showGrid_->setObjectName(QStringLiteral("mnuShowGrid"));
    showGrid_->setCheckable(true);
    showGrid_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Apostrophe));
    connect(showGrid_, &QAction::toggled, canvas_, &Canvas::setGridShown);
    // The overview starts hidden; the application shows it when the settings ask for it.
    overview_ = new OverviewDock(*canvas_, this);
    addDockWidget(Qt::RightDockWidgetArea, overview_);
    overview_->hide();
    view->addAction(overview_->toggleViewAction());
}

void Form1::showZoom(double zoom) {
    zoomPanel_->setText(QStringLiteral("%1%").arg(qRound(zoom * 100)));
}

void Form1::syncEditMenu() {
    const QUndoStack& stack = workspace_.history().stack();
    // While a connect mode runs, Undo (and Redo) first ends it.
    const bool modeRunning = diagram().state.ConnectMode != ConnectMode::None;
    const auto show = [modeRunning](QAction* action, const QString& verb, bool can,
                                    const QString& step) {
        action->setEnabled(can || modeRunning);
        action->setText(can && !modeRunning ? verb + QLatin1Char(' ') + step : verb);
    };
    show(undo_, QCoreApplication::translate("Form1", "復原"), stack.canUndo(), stack.undoText());
    show(redo_, QCoreApplication::translate("Form1", "重做"), stack.canRedo(), stack.redoText());
}

QToolButton* Form1::addToolbarButton(const QString& key, const QString& toolTip,
                                     const QStringList& menuKeys) {
    auto* action = new QAction(toolbarIcon(key), key, toolbar_);
    action->setToolTip(toolTip);
    // Shift held on "Set Attribute", "Set Relationship" or "Set Subclass" keeps the tool for
    // several connections.
    connect(action, &QAction::triggered, this, [this, key] {
        editor().toolbarButton(key, QGuiApplication::keyboardModifiers() & Qt::ShiftModifier);
    });

    auto* button = new QToolButton(toolbar_);
    button->setObjectName(key);
    button->setDefaultAction(action);
    if (!menuKeys.isEmpty()) {
        auto* menu = new QMenu(button);
        menu->setObjectName(key + QStringLiteral("Menu"));
        menu->setToolTipsVisible(true);
        for (const QString& item : menuKeys) {
            QAction* entry = menu->addAction(item);
            entry->setData(item);
            entry->setToolTip(toolbarMenuItemToolTip(item));
            connect(entry, &QAction::triggered, this,
                    [this, item] { editor().buttonMenuItem(item); });
        }
        button->setMenu(menu);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    }
    toolbar_->addWidget(button);
    return button;
}

void Form1::buildToolbar() {
    toolbar_ = addToolBar(QStringLiteral("Toolbar1"));
    toolbar_->setObjectName(QStringLiteral("Toolbar1"));
    toolbar_->setMovable(false);
    toolbar_->setFloatable(false);
    toolbar_->toggleViewAction()->setEnabled(false);
    addToolbarButton(QStringLiteral("Entity"), QStringLiteral("New Entity"),
                     {QStringLiteral("Entity"), QStringLiteral("WeakEntity")});
    addToolbarButton(QStringLiteral("Attribute"), QStringLiteral("New Attribute"),
                     {QStringLiteral("Attribute"), QStringLiteral("MultAttribute")});
    addToolbarButton(QStringLiteral("Relationship"), QStringLiteral("New Relationship"),
                     {QStringLiteral("Relationship"), QStringLiteral("WeakRelationship")});
    addToolbarButton(QStringLiteral("AttLine"), QStringLiteral("Set Attribute"), {});
    addToolbarButton(QStringLiteral("RelLine"), QStringLiteral("Set Relationship"), {});
    addToolbarButton(QStringLiteral("Specialization"), QStringLiteral("New Specialization"), {});
    addToolbarButton(QStringLiteral("Category"), QStringLiteral("New Category"), {});
    addToolbarButton(QStringLiteral("SubLine"), QStringLiteral("Set Subclass"), {});
}

QPushButton* Form1::addCommandButton(const char* objectName, const QString& caption) {
    auto* button = new QPushButton(caption, canvas_);
    button->setObjectName(QLatin1String(objectName));
    const int row = int(rightEdgeButtons_.size());
    button->setGeometry(0, kButtonTop + row * (kButtonHeight + kButtonSpacing), kButtonWidth,
                        kButtonHeight);
    rightEdgeButtons_.push_back(button);
    canvas_->addOverlay(button);
    return button;
}

void Form1::buildCommandButtons() {
    QPushButton* save = addCommandButton("Command1", QStringLiteral("Save"));
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QPushButton::clicked, this, &Form1::saveRequested);
    setToolTipWithKey(save, QCoreApplication::translate("Form1", "檢查圖形後儲存為專案"));

    // "Cancel" stays where it is, at the top left; the others follow the right edge.
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), canvas_);
    cancelButton_->setObjectName(QStringLiteral("Command2"));
    cancelButton_->setGeometry(kButtonSpacing, kButtonTop, kButtonWidth, kButtonHeight);
    canvas_->addOverlay(cancelButton_);
    cancelButton_->setShortcut(QKeySequence(Qt::Key_Escape));
    connect(cancelButton_, &QPushButton::clicked, this, [this] { editor().cancel(); });
    setToolTipWithKey(cancelButton_,
                      QCoreApplication::translate(
                          "Form1", "結束進行中的連線 (Set Attribute、Set Relationship), 取消選取"));

    QPushButton* load = addCommandButton("Command3", QStringLiteral("Load"));
    load->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(load, &QPushButton::clicked, this, &Form1::loadRequested);
    setToolTipWithKey(load, QCoreApplication::translate("Form1", "載入已儲存的專案"));

    convertButton_ = addCommandButton("Command4", QStringLiteral("Convert"));
    connect(convertButton_, &QPushButton::clicked, this, &Form1::convertRequested);
    setToolTipWithKey(
        convertButton_,
        QCoreApplication::translate(
            "Form1", "檢查圖形後轉換為關聯綱要, 寫成活頁簿 (min,max 表示法才可使用)"));

    QPushButton* repaint = addCommandButton("Command5", QStringLiteral("Repaint"));
    connect(repaint, &QPushButton::clicked, this, [this] { editor().repaintElements(); });
    setToolTipWithKey(repaint,
                      QCoreApplication::translate("Form1", "以目前設定的內距重新繪製每個元素"));

    QPushButton* resize = addCommandButton("cmdResize", QStringLiteral("Resize"));
    connect(resize, &QPushButton::clicked, this, [this] { editor().resizeToCaptions(); });
    setToolTipWithKey(resize, QCoreApplication::translate(
                                  "Form1", "依名稱調整每個未鎖定大小的元素, 連線隨之重排"));

    // New elements are placed clear of the Cancel button's row and the right edge's column.
    canvas_->setPlacementMargins(
        QMargins(0, kButtonTop + kButtonHeight + kButtonSpacing, kButtonWidth + kButtonSpacing, 0));
}

void Form1::buildLegend() {
    legend_ = new QGroupBox(QCoreApplication::translate("Form1", "元素標示"), canvas_);
    legend_->setObjectName(QStringLiteral("Frame1"));
    auto* rows = new QVBoxLayout(legend_);
    legendSelected_ = new QLabel(QCoreApplication::translate("Form1", "已選元素"), legend_);
    legendSelected_->setObjectName(QStringLiteral("lblSelected"));
    legendCandidate_ = new QLabel(QCoreApplication::translate("Form1", "候選元素"), legend_);
    legendCandidate_->setObjectName(QStringLiteral("lblCandidate"));
    for (QLabel* label : {legendSelected_, legendCandidate_}) {
        label->setAutoFillBackground(true);
        rows->addWidget(label);
    }
    legend_->resize(legend_->sizeHint().expandedTo(QSize(100, 0)));
    legend_->hide();
    canvas_->addOverlay(legend_);
}

void Form1::buildStatusBars() {
    statusBar1_ = new QStatusBar(this);
    statusBar1_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar1_->setSizeGripEnabled(false);
    for (int panel = 0; panel < 3; ++panel) {
        hoverPanels_[panel] = new QLabel(statusBar1_);
        hoverPanels_[panel]->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(panel + 1));
        statusBar1_->addWidget(hoverPanels_[panel], 1);
    }
    statusBar2_ = new QStatusBar(this);
    statusBar2_->setObjectName(QStringLiteral("StatusBar2"));
    promptPanel_ = new QLabel(statusBar2_);
    promptPanel_->setObjectName(QStringLiteral("StatusBar2Panel1"));
    statusBar2_->addWidget(promptPanel_, 1);
    modeHint_ = new QLabel(statusBar2_);
    modeHint_->setObjectName(QStringLiteral("StatusBar2ModeHint"));
    statusBar2_->addPermanentWidget(modeHint_);
    zoomPanel_ = new QLabel(QStringLiteral("100%"), statusBar2_);
    zoomPanel_->setObjectName(QStringLiteral("ZoomPanel"));
    statusBar2_->addPermanentWidget(zoomPanel_);
}

// ---- Mirroring the model ----

void Form1::applySettings() {
    const ProgramSettings& settings = diagram().settings;
    const QColor background = toQColor(settings.WindowBackColor);
    QPalette canvasPalette = canvas_->palette();
    canvasPalette.setColor(QPalette::Window, background);
    canvas_->setPalette(canvasPalette);

    const auto paintLegendLabel = [&background](QLabel* label, OleColor colour) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::Window, background);
        labelPalette.setColor(QPalette::WindowText, toQColor(colour));
        label->setPalette(labelPalette);
    };
    paintLegendLabel(legendSelected_, settings.SelectedColor);
    paintLegendLabel(legendCandidate_, settings.CandidateColor);
    // The grid's size may have changed.
    if (canvas_->gridShown()) canvas_->update();
}

void Form1::setConvertEnabled(bool enabled) {
    convertButton_->setEnabled(enabled);
}

void Form1::syncView() {
    syncEditMenu();
    const bool canAlign = editor().canAlignSelection();
    for (QAction* item : alignItems_)
        if (item->isEnabled() != canAlign) item->setEnabled(canAlign);
    const bool canDistribute = editor().canDistributeSelection();
    for (QAction* item : distributeItems_)
        if (item->isEnabled() != canDistribute) item->setEnabled(canDistribute);
    const ViewState& view = diagram().view;
    QString name = view.project.name.isEmpty() ? QCoreApplication::translate("Form1", "未命名")
                                               : view.project.name;
    if (view.project.draft) name += QCoreApplication::translate("Form1", " (草稿)");
    const QString title = QStringLiteral("Relvane: ") + name +
                          (editor().hasUnsavedChanges() ? QStringLiteral("*") : QString());
    if (windowTitle() != title) setWindowTitle(title);
    for (int panel = 0; panel < 3; ++panel)
        setTextIfChanged(hoverPanels_[panel], view.hover[panel]);
    // The panel tells the next click of a running connect mode; once none runs (Cancel, Esc,
    // Undo), a prompt left in the view state would ask for a click that no longer counts.
    const bool modeRunning = diagram().state.ConnectMode != ConnectMode::None;
    setTextIfChanged(promptPanel_, modeRunning ? view.prompt : QString());
    setTextIfChanged(modeHint_, modeRunning
                                    ? QCoreApplication::translate("Form1", "Esc 或 Cancel 結束連線")
                                    : QString());
    if (legend_->isHidden() == view.legendVisible) {
        legend_->setVisible(view.legendVisible);
        if (view.legendVisible) legend_->raise();
    }
    if (toolbar_->isEnabled() != view.toolbarEnabled) toolbar_->setEnabled(view.toolbarEnabled);
}

void Form1::layoutRightEdge() {
    // The canvas ends where the status bars begin, so its height is the window's drawing height
    // less both status bars. Buttons and legend keep their pixel sizes whatever the scale.
    // The scroll bars along the right and bottom edges push them inwards while shown.
    const QSize bars = canvas_->scrollBarInsets();
    const int width = canvas_->width() - bars.width();
    for (QPushButton* button : rightEdgeButtons_)
        button->move(width - button->width(), button->y());
    legend_->move(width - legend_->width(), canvas_->height() - bars.height() - legend_->height());
}

void Form1::windowResized() {
    layoutRightEdge();
    updateScaleMemory(false);
}

void Form1::updateScaleMemory(bool stateChanged) {
    using Shape = WindowScaleMemory::WindowShape;
    const Qt::WindowStates state = windowState();
    const Shape shape = state & Qt::WindowMinimized   ? Shape::Minimized
                        : state & Qt::WindowMaximized ? Shape::Maximized
                                                      : Shape::Normal;
    const float flagBefore = scaleMemory_.flag();
    if (const auto restored = scaleMemory_.resized(shape, canvas_->scale())) {
        canvas_->setScale(*restored);
    } else if (!stateChanged && flagBefore == 2 && shape == Shape::Maximized) {
        scaleMemory_.resizedWhileMaximized(canvas_->scale());
    }
}

void Form1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The window system reports the new state and the new size in either order, so both count
    // as the resize the scale memory watches.
    if (event->type() == QEvent::WindowStateChange) updateScaleMemory(true);
}

// ---- Commands that stay in the window ----

QPixmap Form1::captureDiagram() {
    const QRectF area = editor().captureRect();
    if (area.isEmpty()) return QPixmap();
    return canvas_->renderAtFullSize(area);
}

bool Form1::copyCaptureToClipboard() {
    const QPixmap picture = captureDiagram();
    if (picture.isNull()) return false;
    QGuiApplication::clipboard()->setPixmap(picture);
    return true;
}

void Form1::capture() {
    if (copyCaptureToClipboard())
        showStatus(QCoreApplication::translate("Form1", "圖形已複製到剪貼簿"));
    else
        prompts().message(noElementsToPictureMessage());
    Q_EMIT captureRequested();
}

void Form1::showStatus(const QString& text) {
    statusBar2_->showMessage(text, 8000);
}

void Form1::setRecentProjects(const QStringList& labels) {
    recent_->clear();
    for (int n = 0; n < labels.size(); ++n) {
        // "&1" ... "&8": a number key opens one while the menu is open.
        QString label = labels[n];
        QAction* item = recent_->addAction(
            QStringLiteral("&%1 %2").arg(n + 1).arg(label.replace(QLatin1Char('&'), "&&")));
        connect(item, &QAction::triggered, this, [this, n] { Q_EMIT recentProjectRequested(n); });
    }
    recent_->setEnabled(!labels.isEmpty());
}

void Form1::closeEvent(QCloseEvent* event) {
    if (closeGuard && !closeGuard()) {
        event->ignore();
        return;
    }
    Q_EMIT closing();
    QMainWindow::closeEvent(event);
}
