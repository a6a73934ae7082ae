#pragma once

#include <QString>
#include <vector>

// File -> 最近的專案: the projects opened or saved last, newest first, at most kMost. A project
// of a store is known by the store's URL (empty: the default store) and its name, a project file
// by its path.
struct RecentProject {
    enum class Kind { Store, File };
    Kind kind = Kind::Store;
    QString place;  // the store's URL, or the file's path
    QString name;   // the project's name

    // What the menu shows: the name, and for a file its path.
    QString label() const;
    friend bool operator==(const RecentProject&, const RecentProject&) = default;
};

class RecentProjects {
public:
    static constexpr int kMost = 8;

    // From the setting's text: one project a line, "store" or "file", the place and the name
    // separated by tabs. Lines that are not such are left out.
    static RecentProjects fromText(const QString& text);
    QString toText() const;

    // `project` becomes the newest; an earlier entry for it goes, and the oldest beyond kMost.
    void add(const RecentProject& project);
    const std::vector<RecentProject>& entries() const { return entries_; }

private:
    std::vector<RecentProject> entries_;
};
