#pragma once

#include <QDir>
#include <QString>
#include <QTemporaryDir>

// A temporary folder for the workbooks of one test. With RELVANE_KEEP_WORKBOOKS set to a folder,
// every workbook written is also copied there, to look at it.
class WorkbookFolder {
public:
    QString path(const QString& name) const { return dir_.filePath(name); }
    void keep(const QString& file) const;
    // "<suite>-<test>.xlsx" of the running test, for kept copies that do not overwrite each other.
    static QString currentTestFileName();

private:
    QTemporaryDir dir_;
};
