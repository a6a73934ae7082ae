#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>

#include "fakeprompts.h"
#include "frmabout.h"
#include "frmsplash.h"
#include "settingsstore.h"
#include "sysinfo.h"

namespace {

template <typename T>
T* child(QWidget& window, const char* name) {
    T* found = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

void click(QWidget* widget) {
    const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
    const QPointF global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

void pressKey(QWidget* widget, Qt::Key key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
}

class SplashTest : public ::testing::Test {
protected:
    QString fileName() const { return dir.filePath(QStringLiteral("Quillo.conf")); }
    QString firstLogo() const {
        return QSettings(fileName(), QSettings::IniFormat).value("FirstLogo").toString();
    }
    void setFirstLogo(const QString& text) {
        QSettings(fileName(), QSettings::IniFormat).setValue("FirstLogo", text);
    }

    QTemporaryDir dir;
    FakePrompts prompts;
    SettingsStore store{prompts, fileName()};
    QWidget mainWindow;
};

TEST_F(SplashTest, ShowsTitleVersionAndTheStoredChoice) {
    setFirstLogo("1");
    frmSplash splash(store);
    EXPECT_EQ(child<QLabel>(splash, "lblProductName")->text(), "Relvane");
    EXPECT_EQ(child<QLabel>(splash, "lblVersion")->text(), QStringLiteral("版本 0.4.1"));
    QCheckBox* check = child<QCheckBox>(splash, "Check1");
    EXPECT_EQ(check->text(), QStringLiteral("下次啟動出現此畫面"));
    EXPECT_TRUE(check->isChecked());

    setFirstLogo("0");
    frmSplash again(store);
    EXPECT_FALSE(child<QCheckBox>(again, "Check1")->isChecked());
}

TEST_F(SplashTest, FrameClickStoresTheCheckBoxAndShowsTheMainWindow) {
    setFirstLogo("1");
    frmSplash splash(store, &mainWindow);
    splash.show();
    child<QCheckBox>(splash, "Check1")->setChecked(false);
    click(child<QFrame>(splash, "Frame1"));
    EXPECT_EQ(firstLogo(), "0");
    EXPECT_FALSE(splash.isVisible());
    EXPECT_TRUE(mainWindow.isVisible());

    frmSplash next(store, &mainWindow);
    EXPECT_FALSE(child<QCheckBox>(next, "Check1")->isChecked());
    next.show();
    child<QCheckBox>(next, "Check1")->setChecked(true);
    click(child<QFrame>(next, "Frame1"));
    EXPECT_EQ(firstLogo(), "1");
}

TEST_F(SplashTest, ClickOnALabelCountsAsAClickOnTheFrame) {
    setFirstLogo("1");
    frmSplash splash(store);
    splash.show();
    child<QCheckBox>(splash, "Check1")->setChecked(false);
    QLabel* label = child<QLabel>(splash, "lblProductName");
    EXPECT_EQ(splash.childAt(label->geometry().center() + label->parentWidget()->pos()),
              child<QFrame>(splash, "Frame1"));
}

TEST_F(SplashTest, AnyKeyClosesWithoutStoring) {
    setFirstLogo("1");
    frmSplash splash(store, &mainWindow);
    splash.show();
    QCheckBox* check = child<QCheckBox>(splash, "Check1");
    check->setChecked(false);
    // Space would toggle the check box; here it closes the splash like any other key.
    pressKey(check, Qt::Key_Space, " ");
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(firstLogo(), "1");

    frmSplash other(store);
    other.show();
    pressKey(&other, Qt::Key_Escape, QString());
    EXPECT_FALSE(other.isVisible());
    EXPECT_EQ(firstLogo(), "1");
    EXPECT_TRUE(store.writeLog().isEmpty());
}

TEST(AboutWindow, ShowsTheProgramsTexts) {
    FakePrompts prompts;
    frmAbout about(prompts);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("關於 Relvane"));
    EXPECT_EQ(child<QLabel>(about, "lblTitle")->text(), "Relvane");
    EXPECT_EQ(child<QLabel>(about, "lblVersion")->text(), QStringLiteral("版本 0.4.1"));
    EXPECT_EQ(child<QLabel>(about, "lblDescription")->text(),
              QStringLiteral("本程式可以協助您\r\n"
                             "\u30001.繪製實體關聯模式\r\n"
                             "\u30002.產生關聯模式\r\n"
                             "對本程式的任何指教, 歡迎 Email 至 relvane@example.org, 謝謝"));
    EXPECT_EQ(child<QLabel>(about, "lblDisclaimer")->text(),
              QStringLiteral("功能1注意事項:\r\n"
                             "\u30001.您可以使用 File->Capture 將繪製完成的ERD, 存放於記憶體中\r\n"
                             "\u30002.您可以使用 File->Set 改變操作的環境\r\n"
                             "\r\n"
                             "功能2注意事項:\r\n"
                             "\u30001.如果您要用本程式自動產生關聯模式, 您必須先安裝Excel\r\n"
                             "\u30002.在一般環境設定中, 您必須選用增強模式\r\n"
                             "\u30003.基數比與參與度\uff0c增強模式採用課本p61下方之表示法, "
                             "預設值為 (0,N)\r\n"
                             "\u3000  若該實體為完全參與, 則 min 值為1\r\n"
                             "\u30004.雙直線所代表的意義為識別關係型態之指定, 基數比與參與度必為 "
                             "(1,N)\r\n"
                             "\u30005.所產生之關聯將存放於Excel中, 部份關聯可能彼此重疊, "
                             "請搬移檢視\r\n"));
    EXPECT_EQ(child<QPushButton>(about, "cmdSysInfo")->text(), QStringLiteral("系統資訊(&S)..."));
}

TEST(AboutWindow, OkCloses) {
    FakePrompts prompts;
    frmAbout about(prompts);
    about.show();
    child<QPushButton>(about, "cmdOK")->click();
    EXPECT_FALSE(about.isVisible());
}

TEST(AboutWindow, WithoutASystemInformationProgramSaysSo) {
    QTemporaryDir empty;
    FakePrompts prompts;
    frmAbout about(prompts);
    about.setSystemInfoSearchPath(empty.path());
    about.show();
    child<QPushButton>(about, "cmdSysInfo")->click();
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("目前無法提供系統資訊")});
    EXPECT_TRUE(about.isVisible());
}

void makeProgram(const QString& path, bool executable) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\nexit 0\n");
    file.close();
    file.setPermissions(executable ? QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner
                                   : QFile::ReadOwner | QFile::WriteOwner);
}

TEST(SystemInfo, PrefersTheListOrderOverTheFolderOrder) {
    QTemporaryDir first, second;
    makeProgram(first.filePath("lxtask"), true);
    makeProgram(second.filePath("hardinfo"), true);
    makeProgram(first.filePath("kinfocenter"), false);
    const QString path = first.path() + ":" + second.path();
    EXPECT_EQ(findSystemInfoProgram(path), second.filePath("hardinfo"));
    EXPECT_EQ(findSystemInfoProgram(first.path()), first.filePath("lxtask"));
    // No folders means no program, never a search of the process's own PATH.
    EXPECT_EQ(findSystemInfoProgram(QString()), QString());
    FakePrompts prompts;
    EXPECT_FALSE(StartSysInfo(prompts, ":"));
    EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("目前無法提供系統資訊")});
}

}  // namespace
