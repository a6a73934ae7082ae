#pragma once

#include "diagram.h"

// Model states the commands leave behind but cannot be drawn in one go.
namespace DiagramEdits {

// A deleted connector carrying `tag`: hidden, drawn dotted when `dotted`, its participation kept,
// as a connector of an earlier recursive pair is left after its deletion.
int deletedConnector(Diagram& d, const QString& tag, bool dotted, const QString& participation);

}  // namespace DiagramEdits
