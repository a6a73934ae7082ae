#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

#include "document.h"
#include "session.h"

// What a recovery file holds: the whole document exactly as the editor had it (templates, hidden
// entries and unfinished parts such as an attribute not yet connected, which a stored project
// cannot hold) and the names the window showed it under.
struct RecoverySnapshot {
    Document document;
    QString projectName;      // the name last typed for a save or a load
    ProjectIdentity project;  // which project the work is
    int presentStyle = 1;  // the notation the participation labels are written in
};

// A versioned, checksummed byte image of the snapshot.
QByteArray encodeSnapshot(const RecoverySnapshot& snapshot);
// The snapshot in `bytes`; nullopt, with *problem saying why, when they are not one written by
// encodeSnapshot (another program's file, a truncated or damaged one, a newer format).
std::optional<RecoverySnapshot> decodeSnapshot(const QByteArray& bytes, QString* problem);
