-- The demo network: cells over series 1 to 9, one antenna per cell face,
-- ECPs, the instance catalogue, a scenario and entity separations.
-- demo-db creates demo_params(cells, seed) before the scripts of this folder
-- run in name order, and drops it afterwards. Every value is derived from the
-- cell number n and the seed, so a network is the same for the same options.
--
-- Instance id ranges (one million each): cells 1000000 + n, antennas
-- 2000000 + 3 n + face, ECPs 3000000 + e, voice LAFs 4000000 + 3 n + face
-- (the LAF family adds its entities from 4500000), diagram
-- family 5000000+, series-2 family 6000000+, 1xEV family 7000000+.

CREATE TABLE tnl_instance (
  instance_id INTEGER PRIMARY KEY,
  entity      TEXT NOT NULL,
  name        TEXT NOT NULL,
  map_name    TEXT,
  map_label   TEXT
);

CREATE TABLE tnl_separation (
  query_entity  TEXT NOT NULL,
  report_entity TEXT NOT NULL,
  separation    INTEGER NOT NULL,
  PRIMARY KEY (query_entity, report_entity)
);

CREATE TABLE tnl_scenario (
  scenario    TEXT NOT NULL,
  entity      TEXT NOT NULL,
  instance_id INTEGER NOT NULL,
  PRIMARY KEY (scenario, entity, instance_id)
);

CREATE TABLE tnl_procedure (
  package TEXT NOT NULL,
  name    TEXT NOT NULL,
  step    INTEGER NOT NULL,
  body    TEXT NOT NULL,
  PRIMARY KEY (package, name, step)
);

CREATE TABLE tnl_cfg_ecp (
  instance_id INTEGER PRIMARY KEY,
  ecp_number  INTEGER NOT NULL,
  name        TEXT NOT NULL,
  trmostdn    TEXT,
  ota_trn     TEXT,
  release     TEXT,
  cells       INTEGER
);

CREATE TABLE tnl_cfg_cell (
  instance_id INTEGER PRIMARY KEY,
  cell_number INTEGER NOT NULL,
  name        TEXT NOT NULL,
  series      INTEGER NOT NULL,
  ecp_id      INTEGER NOT NULL,
  status      TEXT NOT NULL,
  latitude    REAL,
  longitude   REAL,
  fr0tech     TEXT,
  fr1tech     TEXT,
  fr2tech     TEXT,
  fr3tech     TEXT,
  fr4tech     TEXT,
  fr5tech     TEXT,
  s2mmcea_t   TEXT,
  rcs_tech    TEXT,
  cch_reselect_offset INTEGER,
  cch_hysteresis      INTEGER,
  lmt_threshold       INTEGER,
  maho_enabled        TEXT,
  trx_count           INTEGER,
  load_data           TEXT
);
CREATE INDEX tnl_cfg_cell_ecp ON tnl_cfg_cell (ecp_id);

CREATE TABLE tnl_cfg_antenna (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  face        INTEGER NOT NULL,
  azimuth     INTEGER,
  beamwidth   INTEGER,
  gain_db     REAL,
  height_m    REAL,
  rcs_port    TEXT
);
CREATE INDEX tnl_cfg_antenna_cell ON tnl_cfg_antenna (cell_id);

-- One voice LAF per antenna face (the LAF family adds its further tables).
CREATE TABLE tnl_cfg_voicelaf (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  antenna_id  INTEGER NOT NULL,
  face        INTEGER NOT NULL,
  laf_number  INTEGER NOT NULL,
  sat_code    INTEGER,
  power_dbm   REAL,
  channel     INTEGER
);
CREATE INDEX tnl_cfg_voicelaf_cell ON tnl_cfg_voicelaf (cell_id);

-- ECPs: one per 250 cells, at least two.
INSERT INTO tnl_cfg_ecp
WITH RECURSIVE e(k) AS (
  SELECT 1 UNION ALL SELECT k + 1 FROM e
  WHERE k < (SELECT max(2, (cells + 249) / 250) FROM demo_params))
SELECT 3000000 + k, k, 'ECP' || k,
       printf('%03d%03d%04d', 200 + k % 700, 100 + (k * 37) % 900, (k * 7919) % 10000),
       printf('%03d%03d%04d', 300 + k % 600, 200 + (k * 53) % 800, (k * 104729) % 10000),
       'R' || (20 + k % 3) || '.' || (k % 4),
       NULL
