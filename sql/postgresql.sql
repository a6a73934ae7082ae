-- Relvane project store: the five tables in PostgreSQL.
--
-- Relvane creates these tables itself when they are missing and its database user may create
-- tables; otherwise an administrator runs this script and postgresql-users.sql in the project
-- database (both are installed in /usr/share/relvane/sql), e.g.
--     psql "postgresql://admin@host/relvane" -f postgresql.sql -f postgresql-users.sql
-- and makes the users members of the role relvane_users that the second one grants. Projects are
-- read back by column position, so keep every column where it is. The names are quoted: they keep
-- their case.

CREATE TABLE IF NOT EXISTS "Project" (
    "i"           SMALLINT NOT NULL PRIMARY KEY CHECK ("i" BETWEEN 1 AND 32767),
    "ProjectName" TEXT     NOT NULL UNIQUE
);

CREATE TABLE IF NOT EXISTS "EntityType" (
    "Pi"     SMALLINT NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "i"      SMALLINT NOT NULL,
    "eName"  TEXT     NOT NULL,
    "color"  TEXT     NOT NULL,
    "x"      REAL     NOT NULL,
    "y"      REAL     NOT NULL,
    "width"  REAL     NOT NULL,
    "height" REAL     NOT NULL,
    "type"   SMALLINT NOT NULL,
    PRIMARY KEY ("Pi", "i")
);

CREATE TABLE IF NOT EXISTS "Attribute" (
    "Pi"       SMALLINT NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "i"        SMALLINT NOT NULL,
    "Ei"       SMALLINT NOT NULL,
    "aName"    TEXT     NOT NULL,
    "color"    TEXT     NOT NULL,
    "isSingle" SMALLINT NOT NULL,
    "isKey"    SMALLINT NOT NULL,
    "x"        REAL     NOT NULL,
    "y"        REAL     NOT NULL,
    "width"    REAL     NOT NULL,
    "height"   REAL     NOT NULL,
    PRIMARY KEY ("Pi", "i")
);

CREATE TABLE IF NOT EXISTS "Invoke" (
    "Pi"          SMALLINT NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "Ri"          SMALLINT NOT NULL,
    "Ei"          SMALLINT NOT NULL,
    "Is2nd"       SMALLINT NOT NULL,
    "min"         TEXT     NOT NULL,
    "max"         TEXT     NOT NULL,
    "IsWeak"      SMALLINT NOT NULL,
    "Description" TEXT     NOT NULL
);
CREATE INDEX IF NOT EXISTS "Invoke_Pi" ON "Invoke" ("Pi", "Ri", "Ei", "Is2nd");

CREATE TABLE IF NOT EXISTS "ET_Identify_WET" (
    "Pi" SMALLINT NOT NULL REFERENCES "Project" ("i") ON DELETE CASCADE,
    "Ei" SMALLINT NOT NULL,
    "Wi" SMALLINT NOT NULL,
    PRIMARY KEY ("Pi", "Ei", "Wi")
);
