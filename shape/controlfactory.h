#pragma once

#include <QString>

#include "glyphon_global.h"

class QWidget;
class UserControl1;

// Creates controls by their registered name; "Glyphon.UserControl1" is the one control of this
// library. Returns nullptr for an unknown name.
GLYPHON_EXPORT UserControl1* createControl(const QString& registeredName,
                                           QWidget* parent = nullptr);
