#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QString>

// A written workbook as an independent reader (openpyxl, and the drawing part's XML) sees it.
struct Readback {
    bool ok = false;
    QString error;
    QJsonObject json;

    QJsonObject cells(const QString& sheet) const { return json.value(sheet).toObject(); }
    QJsonObject cell(const QString& sheet, const QString& ref) const {
        return cells(sheet).value(ref).toObject();
    }
    QString text(const QString& ref) const {
        return cell(QStringLiteral("Sheet1"), ref).value("v").toString();
    }
    int number(const QString& ref) const {
        return cell(QStringLiteral("Sheet2"), ref).value("v").toInt();
    }
    QJsonArray shapes() const { return json.value("shapes").toArray(); }
};

Readback readBack(const QString& path);

// Drawing units per point.
constexpr double kEmu = 12700;
