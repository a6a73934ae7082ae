#include "relvaneapp.h"

#include <QGuiApplication>
#include <QScreen>

#include "form1.h"
#include "frmabout.h"
#include "frmsplash.h"

namespace {

// The window's own placement on a first run: a comfortable size, centred on the screen.
QRect initialGeometry() {
    const QRect screen = QGuiApplication::primaryScreen()
                             ? QGuiApplication::primaryScreen()->availableGeometry()
                             : QRect(0, 0, 1280, 800);
    const QSize size(qMin(1100, screen.width() - 40), qMin(760, screen.height() - 40));
    return QRect(screen.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

}  // namespace

RelvaneApp::RelvaneApp(Prompts* prompts, const QString& settingsFile)
    : window_(std::make_unique<Form1>(prompts)) {
    settings_ = settingsFile.isEmpty()
                    ? std::make_unique<SettingsStore>(window_->prompts())
                    : std::make_unique<SettingsStore>(window_->prompts(), settingsFile);
    window_->setGeometry(initialGeometry());
    connect(window_.get(), &Form1::closing, this, &RelvaneApp::shutdown);
    connect(window_.get(), &Form1::welcomeRequested, this, &RelvaneApp::showWelcome);
    connect(window_.get(), &Form1::aboutRequested, this, &RelvaneApp::showAbout);
}

RelvaneApp::~RelvaneApp() = default;

StartupResult RelvaneApp::start() {
    WindowPlacement placement = currentPlacement();
    Diagram& d = window_->diagram();
    const StartupResult result = settings_->startup(d, placement, scale_);
    applyStartupPlacement(placement);
    window_->applySettings();
    window_->setConvertEnabled(convertEnabled(d.settings));
    d.notifyView();
    if (placement.windowState == 2) window_->showMaximized();
    else window_->show();
    if (result.showSplash) showSplashWindow(*settings_, window_.get());
    return result;
}

void RelvaneApp::applyStartupPlacement(const WindowPlacement& placement) {
    if (placement.width > 0 && placement.height > 0)
        window_->setGeometry(qRound(placement.left), qRound(placement.top), qRound(placement.width),
                             qRound(placement.height));
}

WindowPlacement RelvaneApp::currentPlacement() const {
    // A maximised or minimised window is remembered by its normal geometry, so the next start
    // restores a usable size.
    const QRect g = window_->isVisible() ? window_->normalGeometry() : window_->geometry();
    WindowPlacement p;
    p.left = float(g.left());
    p.top = float(g.top());
    p.width = float(g.width());
    p.height = float(g.height());
    p.windowState = window_->isMaximized() ? 2 : window_->isMinimized() ? 1 : 0;
    return p;
}

void RelvaneApp::shutdown() {
    if (shutDown_) return;
    shutDown_ = true;
    settings_->shutdown(window_->diagram(), currentPlacement(), scale_);
}

void RelvaneApp::showWelcome() { showSplashWindow(*settings_, window_.get()); }

void RelvaneApp::showAbout() { showAboutWindow(window_->prompts(), window_.get()); }
