#pragma once

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QFrame;
class QLabel;
class SettingsStore;

// The splash window: a borderless frame with the logo, the program's title and version, and the
// check box "下次啟動出現此畫面". A click on the frame stores the check box as "FirstLogo",
// closes the splash and shows the main window when it is hidden; any key closes it and stores
// nothing. It never blocks: show it with show().
class frmSplash : public QWidget {
    Q_OBJECT
public:
    explicit frmSplash(SettingsStore& store, QWidget* mainWindow = nullptr,
                       QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void frameClicked();

    SettingsStore& store_;
    QPointer<QWidget> mainWindow_;
    QFrame* frame_;
    QCheckBox* check1_;
};

// Creates the splash window, freed when it closes, and shows it without waiting.
frmSplash* showSplashWindow(SettingsStore& store, QWidget* mainWindow);
