#pragma once

class QSqlDatabase;

// The largest text or binary value an SQLite store connection reads or writes, in bytes: far
// more than any caption needs, far less than a hostile file could make a query compute for every
// row. A larger value fails its statement ("string or blob too big"), and with it the operation.
constexpr int kLargestStoredValue = 4 * 1024 * 1024;

// Sets that limit on an open SQLite connection; other connections are left as they are.
void limitValueSize(QSqlDatabase& db);
