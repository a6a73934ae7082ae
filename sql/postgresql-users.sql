-- Relvane project store on a shared PostgreSQL server: the tables Relvane keeps beside the five,
-- and a role for its users. An administrator runs it after postgresql.sql, in the project
-- database, as the database's owner:
--     psql "postgresql://admin@host/relvane" -f postgresql.sql -f postgresql-users.sql
-- and then makes every student and teacher a member of relvane_users, for example
--     CREATE ROLE alice LOGIN PASSWORD '...' IN ROLE relvane_users;
-- Members may then save, load, rename and delete projects without the right to create tables.

CREATE TABLE IF NOT EXISTS "ProjectSaved" (
    "Pi"      INTEGER NOT NULL PRIMARY KEY,
    "SavedAt" TEXT    NOT NULL
);

CREATE TABLE IF NOT EXISTS "ProjectExtra" (
    "Pi"      INTEGER NOT NULL PRIMARY KEY,
    "SavedAt" TEXT    NOT NULL,
    "Draft"   INTEGER NOT NULL,
    "Orders"  TEXT    NOT NULL
);

-- Specialization and category circles of the enhanced ER model, and their superclass and
-- subclass lines (see store/specializationrows.h).
CREATE TABLE IF NOT EXISTS "Specialization" (
    "Pi"          INTEGER NOT NULL,
    "i"           INTEGER NOT NULL,
    "eName"       TEXT    NOT NULL,
    "color"       TEXT    NOT NULL,
    "x"           REAL    NOT NULL,
    "y"           REAL    NOT NULL,
    "width"       REAL    NOT NULL,
    "height"      REAL    NOT NULL,
    "type"        INTEGER NOT NULL,
    "overlapping" INTEGER NOT NULL,
    "total"       INTEGER NOT NULL,
    "mapping"     TEXT    NOT NULL,
    "Ai"          INTEGER NOT NULL,
    "SavedAt"     TEXT    NOT NULL,
    PRIMARY KEY ("Pi", "i")
);

CREATE TABLE IF NOT EXISTS "SpecializationLink" (
    "Pi"           INTEGER NOT NULL,
    "n"            INTEGER NOT NULL,
    "Ci"           INTEGER NOT NULL,
    "Ei"           INTEGER NOT NULL,
    "IsSuperclass" INTEGER NOT NULL,
    "SavedAt"      TEXT    NOT NULL,
    PRIMARY KEY ("Pi", "n")
);

DO $$
BEGIN
    IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'relvane_users') THEN
        CREATE ROLE relvane_users NOLOGIN;
    END IF;
END
$$;

GRANT SELECT, INSERT, UPDATE, DELETE
    ON "Project", "EntityType", "Attribute", "Invoke", "ET_Identify_WET", "ProjectSaved",
       "ProjectExtra", "Specialization", "SpecializationLink"
    TO relvane_users;
