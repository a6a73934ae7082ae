#include "frmoptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "dialogprompts.h"
#include "editor.h"
#include "form1.h"
#include "grid.h"
#include "language.h"
#include "options.h"
#include "settingsstore.h"

namespace {

constexpr int kTabCount = 4;

// Captions and tool tips are marked for translation here and translated where they are shown;
// the keys are setting data, never translated.
struct TabText {
    const char* caption;
    const char* key;
    const char* toolTip;
};
constexpr TabText kTabs[kTabCount] = {
    {QT_TRANSLATE_NOOP("frmOptions", "一般"), "Group1",
     QT_TRANSLATE_NOOP("frmOptions", "設定處理模式")},
    {QT_TRANSLATE_NOOP("frmOptions", "顏色"), "Group2",
     QT_TRANSLATE_NOOP("frmOptions", "設定顏色選項")},
    {QT_TRANSLATE_NOOP("frmOptions", "間距"), "Group3",
     QT_TRANSLATE_NOOP("frmOptions", "設定間距")},
    {QT_TRANSLATE_NOOP("frmOptions", "其它"), "", QT_TRANSLATE_NOOP("frmOptions", "其它設定")},
};

constexpr const char* kSwatchLabels[kSwatchCount] = {
    QT_TRANSLATE_NOOP("frmOptions", "Application底色"),
    QT_TRANSLATE_NOOP("frmOptions", "候選元素之顏色"),
    QT_TRANSLATE_NOOP("frmOptions", "已選元素之顏色"),
    QT_TRANSLATE_NOOP("frmOptions", "屬性之線條顏色"),
    QT_TRANSLATE_NOOP("frmOptions", "關聯之線修顏色"),
};

QString text(const char* s) {
    return QCoreApplication::translate("frmOptions", s);
}

QRadioButton* namedOption(const QString& name, const QString& caption, QWidget* parent) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    return option;
}

QLineEdit* namedBox(const QString& name, QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    return box;
}

QPushButton* namedButton(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    return button;
}

QString providerName(DatabaseUrl::Provider provider) {
    return provider == DatabaseUrl::Provider::PostgreSQL ? QStringLiteral("PostgreSQL")
                                                         : QStringLiteral("SQLite");
}

}  // namespace

frmOptions::frmOptions(Editor& editor, SettingsStore& store, OptionsWindowHooks hooks,
                       QWidget* parent)
    // A tool window of the main window: the window manager keeps it above its parent while it is
    // open, and it still leaves the main window free to use.
    : QWidget(parent, Qt::Tool), editor_(editor), store_(store), hooks_(std::move(hooks)) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QCoreApplication::translate("frmOptions", "選項"));

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("tbsOptions"));
    tabs_->setExpanding(false);
    pages_ = new QStackedWidget(this);
    const std::array<QWidget*, kTabCount> pages = {buildGeneralPage(), buildColourPage(),
                                                   buildInsetPage(), buildOtherPage()};
    for (int n = 0; n < kTabCount; ++n) {
        tabs_->addTab(text(kTabs[n].caption));
        tabs_->setTabData(n, QString::fromLatin1(kTabs[n].key));
        tabs_->setTabToolTip(n, text(kTabs[n].toolTip));
        pages[size_t(n)]->setObjectName(QStringLiteral("picOptions_%1").arg(n));
        pages_->addWidget(pages[size_t(n)]);
    }

    cmdOK_ = namedButton(QStringLiteral("cmdOK"), QCoreApplication::translate("frmOptions", "確定"),
                         this);
    cmdCancel_ = namedButton(QStringLiteral("cmdCancel"),
                             QCoreApplication::translate("frmOptions", "取消"), this);
    cmdApply_ = namedButton(QStringLiteral("cmdApply"),
                            QCoreApplication::translate("frmOptions", "套用"), this);
    cmdOK_->setDefault(true);
    connect(cmdOK_, &QPushButton::clicked, this, &frmOptions::ok);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmOptions::cancel);
    connect(cmdApply_, &QPushButton::clicked, this, &frmOptions::apply);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdApply_);
    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(0);
    layout->addWidget(tabs_);
    layout->addWidget(pages_, 1);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    load();
    connect(tabs_, &QTabBar::tabBarClicked, this, &frmOptions::selectTab);
    connect(tabs_, &QTabBar::currentChanged, this, &frmOptions::selectTab);
    watchEdits();
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
}

// ---- Pages ----

