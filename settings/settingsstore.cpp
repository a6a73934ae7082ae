#include "settingsstore.h"

#include <QCoreApplication>

#include "grid.h"
#include "language.h"
#include "loginuser.h"
#include "settingvalues.h"

namespace {

QString keyFailed() {
    return QCoreApplication::translate("SettingsStore", "Key 值建立失敗");
}

// First-run values; the settings' own come from the program's defaults.
constexpr ProgramSettings kFirstRun{};
constexpr qint16 kDefaultMode = 1;  // PresentStyle, MNPosition
// New settings route foreign-key arrows around the text (FKPK 2); stored 0 and 1 keep theirs.
constexpr qint16 kDefaultArrows = 2;
constexpr qint32 kDefaultInset = 5;
constexpr qint16 kDefaultDoubleLineWidth = kFirstRun.DoubleLineWidth;
constexpr OleColor kDefaultSelected = kFirstRun.SelectedColor;
constexpr OleColor kDefaultCandidate = kFirstRun.CandidateColor;
constexpr OleColor kDefaultAttLine = kFirstRun.AttLineColor;
constexpr OleColor kDefaultRelLine = kFirstRun.RelLineColor;
constexpr ColourQuad kDefaultColours{kDefaultSelected, kDefaultCandidate, kDefaultAttLine,
                                     kDefaultRelLine};

QString number(qint64 value) {
    return QString::number(value);
}

// A switch stored as "1" (on) or "0"; anything else, or nothing, is `otherwise`.
bool settingToSwitch(const std::optional<QString>& text, bool otherwise) {
    const QString value = text.value_or(QString()).trimmed();
    if (value == QLatin1String("1")) return true;
    if (value == QLatin1String("0")) return false;
    return otherwise;
}

QString switchText(bool on) {
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The grid's size in drawing units; a stored size outside the sizes the options offer is the
// default.
qint16 settingToGridSize(const std::optional<QString>& text) {
    const std::optional<qint16> size = settingToInt16(text);
    return size && *size >= kSmallestGridSize && *size <= kLargestGridSize ? *size
                                                                           : kFirstRun.GridSize;
}

// "FirstLogo" asks for the splash only when it equals 1; a missing or unreadable value counts as
// its first-run value, 1.
bool asksForSplash(const std::optional<QString>& firstLogo) {
    const std::optional<double> value = firstLogo ? wholeNumber(*firstLogo) : std::nullopt;
    return !value || *value == 1;
}

}  // namespace

SettingsStore::SettingsStore(Prompts& prompts, QString fileName)
    : prompts_(prompts), fileName_(std::move(fileName)) {}

void SettingsStore::put(SettingsKey& key, const QString& valueName, const QString& text) {
    key.write(valueName, text);
    writeLog_ << valueName;
}

DiagramSettings SettingsStore::firstRunValues(ScaleMemory& scale) {
    DiagramSettings values;
    ProgramSettings& s = values.settings;
    s.CandidateColor = kDefaultCandidate;
    s.SelectedColor = kDefaultSelected;
    s.AttLineColor = kDefaultAttLine;
    s.RelLineColor = kDefaultRelLine;
    values.insets = {kDefaultInset, kDefaultInset, kDefaultInset};
    s.DoubleLineWidth = kDefaultDoubleLineWidth;
    scale = ScaleMemory{};
    s.PresentStyle = s.MNPosition = kDefaultMode;
    s.FKPK = kDefaultArrows;
    values.projectName = loginUser_;
    storeConnection_.clear();
    return values;
}

StartupResult SettingsStore::startup(WindowPlacement& window, ScaleMemory& scale) {
    StartupResult result;
    loginUser_ = loginUserName();
    SettingsKey key(fileName_);

    if (key.exists()) {
        result.values = readAll(key, window, scale);
        result.showSplash = asksForSplash(key.read(QStringLiteral("FirstLogo")));
        return result;
    }

    result.firstRun = true;
    result.values = firstRunValues(scale);
    if (!key.prepareForWriting()) {
        prompts_.message(keyFailed());
        result.keyFailed = true;
        return result;
    }
    const ProgramSettings& s = result.values.settings;
    put(key, QStringLiteral("ProjectName"), loginUser_);
    put(key, QStringLiteral("Width"), floatText(window.width));
    put(key, QStringLiteral("Height"), floatText(window.height));
    put(key, QStringLiteral("Top"), floatText(window.top));
    put(key, QStringLiteral("Left"), floatText(window.left));
    put(key, QStringLiteral("WindowState"), number(window.windowState));
    put(key, QStringLiteral("FirstLogo"), QStringLiteral("1"));
    put(key, QStringLiteral("PresentStyle"), QStringLiteral("1"));
    put(key, QStringLiteral("MNPosition"), QStringLiteral("1"));
    put(key, QStringLiteral("FKPK"), number(kDefaultArrows));
    put(key, QStringLiteral("CandidateColor"), number(s.CandidateColor));
    put(key, QStringLiteral("SelectedColor"), number(s.SelectedColor));
    put(key, QStringLiteral("AttLineColor"), number(s.AttLineColor));
    put(key, QStringLiteral("RelLineColor"), number(s.RelLineColor));
    if (!key.flush()) {
        prompts_.message(keyFailed());
        result.keyFailed = true;
        return result;
    }
    result.showSplash = true;
    return result;
}

DiagramSettings SettingsStore::readAll(SettingsKey& key, WindowPlacement& window,
                                       ScaleMemory& scale) {
    auto text = [&key](const char* name) { return key.read(QString::fromLatin1(name)); };
    DiagramSettings values;
    ProgramSettings& s = values.settings;

    // The window keeps its own placement for values that cannot be read.
    window.left = settingToFloat(text("Left")).value_or(window.left);
    window.top = settingToFloat(text("Top")).value_or(window.top);
    window.width = settingToFloat(text("Width")).value_or(window.width);
    window.height = settingToFloat(text("Height")).value_or(window.height);

    s.PresentStyle = settingToInt16(text("PresentStyle")).value_or(kDefaultMode);
    s.MNPosition = settingToInt16(text("MNPosition")).value_or(kDefaultMode);
    s.FKPK = settingToInt16(text("FKPK")).value_or(kDefaultArrows);
    s.SnapToGrid = settingToSwitch(text("SnapToGrid"), kFirstRun.SnapToGrid);
    s.GridSize = settingToGridSize(text("GridSize"));

    const ScaleMemory defaultScale;
    scale.width = settingToInt32(text("NormalForm1Width")).value_or(defaultScale.width);
    scale.height = settingToInt32(text("NormalForm1Height")).value_or(defaultScale.height);
    scale.top = settingToInt32(text("NormalForm1Top")).value_or(defaultScale.top);
    scale.left = settingToInt32(text("NormalForm1Left")).value_or(defaultScale.left);

    TemplateInsets& insets = values.insets;
    insets.RecWidth = settingToInt32(text("RecWidth")).value_or(kDefaultInset);
    insets.EllWidth = settingToInt32(text("EllWidth")).value_or(kDefaultInset);
    insets.DiaWidth = settingToInt32(text("DiaWidth")).value_or(kDefaultInset);

    s.DoubleLineWidth = settingToInt16(text("DoubleLineWidth")).value_or(kDefaultDoubleLineWidth);

    const ColourQuad colours = distinctColours(
        {settingToColour(text("SelectedColor")), settingToColour(text("CandidateColor")),
         settingToColour(text("AttLineColor")), settingToColour(text("RelLineColor"))},
        kDefaultColours);
    s.SelectedColor = colours[0];
    s.CandidateColor = colours[1];
    s.AttLineColor = colours[2];
    s.RelLineColor = colours[3];

    // Only the three states a window has; anything else leaves the window as it is.
    if (const auto state = settingToInt16(text("WindowState")); state && *state >= 0 && *state <= 2)
        window.windowState = *state;
    values.projectName = text("ProjectName").value_or(loginUser_);
    storeConnection_ = text("StoreConnection").value_or(QString());
    return values;
}

bool SettingsStore::shutdown(const DiagramSettings& values, const WindowPlacement& window,
                             const ScaleMemory& scale) {
    SettingsKey key(fileName_);
    if (!key.prepareForWriting()) {
        prompts_.message(keyFailed());
        return false;
    }
    const ProgramSettings& s = values.settings;
    const TemplateInsets& tmpl = values.insets;
    put(key, QStringLiteral("ProjectName"), values.projectName);
    put(key, QStringLiteral("Width"), floatText(window.width));
    put(key, QStringLiteral("Height"), floatText(window.height));
    put(key, QStringLiteral("Top"), floatText(window.top));
    put(key, QStringLiteral("Left"), floatText(window.left));
    put(key, QStringLiteral("NormalForm1Width"), number(scale.width));
    put(key, QStringLiteral("NormalForm1Height"), number(scale.height));
    put(key, QStringLiteral("NormalForm1Top"), number(scale.top));
    put(key, QStringLiteral("NormalForm1Left"), number(scale.left));
    put(key, QStringLiteral("DoubleLineWidth"), number(s.DoubleLineWidth));
    put(key, QStringLiteral("PresentStyle"), number(s.PresentStyle));
    put(key, QStringLiteral("MNPosition"), number(s.MNPosition));
    put(key, QStringLiteral("FKPK"), number(s.FKPK));
    put(key, QStringLiteral("SnapToGrid"), switchText(s.SnapToGrid));
    put(key, QStringLiteral("GridSize"), number(s.GridSize));
    put(key, QStringLiteral("WindowState"), number(window.windowState));
    put(key, QStringLiteral("RecWidth"), number(tmpl.RecWidth));
    put(key, QStringLiteral("EllWidth"), number(tmpl.EllWidth));
    put(key, QStringLiteral("DiaWidth"), number(tmpl.DiaWidth));
    put(key, QStringLiteral("SelectedColor"), number(s.SelectedColor));
    put(key, QStringLiteral("CandidateColor"), number(s.CandidateColor));
    put(key, QStringLiteral("AttLineColor"), number(s.AttLineColor));
    put(key, QStringLiteral("RelLineColor"), number(s.RelLineColor));
    put(key, QStringLiteral("StoreConnection"), storeConnection_);
    if (!key.flush()) {
        prompts_.message(keyFailed());
        return false;
    }
    return true;
}

void SettingsStore::writeAtOnce(const QString& valueName, const QString& text) {
    SettingsKey key(fileName_);
    if (!key.prepareForWriting()) return;
    put(key, valueName, text);
    key.flush();
}

void SettingsStore::writeProjectName(const QString& name) {
    writeAtOnce(QStringLiteral("ProjectName"), name);
}

void SettingsStore::writeFirstLogo(bool showAtStartup) {
    writeAtOnce(QStringLiteral("FirstLogo"),
                showAtStartup ? QStringLiteral("1") : QStringLiteral("0"));
}

bool SettingsStore::readFirstLogo() const {
    SettingsKey key(fileName_);
    return !key.exists() || asksForSplash(key.read(QStringLiteral("FirstLogo")));
}

void SettingsStore::writeReviewPanel(bool shown) {
    writeAtOnce(QStringLiteral("ReviewPanel"), shown ? QStringLiteral("1") : QStringLiteral("0"));
}

bool SettingsStore::readReviewPanel() const {
    SettingsKey key(fileName_);
    if (!key.exists()) return true;
    const std::optional<QString> value = key.read(QStringLiteral("ReviewPanel"));
    return !value || value->trimmed() != QLatin1String("0");
}

void SettingsStore::writeShowGrid(bool shown) {
    writeAtOnce(QStringLiteral("ShowGrid"), switchText(shown));
}

bool SettingsStore::readShowGrid() const {
    SettingsKey key(fileName_);
    return settingToSwitch(key.read(QStringLiteral("ShowGrid")), false);
}

void SettingsStore::writeOverview(bool shown) {
    writeAtOnce(QStringLiteral("Overview"), switchText(shown));
}

bool SettingsStore::readOverview() const {
    SettingsKey key(fileName_);
    return settingToSwitch(key.read(QStringLiteral("Overview")), false);
}

void SettingsStore::writeLanguage(const QString& code) {
    writeAtOnce(kLanguageSetting, knownLanguage(code));
}

QString SettingsStore::readLanguage() const {
    SettingsKey key(fileName_);
    return knownLanguage(key.read(kLanguageSetting).value_or(kLanguageChinese));
}

void SettingsStore::writeSqlDialect(const QString& dialect) {
    writeAtOnce(QStringLiteral("SqlDialect"), dialect);
}

QString SettingsStore::readSqlDialect() const {
    SettingsKey key(fileName_);
    return key.read(QStringLiteral("SqlDialect")).value_or(QStringLiteral("postgresql"));
}

void SettingsStore::writeRecentProjects(const QString& text) {
    writeAtOnce(QStringLiteral("RecentProjects"), text);
}

QString SettingsStore::readRecentProjects() const {
    SettingsKey key(fileName_);
    return key.read(QStringLiteral("RecentProjects")).value_or(QString());
}

void SettingsStore::setStoreConnection(const QString& url) {
    storeConnection_ = url;
    writeAtOnce(QStringLiteral("StoreConnection"), url);
}

bool convertEnabled(const ProgramSettings& settings) {
    return settings.enhancedMode();
}
