#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "canvas.h"
#include "elementmenus.h"
#include "fakeprompts.h"
#include "form1.h"
#include "test_canvas_support.h"

using canvastest::addElement;

namespace {

class Form1Test : public ::testing::Test {
protected:
    void SetUp() override {
        form.show();
        QCoreApplication::processEvents();
    }

    template <typename T>
    T* child(const char* name) {
        T* found = form.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // A menu's item texts in order, separators as "-".
    static QStringList itemsOf(const QMenu* menu) {
        QStringList items;
        for (const QAction* action : menu->actions())
            items << (action->isSeparator() ? QStringLiteral("-") : action->text());
        return items;
    }
    static QStringList namesOf(const QMenu* menu) {
        QStringList names;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator()) names << action->objectName();
        return names;
    }

    FakePrompts prompts;
    Workspace workspace{prompts};
    Form1 form{workspace};
    Diagram& d = form.diagram();
};

TEST_F(Form1Test, ToolbarHasTheFiveKeyedButtonsInOrder) {
    auto* toolbar = child<QToolBar>("Toolbar1");
    ASSERT_NE(toolbar, nullptr);
    QStringList keys, tips;
    for (QAction* action : toolbar->actions()) {
        auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(action));
        ASSERT_NE(button, nullptr);
        keys << button->objectName();
        tips << button->toolTip();
    }
    EXPECT_EQ(keys, QStringList({"Entity", "Attribute", "Relationship", "AttLine", "RelLine"}));
    EXPECT_EQ(tips, QStringList({"New Entity", "New Attribute", "New Relationship", "Set Attribute",
                                 "Set Relationship"}));

    const std::pair<const char*, QStringList> dropDowns[] = {
        {"Entity", {"Entity", "WeakEntity"}},
        {"Attribute", {"Attribute", "MultAttribute"}},
        {"Relationship", {"Relationship", "WeakRelationship"}}};
    for (const auto& [key, items] : dropDowns) {
        QToolButton* button = form.toolbarButton(key);
        ASSERT_NE(button, nullptr) << key;
        EXPECT_EQ(button->popupMode(), QToolButton::MenuButtonPopup) << key;
        ASSERT_NE(button->menu(), nullptr) << key;
        EXPECT_EQ(itemsOf(button->menu()), items) << key;
        EXPECT_FALSE(button->icon().isNull()) << key;
    }
    for (const char* key : {"AttLine", "RelLine"})
        EXPECT_EQ(form.toolbarButton(key)->menu(), nullptr);
}

TEST_F(Form1Test, CommandButtonsCarryTheirCaptionsAndKeys) {
    const std::tuple<const char*, const char*, QKeySequence> buttons[] = {
        {"Command1", "Save", QKeySequence(Qt::CTRL | Qt::Key_S)},
        {"Command2", "Cancel", QKeySequence(Qt::Key_Escape)},
        {"Command3", "Load", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"Command4", "Convert", QKeySequence()},
        {"Command5", "Repaint", QKeySequence()},
        {"cmdResize", "Resize", QKeySequence()}};
    for (const auto& [name, caption, keys] : buttons) {
        auto* button = child<QPushButton>(name);
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), caption) << name;
        EXPECT_EQ(button->shortcut(), keys) << name;
    }
    QAction* del = child<QAction>("actDeleteElement");
    EXPECT_EQ(del->shortcut(), QKeySequence(Qt::Key_Delete));
}