FROM e;

-- Cells: series 1 to 9 in turn (shifted by the seed), frames set per series,
-- spread evenly over the ECPs in runs of consecutive cell numbers.
INSERT INTO tnl_cfg_cell
WITH RECURSIVE c(n) AS (
  SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < (SELECT cells FROM demo_params)),
p AS (SELECT seed FROM demo_params)
SELECT 1000000 + n,
       n,
       'CELL' || printf('%05d', n),
       1 + ((n - 1 + (SELECT seed FROM p)) % 9),
       3000000 + 1 + (n - 1) * (SELECT max(2, (cells + 249) / 250) FROM demo_params)
                     / (SELECT cells FROM demo_params),
       CASE WHEN n % 17 = 0 THEN 'u' ELSE 'e' END,
       round(40.0 + ((n * 7919 + (SELECT seed FROM p)) % 100000) / 100000.0, 6),
       round(-75.0 - ((n * 104729 + (SELECT seed FROM p)) % 100000) / 100000.0, 6),
       'c', 'c', '', '', '', '', '', '',
       (n * 3) % 7,
       2 + n % 5,
       -100 + n % 20,
       CASE WHEN n % 2 = 0 THEN 'yes' ELSE 'no' END,
       1 + n % 12,
       'LD' || (n % 4)
FROM c;

UPDATE tnl_cfg_ecp SET cells = (SELECT count(*) FROM tnl_cfg_cell WHERE ecp_id = tnl_cfg_ecp.instance_id);

-- Three antenna faces per cell.
INSERT INTO tnl_cfg_antenna
SELECT 2000000 + 3 * (instance_id - 1000000) + f.face,
       instance_id,
       f.face,
       (f.face * 120 + cell_number % 40) % 360,
       60 + 5 * (cell_number % 4),
       round(14.0 + (cell_number % 30) / 10.0, 1),
       round(20.0 + (cell_number % 50), 1),
       CASE WHEN series IN (4, 5) THEN 'RCS-' || f.face ELSE '' END
FROM tnl_cfg_cell, (SELECT 0 AS face UNION ALL SELECT 1 UNION ALL SELECT 2) f;

INSERT INTO tnl_cfg_voicelaf
SELECT 4000000 + 3 * (c.instance_id - 1000000) + a.face, c.instance_id, a.instance_id, a.face,
       3 * c.cell_number + a.face, (c.cell_number + a.face) % 3,
       round(38.0 + (c.cell_number % 9) / 2.0, 1), 300 + (c.cell_number * 3 + a.face) % 400
FROM tnl_cfg_antenna a JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id;

INSERT INTO tnl_instance
SELECT instance_id, 'Cell', name, 'map-' || name, 'Cell ' || cell_number FROM tnl_cfg_cell;
INSERT INTO tnl_instance
SELECT a.instance_id, 'Antenna', c.name || '-' || a.face, 'map-' || c.name || '-' || a.face,
       'Antenna ' || c.cell_number || '/' || a.face
FROM tnl_cfg_antenna a JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id;
INSERT INTO tnl_instance
SELECT v.instance_id, 'VoiceLAF', c.name || '-V' || v.face, 'map-' || c.name || '-V' || v.face,
       'Voice LAF ' || v.laf_number
FROM tnl_cfg_voicelaf v JOIN tnl_cfg_cell c ON c.instance_id = v.cell_id;
INSERT INTO tnl_instance
SELECT instance_id, 'ECP', name, 'map-' || name, 'ECP ' || ecp_number FROM tnl_cfg_ecp;

-- Rows of these entities are many per cell or per ECP.
INSERT INTO tnl_separation VALUES
  ('Antenna', 'Cell', 1),
  ('VoiceLAF', 'Cell', 1),
  ('Cell', 'ECP', 1),
  ('Antenna', 'ECP', 2);

-- The scenario "north": the cells of the first ECP and their antennas.
INSERT INTO tnl_scenario
SELECT 'north', 'Cell', instance_id FROM tnl_cfg_cell WHERE ecp_id = 3000001;
INSERT INTO tnl_scenario
SELECT 'north', 'Antenna', a.instance_id
FROM tnl_cfg_antenna a JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id WHERE c.ecp_id = 3000001;
