-- Корвель: working privileges of the users of the system.
--
-- Run as "ZOLT" after 04_fixed_rows.sql.
--
-- Every user of the system is a login role that is a member of the group
-- role ddl; ddl may use the schema, read and write every table and view and
-- take sequence values. Roles outside ddl get nothing (PUBLIC has no rights
-- on the schema, see 01_roles_schema.sql). Objects the owner adds later
-- (the structure update of the program) get the same rights by default.

\set ON_ERROR_STOP on

SET search_path = zolt, public;

GRANT USAGE ON SCHEMA zolt TO ddl;

-- tables and views
GRANT SELECT, INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA zolt TO ddl;

-- sequences: nextval needs USAGE, reading currval/last_value needs SELECT
GRANT USAGE, SELECT ON ALL SEQUENCES IN SCHEMA zolt TO ddl;

ALTER DEFAULT PRIVILEGES FOR ROLE "ZOLT" IN SCHEMA zolt
    GRANT SELECT, INSERT, UPDATE, DELETE ON TABLES TO ddl;
ALTER DEFAULT PRIVILEGES FOR ROLE "ZOLT" IN SCHEMA zolt
    GRANT USAGE, SELECT ON SEQUENCES TO ddl;
