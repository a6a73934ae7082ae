#pragma once

#include <QString>
#include <vector>

#include "document.h"
#include "projectrows.h"

// The orders the five tables do not keep. A load rebuilds an element's attributes, a
// relationship's entities, an entity's relationships and a weak entity's owners in index order,
// and the relationship connectors by relationship and entity; the mapping reads them in list
// order (an entity's columns follow its attributes as they were attached). Kept as one text beside
// the tables, they are put back after the load, so a project converts the same before and after
// it is saved.
//
// The text: "c:" and the live relationship connectors in index order as "entity.relationship"
// (a "!" after one drawn without a relation behind it, the first link of a connection given up),
// then for every list of two or more items its letter, the element index, ":" and the items; the
// parts joined by ";": "c:1.3,2.3;a1:7,5,6;r3:2,1".

QString encodeListOrders(const Document& document);

// Puts the relationship rows in the order their connectors were drawn and marks the rows of
// connectors that had no relation behind them. Rows the text does not name follow, as they were.
void orderInvokeRows(std::vector<ProjectRows::InvokeRow>& rows, const QString& orders);

// Gives every list the text names the order it names, when the list holds exactly those items;
// any other list stays as the load built it.
void applyListOrders(Document& document, const QString& orders);
