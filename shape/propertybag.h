#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>
#include <vector>

#include "glyphon_global.h"

// The host's store of a control's persisted properties: named values, kept in the order written.
// A value equal to its default is not stored (and drops an earlier value of that name); reading a
// missing name yields the default. Values compare as QVariants, so a writer passes the value and
// its default as the same type.
class GLYPHON_EXPORT PropertyBag {
public:
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue);
    QVariant ReadProperty(const QString& name, const QVariant& defaultValue) const;

    bool contains(const QString& name) const;
    QStringList names() const;                                  // in the order written
    void setValue(const QString& name, const QVariant& value);  // for hosts restoring a bag
    void remove(const QString& name);

private:
    std::vector<std::pair<QString, QVariant>> values_;
};
