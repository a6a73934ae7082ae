#pragma once

#include <QtGlobal>

// Where a long operation (a load, a save, a conversion) reports how far it is, and learns whether
// the user asked it to stop. Operations take a null pointer when nobody watches.
class Progress {
public:
    virtual ~Progress() = default;
    // Step `done` of `total` is reached; false when the operation should stop.
    virtual bool advance(qint64 done, qint64 total) = 0;
};

// Whether an operation may go on after step `done` of `total`.
inline bool proceed(Progress* progress, qint64 done, qint64 total) {
    return !progress || progress->advance(done, total);
}
