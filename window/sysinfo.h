#pragma once

#include <QString>
#include <QStringList>

#include "prompts.h"

// The system-information programs of the common Linux desktops, the most informative first.
const QStringList& systemInfoPrograms();

// The first program of systemInfoPrograms() found as an executable file in a folder of
// `searchPath` (folders separated by ':'); "" when there is none.
QString findSystemInfoProgram(const QString& searchPath);

// Starts the system-information program without waiting for it. When none is installed, or it
// cannot be started, shows "目前無法提供系統資訊". Returns whether a program was started.
bool StartSysInfo(Prompts& prompts, const QString& searchPath = qEnvironmentVariable("PATH"));