TEST_F(Form1Test, ButtonsAndLegendKeepToTheRightEdge) {
    auto* legend = child<QGroupBox>("Frame1");
    auto* statusBar1 = child<QStatusBar>("StatusBar1");
    for (const QSize size : {QSize(700, 520), QSize(1100, 760)}) {
        form.resize(size);
        QCoreApplication::processEvents();
        const int right = form.canvas()->width();
        for (const char* name : {"Command1", "Command3", "Command4", "Command5", "cmdResize"}) {
            const auto* button = child<QPushButton>(name);
            EXPECT_EQ(button->x() + button->width(), right) << name << " at " << size.width();
        }
        EXPECT_EQ(legend->x() + legend->width(), right);
        const QPoint legendBottom = legend->mapTo(&form, QPoint(0, legend->height()));
        EXPECT_EQ(legendBottom.y(), statusBar1->mapTo(&form, QPoint(0, 0)).y())
            << "the legend sits right above the status bars";
    }
}

TEST_F(Form1Test, ElementMenusListTheirItemsInOrder) {
    const QStringList common = {"ReName", "Lock Size", "Bigger", "Smaller", "Color", "Delete"};
    EXPECT_EQ(itemsOf(form.menus()->entityMenu()),
              QStringList({"Entity", "WeakEnitty", "-"}) + common);
    EXPECT_EQ(itemsOf(form.menus()->attributeMenu()),
              QStringList({"Attribute", "MultAttribute", "-", "Key"}) + common);
    EXPECT_EQ(itemsOf(form.menus()->relationshipMenu()),
              QStringList({"Relationship", "WeakRelationship", "-"}) + common);
    EXPECT_EQ(itemsOf(form.menus()->lineMenu()),
              QStringList({"Participation", "Description", "Delete"}));

    EXPECT_EQ(namesOf(form.menus()->entityMenu()),
              QStringList({"mnuEntity", "mnuWeakEntity", "mnuEReName", "mnuELSize", "mnuEBigger",
                           "mnuESmaller", "mnuEColor", "mnuDelEntity"}));
    EXPECT_EQ(namesOf(form.menus()->attributeMenu()),
              QStringList({"mnuAttribute", "mnuMultAttribute", "mnuKey", "mnuAReName", "mnuALSize",
                           "mnuABigger", "mnuASmaller", "mnuAColor", "mnuDelAttribute"}));
    EXPECT_EQ(namesOf(form.menus()->relationshipMenu()),
              QStringList({"mnuRelationship", "mnuWeakRelationship", "mnuRReName", "mnuRLSize",
                           "mnuRBigger", "mnuRSmaller", "mnuRColor", "mnuDelRelationship"}));
    EXPECT_EQ(namesOf(form.menus()->lineMenu()),
              QStringList({"mneParticipation", "mneDescription", "mnuDelLine"}));
    // Each menu is reachable from the window by name, and none sits in the menu bar.
    for (const char* name : {"mnuEReName", "mnuAReName", "mnuRReName", "mnuDelLine"})
        child<QAction>(name);
    EXPECT_EQ(form.menuBar()->actions().size(), 6);
}

