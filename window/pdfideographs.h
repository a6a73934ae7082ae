#pragma once

#include <QByteArray>
#include <QFont>
#include <QString>
#include <utility>
#include <vector>

// Qt's PDF writer names each glyph in a font's ToUnicode map by the lowest code point the font
// draws with that glyph. CJK fonts draw many ideographs with the glyph of their radical (門 with
// that of ⾨ U+2FA8, 食 with that of ⻝ U+2EDD), so the text of such a PDF would copy and search
// as radicals. Returns `pdf` with every radical in its ToUnicode maps that `texts` do not use
// replaced by the ideograph of `texts` their fonts draw with the same glyph. Code points keep
// their four hex digits, so every offset in the file stays valid.
QByteArray withIdeographsRestored(const QByteArray& pdf,
                                  const std::vector<std::pair<QString, QFont>>& texts);