QWidget* frmOptions::buildGeneralPage() {
    auto* page = new QWidget;
    auto* frame = new QGroupBox(QCoreApplication::translate("frmOptions", "處理模式"), page);
    option2_ = namedOption(
        QStringLiteral("Option2"),
        QCoreApplication::translate(
            "frmOptions", "增強模式: 繪製ERD與自動產生關聯模式 (以 min, max 表示) (建議選項)"),
        frame);
    option1_ = namedOption(
        QStringLiteral("Option1"),
        QCoreApplication::translate("frmOptions", "課本模式: 僅用來繪製ERD (表示法與課本相同)"),
        frame);
    auto* rows = new QVBoxLayout(frame);
    rows->addWidget(option2_);
    rows->addWidget(option1_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addStretch();
    return page;
}

QWidget* frmOptions::buildColourPage() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (int s = 0; s < kSwatchCount; ++s) {
        auto* swatch = new QPushButton(page);
        swatch->setObjectName(QStringLiteral("Picture1_%1").arg(s));
        swatch->setFixedSize(48, 22);
        swatch->setAccessibleName(text(kSwatchLabels[s]));
        connect(swatch, &QPushButton::clicked, this, [this, s] { swatchClicked(s); });
        swatches_[size_t(s)] = swatch;
        grid->addWidget(swatch, s, 0);
        grid->addWidget(new QLabel(text(kSwatchLabels[s]), page), s, 1);
    }
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(kSwatchCount, 1);
    return page;
}

QWidget* frmOptions::buildInsetPage() {
    auto* page = new QWidget;
    auto* frame = new QGroupBox(QCoreApplication::translate("frmOptions", "以後再作3..."), page);
    doubleLineWidth_ = namedBox(QStringLiteral("TDoubleLineWidth"), frame);
    recWidth_ = namedBox(QStringLiteral("TRecWidth"), frame);
    ellWidth_ = namedBox(QStringLiteral("TEllWidth"), frame);
    diaWidth_ = namedBox(QStringLiteral("TDiaWidth"), frame);
    auto* form = new QFormLayout(frame);
    form->addRow(QCoreApplication::translate("frmOptions", "雙直線間距"), doubleLineWidth_);
    form->addRow(QCoreApplication::translate("frmOptions", "雙矩形兩線間距"), recWidth_);
    form->addRow(QCoreApplication::translate("frmOptions", "雙橢圓兩線間距"), ellWidth_);
    form->addRow(QCoreApplication::translate("frmOptions", "雙菱型兩線間距"), diaWidth_);
    for (QLineEdit* box : {doubleLineWidth_, recWidth_, ellWidth_, diaWidth_})
        box->setMaximumWidth(80);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(frame);
    layout->addWidget(buildGridFrame(page));
    layout->addStretch();
    return page;
}

QWidget* frmOptions::buildGridFrame(QWidget* parent) {
    auto* frame = new QGroupBox(QCoreApplication::translate("frmOptions", "格線"), parent);
    frame->setObjectName(QStringLiteral("fraGrid"));
    snapToGrid_ =
        new QCheckBox(QCoreApplication::translate("frmOptions", "拖曳和新增的元素貼齊格線"), frame);
    snapToGrid_->setObjectName(QStringLiteral("chkSnapToGrid"));
    gridSize_ = new QSpinBox(frame);
    gridSize_->setObjectName(QStringLiteral("spnGridSize"));
    gridSize_->setRange(kSmallestGridSize, kLargestGridSize);
    gridSize_->setMaximumWidth(80);
    auto* form = new QFormLayout(frame);
    form->addRow(snapToGrid_);
    form->addRow(QCoreApplication::translate("frmOptions", "格線間距"), gridSize_);
    return frame;
}

