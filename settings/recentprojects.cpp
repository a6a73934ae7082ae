#include "recentprojects.h"

#include <QDir>
#include <QStringList>
#include <algorithm>

namespace {

const QString kStoreKind = QStringLiteral("store");
const QString kFileKind = QStringLiteral("file");
constexpr QChar kField = QLatin1Char('\t');

}  // namespace

QString RecentProject::label() const {
    if (kind == Kind::Store) return name;
    return QStringLiteral("%1 (%2)").arg(name, QDir::toNativeSeparators(place));
}

RecentProjects RecentProjects::fromText(const QString& text) {
    RecentProjects recent;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const QStringList fields = line.split(kField);
        if (fields.size() != 3 || fields[2].isEmpty()) continue;
        RecentProject project;
        if (fields[0] == kStoreKind)
            project.kind = RecentProject::Kind::Store;
        else if (fields[0] == kFileKind && !fields[1].isEmpty())
            project.kind = RecentProject::Kind::File;
        else
            continue;
        project.place = fields[1];
        project.name = fields[2];
        if (int(recent.entries_.size()) < kMost &&
            std::find(recent.entries_.begin(), recent.entries_.end(), project) ==
                recent.entries_.end())
            recent.entries_.push_back(project);
    }
    return recent;
}

QString RecentProjects::toText() const {
    QStringList lines;
    for (const RecentProject& p : entries_) {
        // Tabs and line breaks would split the entry; such names are kept without them.
        QString name = p.name;
        name.replace(kField, QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
        lines << (p.kind == RecentProject::Kind::Store ? kStoreKind : kFileKind) + kField +
                     p.place + kField + name;
    }
    return lines.join(QLatin1Char('\n'));
}

void RecentProjects::add(const RecentProject& project) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), project), entries_.end());
    entries_.insert(entries_.begin(), project);
    if (int(entries_.size()) > kMost) entries_.resize(kMost);
}
