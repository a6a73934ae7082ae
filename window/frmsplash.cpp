#include "frmsplash.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "abouttext.h"
#include "logo.h"
#include "settingsstore.h"
#include "windowfit.h"

frmSplash::frmSplash(SettingsStore& store, QWidget* mainWindow, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      store_(store),
      mainWindow_(mainWindow),
      frame_(new QFrame(this)),
      check1_(
          new QCheckBox(QCoreApplication::translate("frmSplash", "下次啟動出現此畫面"), frame_)) {
    setObjectName(QStringLiteral("frmSplash"));
    setFocusPolicy(Qt::StrongFocus);

    frame_->setObjectName(QStringLiteral("Frame1"));
    frame_->setFrameShape(QFrame::NoFrame);
    frame_->setAutoFillBackground(true);

    auto* logo = new QLabel(frame_);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(productLogo(128));

    auto* productName = new QLabel(applicationTitle(), frame_);
    productName->setObjectName(QStringLiteral("lblProductName"));
    QFont titleFont = productName->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.5);
    titleFont.setBold(true);
    productName->setFont(titleFont);

    auto* version = new QLabel(versionText(), frame_);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    check1_->setObjectName(QStringLiteral("Check1"));
    check1_->setChecked(store_.readFirstLogo());

    // The pictures and labels let clicks through, so a click anywhere but on the check box
    // lands on the frame.
    for (QWidget* w : {static_cast<QWidget*>(logo), static_cast<QWidget*>(productName),
                       static_cast<QWidget*>(version)})
        w->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto* text = new QVBoxLayout;
    text->addStretch();
    text->addWidget(productName);
    text->addWidget(version);
    text->addStretch();
    text->addWidget(check1_, 0, Qt::AlignRight);

    auto* content = new QHBoxLayout(frame_);
    content->setContentsMargins(24, 24, 24, 16);
    content->setSpacing(24);
    content->addWidget(logo, 0, Qt::AlignTop);
    content->addLayout(text, 1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame_);

    frame_->installEventFilter(this);
    check1_->installEventFilter(this);
    installEventFilter(this);
    resize(480, 220);
    // Centred on the main window before it is first shown, so it never flashes up at the
    // screen's corner.
    centreOnWindow(*this, mainWindow);
}

void frmSplash::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activateWindow();
    setFocus();
}

bool frmSplash::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // Any key closes the splash, the check box's own keys included, and stores nothing.
        close();
        return true;
    }
    if (watched == frame_ && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            frame_->rect().contains(mouse->position().toPoint())) {
            frameClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmSplash::frameClicked() {
    store_.writeFirstLogo(check1_->isChecked());
    close();
    if (mainWindow_ && !mainWindow_->isVisible()) mainWindow_->show();
}

frmSplash* showSplashWindow(SettingsStore& store, QWidget* mainWindow) {
    auto* splash = new frmSplash(store, mainWindow);
    splash->setAttribute(Qt::WA_DeleteOnClose);
    splash->show();
    return splash;
}