QWidget* frmOptions::buildOtherPage() {
    auto* page = new QWidget;
    auto* arrows = new QGroupBox(
        QCoreApplication::translate("frmOptions", "關聯模式中, 外來鍵如何指向主鍵"), page);
    option4_[2] = namedOption(QStringLiteral("Option4_2"),
                              QCoreApplication::translate("frmOptions", "繞行指向"), arrows);
    option4_[1] = namedOption(QStringLiteral("Option4_1"),
                              QCoreApplication::translate("frmOptions", "轉折指向"), arrows);
    option4_[0] = namedOption(QStringLiteral("Option4_0"),
                              QCoreApplication::translate("frmOptions", "直線指向"), arrows);
    auto* arrowRow = new QHBoxLayout(arrows);
    arrowRow->addWidget(option4_[2]);
    arrowRow->addWidget(option4_[1]);
    arrowRow->addWidget(option4_[0]);

    auto* labels =
        new QGroupBox(QCoreApplication::translate("frmOptions", "參與度與基數比位置"), page);
    option3_[0] = namedOption(QStringLiteral("Option3_0"),
                              QCoreApplication::translate("frmOptions", "靠近EntityType"), labels);
    option3_[1] =
        namedOption(QStringLiteral("Option3_1"),
                    QCoreApplication::translate("frmOptions", "靠近Relationship"), labels);
    auto* labelRow = new QHBoxLayout(labels);
    labelRow->addWidget(option3_[0]);
    labelRow->addWidget(option3_[1]);

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(arrows);
    layout->addWidget(labels);
    layout->addWidget(buildConnectionFrame(page));
    layout->addWidget(buildLanguageFrame(page));
    layout->addStretch();
    return page;
}

QWidget* frmOptions::buildConnectionFrame(QWidget* parent) {
    auto* frame = new QGroupBox(QCoreApplication::translate("frmOptions", "連線"), parent);
    frame->setObjectName(QStringLiteral("fraConnection"));
    provider_ = new QComboBox(frame);
    provider_->setObjectName(QStringLiteral("cboProvider"));
    provider_->addItem(providerName(DatabaseUrl::Provider::SQLite),
                       int(DatabaseUrl::Provider::SQLite));
    provider_->addItem(providerName(DatabaseUrl::Provider::PostgreSQL),
                       int(DatabaseUrl::Provider::PostgreSQL));
    dataSource_ = namedBox(QStringLiteral("txtDataSource"), frame);
    dataSource_->setMinimumWidth(260);
    userId_ = namedBox(QStringLiteral("txtUserID"), frame);
    password_ = namedBox(QStringLiteral("txtPassword"), frame);
    password_->setEchoMode(QLineEdit::Password);
    auto* form = new QFormLayout(frame);
    form->addRow(QStringLiteral("Provider:"), provider_);
    form->addRow(QStringLiteral("Data Source:"), dataSource_);
    form->addRow(QStringLiteral("User ID:"), userId_);
    form->addRow(QStringLiteral("Password:"), password_);
    connect(provider_, &QComboBox::currentIndexChanged, this, &frmOptions::providerChanged);
    return frame;
}

QWidget* frmOptions::buildLanguageFrame(QWidget* parent) {
    // Written in both languages, so whoever reads neither text of the other can still find it.
    auto* frame = new QGroupBox(QStringLiteral("語言 / Language"), parent);
    frame->setObjectName(QStringLiteral("fraLanguage"));
    language_ = new QComboBox(frame);
    language_->setObjectName(QStringLiteral("cboLanguage"));
    // Each language is named in itself.
    language_->addItem(QStringLiteral("中文 (繁體)"), kLanguageChinese);
    language_->addItem(QStringLiteral("English"), kLanguageEnglish);
    auto* note = new QLabel(tr("變更的語言在下次啟動時生效"), frame);
    auto* row = new QHBoxLayout(frame);
    row->addWidget(language_);
    row->addWidget(note, 1);
    return frame;
}

// ---- Opening ----

void frmOptions::load() {
    const Diagram& d = editor_.diagram();
    const ProgramSettings& s = d.settings;
    (s.PresentStyle == 1 ? option2_ : option1_)->setChecked(true);
    option3_[s.MNPosition == 1 ? 1 : 0]->setChecked(true);
    // Values other than 0 and 2 draw elbows.
    option4_[s.FKPK == 0 || s.FKPK == 2 ? s.FKPK : 1]->setChecked(true);

    selectTab(0);

    pending_ = swatchColoursInForce(s);
    for (int i = 0; i < kSwatchCount; ++i) showSwatch(i);
    const Element& tmpl = d.element(0);
    recWidth_->setText(QString::number(tmpl.RecWidth));
    ellWidth_->setText(QString::number(tmpl.EllWidth));
    diaWidth_->setText(QString::number(tmpl.DiaWidth));
    doubleLineWidth_->setText(QString::number(s.DoubleLineWidth));
    snapToGrid_->setChecked(s.SnapToGrid);
    gridSize_->setValue(s.GridSize);

    showConnection(connectionFieldsOf(store_.storeConnection()));
    language_->setCurrentIndex(language_->findData(store_.readLanguage()));
    // What the fields show, read as Apply reads them, stands for the setting in force.
    connectionInForce_ = connectionShown();

    rememberedStyle_ = s.PresentStyle;
    rememberedPosition_ = s.MNPosition;

    adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
    }
    cmdApply_->setEnabled(false);
}

