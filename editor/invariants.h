#pragma once

#include <QString>
#include <set>

#include "diagram.h"

// The relations the diagram model promises for what stays visible: attributes and their single
// owner, relationships and their participants (twice, under e and e_2, for a recursive pair),
// weak entities with their identifying relationships and owners, each shown by the connectors
// that should show it, each connector known by its ends and kind. `unrelated` are connectors that
// may stand with no relation behind them: those of connections given up after their first link,
// and the one a running connection waits with. Returns the first violation found, or an empty
// text.
QString findInconsistency(const Diagram& diagram, const std::set<int>& unrelated);
