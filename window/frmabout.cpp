#include "frmabout.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "abouttext.h"
#include "dialogprompts.h"
#include "logo.h"
#include "sysinfo.h"
#include "windowfit.h"

namespace {

QLabel* namedLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

frmAbout::frmAbout(Prompts& prompts, QWidget* parent)
    : QWidget(parent, Qt::Window), prompts_(prompts), searchPath_(qEnvironmentVariable("PATH")) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QCoreApplication::translate("frmAbout", "關於 ") + applicationTitle());

    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setPixmap(productLogo(64));

    QLabel* title = namedLabel(QStringLiteral("lblTitle"), applicationTitle(), this);
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    QLabel* version = namedLabel(QStringLiteral("lblVersion"), versionText(), this);
    // The stored texts keep their carriage returns; a label draws each as a blank at a line end.
    QLabel* description = namedLabel(QStringLiteral("lblDescription"), aboutDescription(), this);
    QLabel* disclaimer = namedLabel(QStringLiteral("lblDisclaimer"), aboutDisclaimer(), this);

    auto* rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto* ok = new QPushButton(QCoreApplication::translate("frmAbout", "確定"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* sysInfo =
        new QPushButton(QCoreApplication::translate("frmAbout", "系統資訊(&S)..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(sysInfo, &QPushButton::clicked, this, [this] {
        const PromptsParentScope dialogsOverThis(prompts_, this);
        StartSysInfo(prompts_, searchPath_);
    });

    auto* heading = new QVBoxLayout;
    heading->addWidget(title);
    heading->addWidget(version);
    heading->addSpacing(8);
    heading->addWidget(description);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(heading, 1);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch();

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(rule);
    layout->addLayout(bottom);
}

frmAbout* showAboutWindow(Prompts& prompts, QWidget* parent) {
    auto* about = new frmAbout(prompts, parent);
    about->setAttribute(Qt::WA_DeleteOnClose);
    // Laid out first, so it is its own size that is centred on the main window.
    about->adjustSize();
    centreOnWindow(*about, parent);
    about->show();
    return about;
}