void frmOptions::watchEdits() {
    for (QRadioButton* option :
         {option1_, option2_, option3_[0], option3_[1], option4_[0], option4_[1], option4_[2]})
        connect(option, &QRadioButton::clicked, this, &frmOptions::enableApply);
    for (QLineEdit* box :
         {doubleLineWidth_, recWidth_, ellWidth_, diaWidth_, dataSource_, userId_, password_})
        connect(box, &QLineEdit::textChanged, this, &frmOptions::enableApply);
    connect(provider_, &QComboBox::currentIndexChanged, this, &frmOptions::enableApply);
    connect(snapToGrid_, &QCheckBox::toggled, this, &frmOptions::enableApply);
    connect(gridSize_, &QSpinBox::valueChanged, this, &frmOptions::enableApply);
    connect(language_, &QComboBox::currentIndexChanged, this, &frmOptions::enableApply);
}

void frmOptions::enableApply() {
    cmdApply_->setEnabled(true);
}

bool frmOptions::applyEnabled() const {
    return cmdApply_->isEnabled();
}

// ---- Swatches ----

void frmOptions::showSwatch(int s) {
    const QColor colour = toQColor(pending_[size_t(s)]);
    swatches_[size_t(s)]->setStyleSheet(
        QStringLiteral("QPushButton { background-color: %1; border: 1px solid #404040; }")
            .arg(colour.name()));
    swatches_[size_t(s)]->setToolTip(QString::number(pending_[size_t(s)]));
}

void frmOptions::swatchClicked(int s) {
    if (s < 0 || s >= kSwatchCount) return;
    enableApply();
    const PromptsParentScope dialogsOverThis(editor_.prompts(), this);
    Prompts& prompts = editor_.prompts();
    const std::optional<OleColor> chosen = prompts.chooseColour(pending_[size_t(s)]);
    if (!chosen) return;  // the chooser was cancelled: the swatch keeps its colour
    if (const auto refusal = swatchRefusal(s, *chosen, pending_, editor_.diagram())) {
        prompts.message(*refusal);
        return;
    }
    pending_[size_t(s)] = *chosen;
    showSwatch(s);
}

// ---- Connection ----

void frmOptions::showConnection(const DatabaseUrl& fields) {
    provider_->setCurrentIndex(provider_->findData(int(fields.provider)));
    dataSource_->setText(fields.dataSource);
    userId_->setText(fields.userId);
    password_->setText(fields.password);
    providerChanged();
}

DatabaseUrl frmOptions::connectionShown() const {
    DatabaseUrl fields;
    fields.provider = DatabaseUrl::Provider(provider_->currentData().toInt());
    fields.dataSource = dataSource_->text().trimmed();
    if (fields.provider == DatabaseUrl::Provider::PostgreSQL) {
        fields.userId = userId_->text();
        fields.password = password_->text();
    }
    return fields;
}

void frmOptions::providerChanged() {
    const bool server = DatabaseUrl::Provider(provider_->currentData().toInt()) ==
                        DatabaseUrl::Provider::PostgreSQL;
    userId_->setEnabled(server);
    password_->setEnabled(server);
    dataSource_->setPlaceholderText(
        server ? QCoreApplication::translate("frmOptions", "主機[:埠]/資料庫名稱")
               : defaultDatabaseFile());
}

void frmOptions::applyConnection() {
    const DatabaseUrl shown = connectionShown();
    if (shown == connectionInForce_) return;
    QString problem;
    const std::optional<QString> setting = connectionSettingOf(shown, &problem);
    if (!setting) {
        editor_.prompts().message(problem);
        return;
    }
    // The store connects anew for every save and load, so the next one uses this.
    store_.setStoreConnection(*setting);
    connectionInForce_ = shown;
}

// ---- Apply, OK, Cancel ----