TEST_F(Form1Test, EditMenuTakesStepsBackAndRedoesThemByName) {
    QStringList titles;
    for (const QAction* menu : form.menuBar()->actions()) titles << menu->text();
    EXPECT_EQ(titles, QStringList({"File", "編輯", "排列", "檢視", "About", "說明"}));
    QAction* undo = child<QAction>("mnuUndo");
    QAction* redo = child<QAction>("mnuRedo");
    EXPECT_EQ(undo->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(redo->shortcuts(),
              QList<QKeySequence>({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                   QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());

    form.toolbarButton("Entity")->click();
    form.toolbarButton("Entity")->click();
    EXPECT_EQ(undo->text(), "復原 建立 Entity2");
    undo->trigger();
    EXPECT_EQ(d.elementCount(), 2) << "the second entity is gone";
    EXPECT_TRUE(form.canvas()->elementRect(2).isEmpty());
    EXPECT_EQ(redo->text(), "重做 建立 Entity2");
    redo->trigger();
    ASSERT_EQ(d.elementCount(), 3);
    EXPECT_FALSE(form.canvas()->elementRect(2).isEmpty());

    // Undo in a running connect mode ends the mode first, taking nothing back.
    form.toolbarButton("AttLine")->click();
    ASSERT_EQ(d.state.ConnectMode, ConnectMode::AttributeOwner);
    undo->trigger();
    EXPECT_EQ(d.state.ConnectMode, ConnectMode::None);
    EXPECT_EQ(d.elementCount(), 3);
    EXPECT_EQ(d.shownColour(1), d.shownColour(2)) << "highlights taken back";
    EXPECT_TRUE(d.view.highlights.empty());
}

TEST_F(Form1Test, MenuBarHasFileAndAbout) {
    auto* file = child<QMenu>("mnuFile");
    auto* about = child<QMenu>("mnuAboutMenu");
    ASSERT_TRUE(file && about);
    EXPECT_EQ(file->title(), "File");
    EXPECT_EQ(itemsOf(file),
              QStringList({"開新圖形", "Load\tCtrl+O", "最近的專案", "範例", "儲存\tCtrl+S",
                           "另存新檔...", "-", "匯出專案檔...", "匯入專案檔...", "匯出 SQL...",
                           "匯出圖片...", "列印...", "預覽列印...", "與參考答案比較...", "Set",
                           "Capture", "-", "Exit"}));
    EXPECT_EQ(namesOf(file),
              QStringList({"mnuNew", "mnuLoad", "mnuRecent", "mnuSamples", "mnuSave", "mnuSaveAs",
                           "mnuExportFile", "mnuImportFile", "mnuExportSql", "mnuExportPicture",
                           "mnuPrint", "mnuPrintPreview", "mnuCompare", "mnuSet", "mnuCapture",
                           "mnuExit"}));
    EXPECT_EQ(child<QAction>("mnuNew")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(child<QAction>("mnuSaveAs")->shortcut(),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    EXPECT_FALSE(child<QMenu>("mnuRecent")->isEnabled()) << "nothing opened or saved yet";
    EXPECT_EQ(child<QAction>("mnuExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(about->title(), "About");
    EXPECT_EQ(itemsOf(about), QStringList({"Welcome", "About"}));
    EXPECT_EQ(namesOf(about), QStringList({"mnuWelcome", "mnuAbout"}));
}

TEST_F(Form1Test, OutsideCommandsLeaveThroughSignals) {
    int save = 0, load = 0, convert = 0, options = 0, welcome = 0, about = 0, capture = 0;
    QObject::connect(&form, &Form1::saveRequested, [&] { ++save; });
    QObject::connect(&form, &Form1::loadRequested, [&] { ++load; });
    QObject::connect(&form, &Form1::convertRequested, [&] { ++convert; });
    QObject::connect(&form, &Form1::optionsRequested, [&] { ++options; });
    QObject::connect(&form, &Form1::welcomeRequested, [&] { ++welcome; });
    QObject::connect(&form, &Form1::aboutRequested, [&] { ++about; });
    QObject::connect(&form, &Form1::captureRequested, [&] { ++capture; });

    child<QPushButton>("Command1")->click();
    child<QPushButton>("Command3")->click();
    child<QPushButton>("Command4")->click();
    child<QAction>("mnuSet")->trigger();
    child<QAction>("mnuWelcome")->trigger();
    child<QAction>("mnuAbout")->trigger();
    child<QAction>("mnuCapture")->trigger();
    EXPECT_EQ(std::vector<int>({save, load, convert, options, welcome, about, capture}),
              std::vector<int>({1, 1, 1, 1, 1, 1, 1}));

    form.setConvertEnabled(false);
    EXPECT_FALSE(child<QPushButton>("Command4")->isEnabled());
    form.setConvertEnabled(true);
    EXPECT_TRUE(child<QPushButton>("Command4")->isEnabled());
}

TEST_F(Form1Test, ClosingIsAnnouncedBeforeTheWindowGoes) {
    bool visibleWhenAnnounced = false;
    int closings = 0;
    QObject::connect(&form, &Form1::closing, [&] {
        ++closings;
        visibleWhenAnnounced = form.isVisible();
    });
    child<QAction>("mnuExit")->trigger();
    EXPECT_EQ(closings, 1);
    EXPECT_TRUE(visibleWhenAnnounced);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(Form1Test, ViewStateShowsInStatusBarsLegendToolbarAndCaption) {
    auto* legend = child<QGroupBox>("Frame1");
    auto* toolbar = child<QToolBar>("Toolbar1");
    EXPECT_EQ(form.windowTitle(), "Relvane: 未命名") << "a diagram that is no project yet";
    EXPECT_TRUE(legend->isHidden());
    EXPECT_TRUE(toolbar->isEnabled());
    ASSERT_EQ(child<QStatusBar>("StatusBar1")->findChildren<QLabel*>().size(), 3);
    ASSERT_EQ(child<QStatusBar>("StatusBar2")->findChildren<QLabel*>().size(), 3)
        << "the prompt, how to end a connect mode, and the zoom";

    d.state.ConnectMode = ConnectMode::Attribute;  // the prompt shows while a connect mode runs
    d.view.prompt = "請選定 Attribute";
    d.view.hover[0] = "Index: 4";
    d.view.hover[1] = "RelationshipType元素: 無";
    d.view.hover[2] = "相關的Entity元素: 3,12,7";
    d.view.legendVisible = true;
    d.view.toolbarEnabled = false;
    d.view.project.name = "圖書館";
    d.notifyView();
    EXPECT_EQ(child<QLabel>("StatusBar2Panel1")->text(), "請選定 Attribute");
    EXPECT_EQ(child<QLabel>("StatusBar1Panel1")->text(), "Index: 4");
    EXPECT_EQ(child<QLabel>("StatusBar1Panel2")->text(), "RelationshipType元素: 無");
    EXPECT_EQ(child<QLabel>("StatusBar1Panel3")->text(), "相關的Entity元素: 3,12,7");
    EXPECT_TRUE(legend->isVisible());
    EXPECT_FALSE(toolbar->isEnabled());
    EXPECT_EQ(form.windowTitle(), "Relvane: 圖書館");

    d.view.legendVisible = false;
    d.view.toolbarEnabled = true;
    d.state.ConnectMode = ConnectMode::None;
    d.view.prompt.clear();
    d.notifyView();
    EXPECT_TRUE(legend->isHidden());
    EXPECT_TRUE(toolbar->isEnabled());
    EXPECT_EQ(child<QLabel>("StatusBar2Panel1")->text(), "");
}

TEST_F(Form1Test, LegendAndBackgroundFollowTheColourSettings) {
    auto* legend = child<QGroupBox>("Frame1");
    EXPECT_EQ(legend->title(), "元素標示");
    auto* selected = child<QLabel>("lblSelected");
    auto* candidate = child<QLabel>("lblCandidate");
    EXPECT_EQ(selected->text(), "已選元素");
    EXPECT_EQ(candidate->text(), "候選元素");
    EXPECT_EQ(selected->palette().color(QPalette::WindowText), toQColor(d.settings.SelectedColor));
    EXPECT_EQ(candidate->palette().color(QPalette::WindowText),
              toQColor(d.settings.CandidateColor));

    d.settings.SelectedColor = 0x00FF00;
    d.settings.CandidateColor = 0x00FFFF;
    d.settings.WindowBackColor = 0xE0E0FF;
    form.applySettings();
    EXPECT_EQ(selected->palette().color(QPalette::WindowText), QColor(0, 255, 0));
    EXPECT_EQ(candidate->palette().color(QPalette::WindowText), QColor(255, 255, 0));
    for (const QWidget* w : {static_cast<QWidget*>(form.canvas()), static_cast<QWidget*>(selected),
                             static_cast<QWidget*>(candidate)})
        EXPECT_EQ(w->palette().color(QPalette::Window), QColor(255, 224, 224));
}

TEST_F(Form1Test, MenuCheckMarksMirrorTheModelNotQt) {
    const int i = addElement(d, KindAttribute, QRectF(100, 100, 73, 41));
    d.checks.Key = true;
    d.checks.AttributeLockSize = false;
    d.checks.DescriptionEnabled = false;
    form.menus()->popupElementMenu(Editor::Popup::Attribute, i, QPoint(0, 0));
    auto* key = child<QAction>("mnuKey");
    EXPECT_TRUE(key->isChecked());
    EXPECT_FALSE(child<QAction>("mnuALSize")->isChecked());
    EXPECT_FALSE(child<QAction>("mneDescription")->isEnabled());
    form.menus()->attributeMenu()->hide();

    // Whatever Qt toggled, the mark shows the model once the command is through.
    child<QAction>("mnuALSize")->trigger();
    EXPECT_EQ(child<QAction>("mnuALSize")->isChecked(), d.checks.AttributeLockSize);
    EXPECT_TRUE(d.checks.AttributeLockSize);
    EXPECT_TRUE(d.element(i).IsSizeLock);
    key->trigger();
    EXPECT_EQ(key->isChecked(), d.checks.Key);
    EXPECT_FALSE(d.element(i).underlined());
}

// ---- Commands reaching the editor through the window ----

TEST_F(Form1Test, ToolbarButtonsAndButtonMenusCreateElements) {
    form.toolbarButton("Entity")->click();
    ASSERT_EQ(d.elementCount(), 2);
    EXPECT_EQ(form.canvas()->elementRect(1), QRect(155, 104, 73, 41));
    EXPECT_EQ(d.element(1).Caption, "Entity1");

    QMenu* attributeMenu = form.toolbarButton("Attribute")->menu();
    attributeMenu->actions().at(1)->trigger();  // "MultAttribute"
    ASSERT_EQ(d.elementCount(), 3);
    EXPECT_EQ(d.element(2).Shape, float(KindMultAttribute));

    form.toolbarButton("Entity")->menu()->actions().at(1)->trigger();  // "WeakEntity"
    EXPECT_EQ(prompts.messages, QStringList({"請先產生 Entity, 再進行設定"}));
    EXPECT_EQ(d.elementCount(), 3);
}

TEST_F(Form1Test, RenameFromTheElementMenuShowsOnTheDrawing) {
    const int i = addElement(d, KindEntity, QRectF(100, 100, 73, 41), "Entity1");
    const QImage before = form.canvas()->renderDiagram(form.canvas()->elementRect(i)).toImage();
    canvastest::mouseOnElement(form.canvas(), i, QEvent::MouseButtonPress, QPointF(10, 10),
                               Qt::RightButton);
    ASSERT_TRUE(form.menus()->entityMenu()->isVisible());
    prompts.answer("Customer");
    child<QAction>("mnuEReName")->trigger();
    form.menus()->entityMenu()->hide();
    ASSERT_EQ(prompts.inputRequests.size(), 1u);
    EXPECT_EQ(prompts.inputRequests[0].defaultText, "Entity1");
    EXPECT_EQ(d.element(i).Caption, "Customer");
    EXPECT_NE(form.canvas()->renderDiagram(form.canvas()->elementRect(i)).toImage(), before);
}

TEST_F(Form1Test, BiggerIsOneCommandForAllThreeMenus) {
    const int i = addElement(d, KindRelationship, QRectF(100, 100, 100, 50));
    form.menus()->popupElementMenu(Editor::Popup::Relationship, i, QPoint(0, 0));
    form.menus()->relationshipMenu()->hide();
    child<QAction>("mnuRBigger")->trigger();
    child<QAction>("mnuEBigger")->trigger();
    child<QAction>("mnuASmaller")->trigger();
    EXPECT_FLOAT_EQ(d.element(i).Width, float(float(float(100 * 1.1) * 1.1) * 0.9));
    EXPECT_EQ(form.canvas()->elementRect(i).width(), qRound(d.element(i).Width));
}

TEST_F(Form1Test, DeleteKeyDeletesTheLastLeftClickedElement) {
    const int first = addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    const int second = addElement(d, KindAttribute, QRectF(300, 100, 73, 41));
    QAction* del = child<QAction>("actDeleteElement");
    del->trigger();
    EXPECT_TRUE(d.element(first).Visible && d.element(second).Visible) << "nothing clicked yet";

    canvastest::clickElement(form.canvas(), second, QPointF(5, 5));
    del->trigger();
    EXPECT_FALSE(d.element(second).Visible);
    EXPECT_TRUE(form.canvas()->elementRect(second).isEmpty());
    EXPECT_TRUE(d.element(first).Visible);
    EXPECT_EQ(form.canvas()->focusElement(), 0) << "a deleted element holds no focus";
    EXPECT_TRUE(d.view.selection.empty());
}

TEST_F(Form1Test, TheSelectionIsFramedAndABareClickLetsGoOfIt) {
    form.show();
    QCoreApplication::processEvents();
    const int i = addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    canvastest::mouseOnElement(form.canvas(), i, QEvent::MouseButtonPress, QPointF(5, 5),
                               Qt::LeftButton);
    EXPECT_EQ(d.view.selection, std::set<int>{i});
    EXPECT_EQ(d.element(i).BackColor, d.element(0).BackColor) << "no colour marks the selection";

    // The frame runs dashed just outside the control, in the highlight colour.
    const QImage shown = form.canvas()->grab().toImage();
    const QColor highlight = form.canvas()->palette().color(QPalette::Highlight);
    int framePixels = 0;
    for (int x = 96; x < 177; ++x) framePixels += shown.pixelColor(x, 97) == highlight;
    EXPECT_GT(framePixels, 20);
    EXPECT_LT(framePixels, 78) << "dashed, not solid";

    // A click on the bare drawing area, then Delete: nothing selected, nothing deleted.
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(400, 400),
                      form.canvas()->mapToGlobal(QPointF(400, 400)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(form.canvas(), &press);
    EXPECT_TRUE(d.view.selection.empty());
    child<QAction>("actDeleteElement")->trigger();
    EXPECT_TRUE(d.element(i).Visible);
    const QImage cleared = form.canvas()->grab().toImage();
    EXPECT_NE(cleared.pixelColor(100, 97), highlight);
}

TEST_F(Form1Test, CancelButtonLeavesTheConnectMode) {
    addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    form.toolbarButton("AttLine")->click();
    EXPECT_EQ(d.state.ConnectMode, ConnectMode::AttributeOwner);
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isVisible());
    EXPECT_FALSE(child<QToolBar>("Toolbar1")->isEnabled());
    child<QPushButton>("Command2")->click();
    EXPECT_EQ(d.state.ConnectMode, ConnectMode::None);
    EXPECT_TRUE(child<QGroupBox>("Frame1")->isHidden());
    EXPECT_TRUE(child<QToolBar>("Toolbar1")->isEnabled());
}

TEST_F(Form1Test, CaptureCopiesTheElementsBoundingRectangle) {
    EXPECT_FALSE(form.copyCaptureToClipboard()) << "no element, no picture";
    addElement(d, KindEntity, QRectF(100, 100, 73, 41));
    addElement(d, KindAttribute, QRectF(250, 180, 60, 30));
    const int gone = addElement(d, KindAttribute, QRectF(600, 400, 60, 30));
    d.element(gone).Visible = false;
    d.notifyElement(gone);

    child<QAction>("mnuCapture")->trigger();
    const QImage picture = QGuiApplication::clipboard()->image();
    EXPECT_EQ(picture.size(), QSize(210, 110));
}

}  // namespace
