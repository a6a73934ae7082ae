#include "workbookfile.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>

void WorkbookFolder::keep(const QString& file) const {
    const QString target = qEnvironmentVariable("RELVANE_KEEP_WORKBOOKS");
    if (target.isEmpty()) return;
    QDir().mkpath(target);
    const QString copy = QDir(target).filePath(QFileInfo(file).fileName());
    QFile::remove(copy);
    QFile::copy(file, copy);
}

QString WorkbookFolder::currentTestFileName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    QString name = info ? QString::fromUtf8(info->test_suite_name()) + QLatin1Char('-') +
                              QString::fromUtf8(info->name())
                        : QStringLiteral("workbook");
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return name + QStringLiteral(".xlsx");
}
