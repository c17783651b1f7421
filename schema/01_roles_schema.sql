-- Корвель: the schema that holds every table, view and sequence of the system.
--
-- Run as the owner login role "ZOLT", connected to the database of the
-- installation (the database is owned by "ZOLT"). The roles themselves
-- ("ZOLT", the group role ddl and the users' login roles) are made by the
-- installation script before this file runs.
--
-- The client always writes objects with the schema prefix (ZOLT.WARECARD);
-- unquoted names fold to lower case, so the schema is "zolt".

\set ON_ERROR_STOP on

SET client_encoding = 'UTF8';

CREATE SCHEMA IF NOT EXISTS zolt AUTHORIZATION "ZOLT";

COMMENT ON SCHEMA zolt IS 'Корвель: учет склада, объектов строительства и работ';

-- Nobody outside the owner and the group role ddl (05_grants.sql) reaches
-- into the schema.
REVOKE ALL ON SCHEMA zolt FROM PUBLIC;

-- The structure update of the program connects as the owner and runs a few
-- statements without schema prefix (CREATE TABLE DB_VERSION, alter table
-- WARETYPE ...). Those must land in zolt, not in public.
ALTER ROLE "ZOLT" SET search_path = zolt, public;
SET search_path = zolt, public;
