#pragma once

#include <QByteArray>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <map>
#include <optional>
#include <set>

#include "document.h"

class Diagram;

// A piece of a diagram on its way through the clipboard: copied elements renumbered 1..n in
// selection order, their collections naming only each other, and the live connectors whose two
// ends both came along, renumbered 1..m. Relations to elements left behind are cut, so that a
// fragment pasted anywhere is a consistent diagram of its own: an identifying relationship
// copied without its weak entity becomes an ordinary relationship, a weak entity copied without
// any of its identifying relationships an ordinary entity.
struct Fragment {
    Document document;

    int elementCount() const { return document.elementCount() - 1; }
    bool isEmpty() const { return elementCount() <= 0; }
    // The rectangle the copied elements cover, in drawing units.
    QRectF bounds() const;
};

// The live elements of `selection` with the connectors among them.
Fragment copyFragment(const Diagram& diagram, const std::set<int>& selection);

// Renumbers the six collections of `e` by `map` (old index -> new), with the keys they file the
// items under, and a circle's defining attribute; entries (an attribute) naming elements outside
// the map are dropped.
void renumberCollections(Element& e, const std::map<int, int>& map);

// The clipboard's own type for fragments, and the fragment's versioned, checksummed bytes.
inline constexpr char kFragmentMimeType[] = "application/x-relvane-fragment";
QByteArray encodeFragment(const Fragment& fragment);
// The fragment in `bytes`; nullopt, with *problem saying why, for bytes that are no fragment, one
// too large to paste, or one whose elements do not form a consistent diagram.
std::optional<Fragment> decodeFragment(const QByteArray& bytes, QString* problem);