void frmOptions::apply() {
    // Refusals, and anything applying the settings has to say, show over this window.
    const PromptsParentScope dialogsOverThis(editor_.prompts(), this);
    const Diagram& d = editor_.diagram();
    ProgramSettings next = d.settings;
    next.FKPK = option4_[0]->isChecked() ? 0 : option4_[2]->isChecked() ? 2 : 1;
    next.MNPosition = option3_[0]->isChecked() ? 0 : 1;
    next.PresentStyle = option1_->isChecked() ? 0 : 1;
    next.WindowBackColor = pending_[SwatchWindowBack];
    next.CandidateColor = pending_[SwatchCandidate];
    next.SelectedColor = pending_[SwatchSelected];
    next.AttLineColor = pending_[SwatchAttLine];
    next.RelLineColor = pending_[SwatchRelLine];
    next.SnapToGrid = snapToGrid_->isChecked();
    next.GridSize = qint16(gridSize_->value());
    const Element& tmpl = d.element(0);
    TemplateInsets insets{tmpl.RecWidth, tmpl.EllWidth, tmpl.DiaWidth};
    const QStringList refusals = readInsets(next, insets);

    editor_.applySettings(next, insets);
    if (hooks_.convertEnabled) hooks_.convertEnabled(convertEnabled(next));
    if (hooks_.coloursApplied) hooks_.coloursApplied();
    for (const QString& refusal : refusals) editor_.prompts().message(refusal);
    applyConnection();
    const QString language = language_->currentData().toString();
    if (language != store_.readLanguage()) store_.writeLanguage(language);

    rememberedStyle_ = next.PresentStyle;
    rememberedPosition_ = next.MNPosition;
    cmdApply_->setEnabled(false);
}

QStringList frmOptions::readInsets(ProgramSettings& settings, TemplateInsets& insets) const {
    // Each box stands by itself: a refused one keeps its value in force, the others apply.
    QStringList refusals;
    const auto take = [&refusals](InsetBox box, const QLineEdit* field, auto assign) {
        const std::variant<qint32, QString> value = readInset(box, field->text());
        if (const QString* refusal = std::get_if<QString>(&value))
            refusals << *refusal;
        else
            assign(std::get<qint32>(value));
    };
    take(InsetBox::DiaWidth, diaWidth_, [&insets](qint32 v) { insets.DiaWidth = v; });
    take(InsetBox::EllWidth, ellWidth_, [&insets](qint32 v) { insets.EllWidth = v; });
    take(InsetBox::RecWidth, recWidth_, [&insets](qint32 v) { insets.RecWidth = v; });
    take(InsetBox::DoubleLineWidth, doubleLineWidth_,
         [&settings](qint32 v) { settings.DoubleLineWidth = qint16(v); });
    return refusals;
}

void frmOptions::ok() {
    if (cmdApply_->isEnabled()) apply();
    close();
}

void frmOptions::cancel() {
    close();
}

// ---- Tabs ----

void frmOptions::selectTab(int n) {
    if (n < 0 || n >= kTabCount) return;
    // Only the page shown takes input.
    for (int page = 0; page < kTabCount; ++page) pages_->widget(page)->setEnabled(page == n);
    pages_->setCurrentIndex(n);
    if (tabs_->currentIndex() != n) tabs_->setCurrentIndex(n);
}

void frmOptions::nextTab() {
    selectTab((currentTab() + 1) % kTabCount);
}

int frmOptions::currentTab() const {
    return tabs_->currentIndex();
}

bool frmOptions::isNextTabKey(const QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->key() == Qt::Key_Tab && key->modifiers() == Qt::ControlModifier;
}

bool frmOptions::eventFilter(QObject* watched, QEvent* event) {
    // Ctrl+Tab reaches the window first, whichever of its controls has the focus.
    if (isNextTabKey(event)) {
        nextTab();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void frmOptions::keyPressEvent(QKeyEvent* event) {
    if (isNextTabKey(event)) {
        nextTab();
        return;
    }
    QWidget::keyPressEvent(event);
}

// ---- Opening from the main window ----

frmOptions* showOptionsWindow(Form1& form, SettingsStore& store) {
    for (frmOptions* open : form.findChildren<frmOptions*>(Qt::FindDirectChildrenOnly)) {
        if (!open->isVisible()) continue;  // closed, about to go
        open->raise();
        open->activateWindow();
        return open;
    }
    OptionsWindowHooks hooks;
    hooks.coloursApplied = [&form] { form.applySettings(); };
    hooks.convertEnabled = [&form](bool enabled) { form.setConvertEnabled(enabled); };
    auto* options = new frmOptions(form.editor(), store, std::move(hooks), &form);
    options->setAttribute(Qt::WA_DeleteOnClose);
    options->show();
    return options;
}
