#pragma once

#include <QString>

// The text before the first comma of a participation text or connector tag; "" when the text
// holds no comma.
QString MinPart(const QString& text);
// The text after the first comma; the whole text when it holds no comma; "" for "".
QString MaxPart(const QString& text);

// The shortest decimal text that reads back as exactly this single-precision value: 1440 gives
// "1440", 1234.5 gives "1234.5", 0.1f gives "0.1". Settings and stored projects write floats so.
QString shortestFloatText(float value);
