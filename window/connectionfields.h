#pragma once

#include <QString>
#include <optional>

#include "databaseurl.h"

// The project store's connection as the options window shows it: the fields of the setting
// "StoreConnection" (provider, data source, user id, password) and back.

// The fields of a stored connection. Nothing stored shows the default SQLite file; a setting of
// no known form is shown as it stands, as an SQLite data source, for the user to correct.
DatabaseUrl connectionFieldsOf(const QString& setting);

// The setting for the fields shown; nullopt, with the message for the user in *problem, when they
// name no usable connection. The default SQLite file is written as nothing, so the setting keeps
// following the user's data folder.
std::optional<QString> connectionSettingOf(const DatabaseUrl& fields, QString* problem = nullptr);
