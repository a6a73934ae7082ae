-- Relvane project store: the five tables in SQLite.
--
-- Relvane creates these tables itself in a new database file; this script is for creating them
-- by hand. Projects are read back by column position, so keep every column where it is.
-- SQLite honours the cascading deletes only on connections that have run
--     PRAGMA foreign_keys = ON;
-- Relvane runs it on every connection it opens.

CREATE TABLE IF NOT EXISTS "Project" (
    "i"           INTEGER NOT NULL PRIMARY KEY CHECK ("i" BETWEEN 1 AND 32767),
    "ProjectName" TEXT    NOT NULL UNIQUE
);

CREATE TABLE IF NOT EXISTS "EntityType" (
    "Pi"     INTEGER NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "i"      INTEGER NOT NULL,
    "eName"  TEXT    NOT NULL,
    "color"  TEXT    NOT NULL,
    "x"      REAL    NOT NULL,
    "y"      REAL    NOT NULL,
    "width"  REAL    NOT NULL,
    "height" REAL    NOT NULL,
    "type"   INTEGER NOT NULL,
    PRIMARY KEY ("Pi", "i")
);

CREATE TABLE IF NOT EXISTS "Attribute" (
    "Pi"       INTEGER NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "i"        INTEGER NOT NULL,
    "Ei"       INTEGER NOT NULL,
    "aName"    TEXT    NOT NULL,
    "color"    TEXT    NOT NULL,
    "isSingle" INTEGER NOT NULL,
    "isKey"    INTEGER NOT NULL,
    "x"        REAL    NOT NULL,
    "y"        REAL    NOT NULL,
    "width"    REAL    NOT NULL,
    "height"   REAL    NOT NULL,
    PRIMARY KEY ("Pi", "i")
);

CREATE TABLE IF NOT EXISTS "Invoke" (
    "Pi"          INTEGER NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "Ri"          INTEGER NOT NULL,
    "Ei"          INTEGER NOT NULL,
    "Is2nd"       INTEGER NOT NULL,
    "min"         TEXT    NOT NULL,
    "max"         TEXT    NOT NULL,
    "IsWeak"      INTEGER NOT NULL,
    "Description" TEXT    NOT NULL
);
CREATE INDEX IF NOT EXISTS "Invoke_Pi" ON "Invoke" ("Pi", "Ri", "Ei", "Is2nd");

CREATE TABLE IF NOT EXISTS "ET_Identify_WET" (
    "Pi" INTEGER NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "Ei" INTEGER NOT NULL,
    "Wi" INTEGER NOT NULL,
    PRIMARY KEY ("Pi", "Ei", "Wi")
);
