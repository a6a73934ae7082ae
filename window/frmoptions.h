#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "connectionfields.h"
#include "editor.h"
#include "optionchecks.h"

class Form1;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class SettingsStore;

// What the options window changes outside the diagram, in the main window.
struct OptionsWindowHooks {
    // The window background and the legend colours were changed in the settings.
    std::function<void()> coloursApplied;
    // "Convert" is to be offered exactly when the argument is true (enhanced mode).
    std::function<void(bool)> convertEnabled;
};

// The options window "選項": processing mode, colours, insets, foreign-key arrows, the position of
// participation labels and the project store's connection, on four tabs. It changes the settings
// in memory and rewrites what is already drawn when they are applied; they are saved when the
// main window closes (the store connection at once). It never blocks: show it with show().
class frmOptions : public QWidget {
    Q_OBJECT
public:
    frmOptions(Editor& editor, SettingsStore& store, OptionsWindowHooks hooks,
               QWidget* parent = nullptr);

    // The commands of the window's buttons, swatches and tabs.
    void apply();
    void ok();
    void cancel();
    void swatchClicked(int s);
    // Shows page n (0-based) and selects its tab.
    void selectTab(int n);
    // Ctrl+Tab: the next tab, from the last one the first.
    void nextTab();

    int currentTab() const;
    // The colour swatch s shows (and Apply puts in force).
    OleColor swatchColour(int s) const { return pending_[size_t(s)]; }
    bool applyEnabled() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* buildGeneralPage();
    QWidget* buildColourPage();
    QWidget* buildInsetPage();
    QWidget* buildOtherPage();
    QWidget* buildGridFrame(QWidget* parent);
    QWidget* buildConnectionFrame(QWidget* parent);
    QWidget* buildLanguageFrame(QWidget* parent);
    void load();
    void watchEdits();
    void enableApply();
    void showSwatch(int s);
    void showConnection(const DatabaseUrl& fields);
    DatabaseUrl connectionShown() const;
    void providerChanged();
    // The insets and the double-line width the boxes give, each refused box's value left as it
    // is; returns the refusals to tell the user.
    QStringList readInsets(ProgramSettings& settings, TemplateInsets& insets) const;
    void applyConnection();
    // Whether a key event is Ctrl+Tab, which changes the tab wherever the focus is.
    static bool isNextTabKey(const QEvent* event);

    Editor& editor_;
    SettingsStore& store_;
    OptionsWindowHooks hooks_;

    QTabBar* tabs_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QRadioButton* option1_ = nullptr;         // textbook mode
    QRadioButton* option2_ = nullptr;         // enhanced mode
    std::array<QRadioButton*, 2> option3_{};  // 0 near the entity, 1 near the relationship
    std::array<QRadioButton*, 3> option4_{};  // 0 straight, 1 elbowed, 2 routed arrows
    std::array<QPushButton*, kSwatchCount> swatches_{};
    QLineEdit* doubleLineWidth_ = nullptr;
    QLineEdit* recWidth_ = nullptr;
    QLineEdit* ellWidth_ = nullptr;
    QLineEdit* diaWidth_ = nullptr;
    QCheckBox* snapToGrid_ = nullptr;
    QSpinBox* gridSize_ = nullptr;
    QComboBox* provider_ = nullptr;
    QComboBox* language_ = nullptr;
    QLineEdit* dataSource_ = nullptr;
    QLineEdit* userId_ = nullptr;
    QLineEdit* password_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdApply_ = nullptr;

    SwatchColours pending_{};
    qint16 rememberedStyle_ = 1;
    qint16 rememberedPosition_ = 1;
    // The connection the fields stood for when last read or applied; Apply writes the setting
    // only when the fields differ from it.
    DatabaseUrl connectionInForce_;
};

// Opens the options window of `form` without blocking it, or brings the one already open to the
// front. Messages and the colour chooser go through the window's prompts and show over the
// options window; applied colours reach its background and legend, the processing mode its
// "Convert" button.
frmOptions* showOptionsWindow(Form1& form, SettingsStore& store);
