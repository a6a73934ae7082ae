#pragma once

#include <QIcon>
#include <QString>

// The toolbar's images, drawn rather than shipped: the outline each button creates, or a line
// joining two outlines for the connect buttons. Keys as the toolbar uses them.
QIcon toolbarIcon(const QString& key);
