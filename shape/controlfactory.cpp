#include "controlfactory.h"

#include "usercontrol1.h"

UserControl1* createControl(const QString& registeredName, QWidget* parent) {
    if (registeredName == QLatin1String("Glyphon.UserControl1")) return new UserControl1(parent);
    return nullptr;
}
