-- PostgreSQL side of the network database: what SQLite's connection provides
-- by itself. tarnel-report demo-db postgresql://... runs the scripts of this
-- folder in name order after copying the network's tables; they can also be
-- run with psql on a network loaded by other means.
--
-- The stored procedures of the reports are the functions of the schema
-- tnl_cfg_reports, ported from the tnl_procedure rows of examples/demo:
-- input arguments as parameters (integers first, then texts), output
-- arguments as OUT parameters, staging data in temporary tables (a report
-- run may create temporary tables, nothing else). Each family's functions
-- are in the script numbered like its demo script.

DROP SCHEMA IF EXISTS tnl_cfg_reports CASCADE;
CREATE SCHEMA tnl_cfg_reports;
-- The functions run with the caller's rights: using them needs no more than
-- reading the network tables.
GRANT USAGE ON SCHEMA tnl_cfg_reports TO PUBLIC;

-- The engine asks whether a table has an INSTANCE_ID column: every table and
-- view of the current schema, names in upper case. A plain view, always
-- current: a batch asks each of its questions once and answers the rest from
-- memory, so that the view's cost does not matter.
DO $$
BEGIN
  -- An earlier load may have left a materialized view of that name.
  IF EXISTS (SELECT 1 FROM pg_class WHERE oid = to_regclass('user_tab_columns') AND relkind = 'm') THEN
    DROP MATERIALIZED VIEW user_tab_columns;
  END IF;
END $$;
CREATE OR REPLACE VIEW user_tab_columns AS
SELECT upper(c.relname::text) AS table_name, upper(a.attname::text) AS column_name
FROM pg_catalog.pg_class c
JOIN pg_catalog.pg_attribute a ON a.attrelid = c.oid
WHERE c.relnamespace = current_schema()::regnamespace
  AND c.relkind IN ('r', 'v', 'm', 'p', 'f')
  AND a.attnum > 0
  AND NOT a.attisdropped;
