#pragma once

#include "diagram.h"

// Model states the commands leave behind but cannot be drawn in one go.
namespace DiagramEdits {

// A deleted relationship connector from `first` to `second`: hidden, drawn dotted when `dotted`,
// its participation kept, as a connector of an earlier recursive pair is left after its deletion.
int deletedConnector(Diagram& d, int first, int second, bool dotted, const QString& participation);

}  // namespace DiagramEdits
