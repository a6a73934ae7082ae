#pragma once

#include <QtCore/qglobal.h>

#if defined(GLYPHON_LIBRARY)
#define GLYPHON_EXPORT Q_DECL_EXPORT
#else
#define GLYPHON_EXPORT Q_DECL_IMPORT
#endif
