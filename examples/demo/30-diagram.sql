-- Diagram reports of the microcell-capable cell sites: the status of the six
-- microcell positions of the cells of series 3 to 6, the microcell antennas
-- of the series-3 cells, and the procedures of package "tnl_cfg_reports"
-- that the diagram configurations name. Each procedure fills a TEMP table
-- that the configuration's result query reads.
--
-- Status patterns by cell number n (n % 5): 0 nothing equipped; 1 position 1;
-- 2 position 4; 3 positions 5 and 6 (no assemblage equipped); 4 positions 1
-- and 2, stored with blanks. Cells whose n is a multiple of 11 have no row.

CREATE TABLE tnl_mc_status (
  instance_id INTEGER PRIMARY KEY,
  status1 TEXT, status2 TEXT, status3 TEXT, status4 TEXT, status5 TEXT, status6 TEXT
);

INSERT INTO tnl_mc_status
SELECT instance_id,
       CASE cell_number % 5 WHEN 1 THEN 'e' WHEN 4 THEN 'e ' ELSE 'u' END,
       CASE cell_number % 5 WHEN 4 THEN ' e' ELSE 'u' END,
       'u',
       CASE cell_number % 5 WHEN 2 THEN 'e' ELSE 'u' END,
       CASE cell_number % 5 WHEN 3 THEN 'e' ELSE 'u' END,
       CASE cell_number % 5 WHEN 3 THEN 'e' ELSE 'u' END
FROM tnl_cfg_cell
WHERE series BETWEEN 3 AND 6 AND cell_number % 11 <> 0;

-- One microcell antenna per equipped position of a series-3 cell; ids
-- 5000000 + 10 n + position. Every third antenna has no elevation.
CREATE TABLE tnl_cfg_mcant (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  position    INTEGER NOT NULL,
  latitude    REAL NOT NULL,
  longitude   REAL NOT NULL,
  elevation   TEXT NOT NULL
);
CREATE INDEX tnl_cfg_mcant_cell ON tnl_cfg_mcant (cell_id);

INSERT INTO tnl_cfg_mcant
SELECT 5000000 + 10 * c.cell_number + p.position,
       c.instance_id,
       p.position,
       round(c.latitude + 0.0125 * p.position, 6),
       round(c.longitude - 0.0175 * p.position, 6),
       CASE WHEN (c.cell_number + p.position) % 3 = 0 THEN ''
            ELSE printf('%.1f', 12.0 + 2.5 * p.position) END
FROM tnl_cfg_cell c
JOIN tnl_mc_status s ON s.instance_id = c.instance_id
JOIN (SELECT 1 AS position UNION ALL SELECT 2 UNION ALL SELECT 3
      UNION ALL SELECT 4 UNION ALL SELECT 5 UNION ALL SELECT 6) p
  ON trim(CASE p.position WHEN 1 THEN s.status1 WHEN 2 THEN s.status2 WHEN 3 THEN s.status3
                          WHEN 4 THEN s.status4 WHEN 5 THEN s.status5 ELSE s.status6 END) = 'e'
WHERE c.series = 3;

INSERT INTO tnl_instance
SELECT a.instance_id, 'MicrocellAntenna', c.name || '-MC' || a.position,
       'map-' || c.name || '-MC' || a.position, 'Microcell ' || c.cell_number || '/' || a.position
FROM tnl_cfg_mcant a JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id;

-- GetMCStatus(cell): the six statuses, from its last statement's first row.
INSERT INTO tnl_procedure VALUES
('tnl_cfg_reports', 'GetMCStatus', 1,
 'SELECT status1, status2, status3, status4, status5, status6
  FROM tnl_mc_status WHERE instance_id = ?1');

-- GetMicroAntData(cell): per antenna, its name, label, position and
-- elevation rows in temp.tnl_dg_microant (kind, position, value).
INSERT INTO tnl_procedure VALUES
('tnl_cfg_reports', 'GetMicroAntData', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_dg_microant
  (position INTEGER, seq INTEGER, kind TEXT, value TEXT)'),
('tnl_cfg_reports', 'GetMicroAntData', 2, 'DELETE FROM temp.tnl_dg_microant'),
('tnl_cfg_reports', 'GetMicroAntData', 3,
 'INSERT INTO temp.tnl_dg_microant
  SELECT position, 1, ''ant_name'', CAST(instance_id AS TEXT) FROM tnl_cfg_mcant WHERE cell_id = ?1
  UNION ALL
  SELECT position, 2, ''ant_label'', CAST(instance_id AS TEXT) FROM tnl_cfg_mcant WHERE cell_id = ?1
  UNION ALL
  SELECT position, 3, ''lat'', printf(''%.6f'', latitude) FROM tnl_cfg_mcant WHERE cell_id = ?1
  UNION ALL
  SELECT position, 4, ''lon'', printf(''%.6f'', longitude) FROM tnl_cfg_mcant WHERE cell_id = ?1
  UNION ALL
  SELECT position, 5, ''elevation'', elevation FROM tnl_cfg_mcant WHERE cell_id = ?1');

-- GetS3CDMAData / GetS3TDMAData(cell): the frames of a series-3 cell, then
-- one row per equipped microcell position, in temp.tnl_dg_s3
-- (kind, frame or position, technology, capacity).
INSERT INTO tnl_procedure VALUES
('tnl_cfg_reports', 'GetS3CDMAData', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_dg_s3
  (seq INTEGER, kind TEXT, place INTEGER, tech TEXT, capacity TEXT)'),
('tnl_cfg_reports', 'GetS3CDMAData', 2, 'DELETE FROM temp.tnl_dg_s3'),
('tnl_cfg_reports', 'GetS3CDMAData', 3,
 'INSERT INTO temp.tnl_dg_s3
  SELECT 0, ''FRAME'', 0, fr0tech, ''carriers '' || (1 + cell_number % 3)
  FROM tnl_cfg_cell WHERE instance_id = ?1
  UNION ALL
  SELECT 1, ''FRAME'', 1, fr1tech, ''carriers '' || (1 + (cell_number + 1) % 3)
  FROM tnl_cfg_cell WHERE instance_id = ?1'),
('tnl_cfg_reports', 'GetS3CDMAData', 4,
 'INSERT INTO temp.tnl_dg_s3
  SELECT 10 + position, ''MCCDMA'', position, ''cdma'', ''carriers '' || (1 + position % 2)
  FROM tnl_cfg_mcant WHERE cell_id = ?1'),
('tnl_cfg_reports', 'GetS3TDMAData', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_dg_s3
  (seq INTEGER, kind TEXT, place INTEGER, tech TEXT, capacity TEXT)'),
('tnl_cfg_reports', 'GetS3TDMAData', 2, 'DELETE FROM temp.tnl_dg_s3'),
('tnl_cfg_reports', 'GetS3TDMAData', 3,
 'INSERT INTO temp.tnl_dg_s3
  SELECT 0, ''FRAME'', 0, fr0tech, ''radios '' || (4 + cell_number % 4)
  FROM tnl_cfg_cell WHERE instance_id = ?1
  UNION ALL
  SELECT 1, ''FRAME'', 1, fr1tech, ''radios '' || (4 + (cell_number + 1) % 4)
  FROM tnl_cfg_cell WHERE instance_id = ?1'),
('tnl_cfg_reports', 'GetS3TDMAData', 4,
 'INSERT INTO temp.tnl_dg_s3
  SELECT 10 + position, ''MCTDMA'', position, ''tdma'', ''channels '' || (2 * position)
  FROM tnl_cfg_mcant WHERE cell_id = ?1');

-- GetCPIVData / GetKBTSData(cell): one row per assemblage position 1 to 4
-- in temp.tnl_dg_assemblage (kind, position, status, label).
INSERT INTO tnl_procedure VALUES
('tnl_cfg_reports', 'GetCPIVData', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_dg_assemblage
  (kind TEXT, position INTEGER, status TEXT, label TEXT)'),
('tnl_cfg_reports', 'GetCPIVData', 2, 'DELETE FROM temp.tnl_dg_assemblage'),
('tnl_cfg_reports', 'GetCPIVData', 3,
 'INSERT INTO temp.tnl_dg_assemblage
  SELECT ''CPIV'', p.position,
         trim(CASE p.position WHEN 1 THEN s.status1 WHEN 2 THEN s.status2
                              WHEN 3 THEN s.status3 ELSE s.status4 END),
         ''PIV-'' || c.cell_number || ''-'' || p.position
  FROM tnl_mc_status s JOIN tnl_cfg_cell c ON c.instance_id = s.instance_id
  JOIN (SELECT 1 AS position UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4) p
    ON 1 = 1
  WHERE s.instance_id = ?1'),
('tnl_cfg_reports', 'GetKBTSData', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_dg_assemblage
  (kind TEXT, position INTEGER, status TEXT, label TEXT)'),
('tnl_cfg_reports', 'GetKBTSData', 2, 'DELETE FROM temp.tnl_dg_assemblage'),
('tnl_cfg_reports', 'GetKBTSData', 3,
 'INSERT INTO temp.tnl_dg_assemblage
  SELECT ''KBTS'', p.position,
         trim(CASE p.position WHEN 1 THEN s.status1 WHEN 2 THEN s.status2
                              WHEN 3 THEN s.status3 ELSE s.status4 END),
         ''BTS-'' || c.cell_number || ''-'' || p.position
  FROM tnl_mc_status s JOIN tnl_cfg_cell c ON c.instance_id = s.instance_id
  JOIN (SELECT 1 AS position UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4) p
    ON 1 = 1
  WHERE s.instance_id = ?1 AND trim(CASE p.position WHEN 1 THEN s.status1
                                    WHEN 2 THEN s.status2 WHEN 3 THEN s.status3
                                    ELSE s.status4 END) = ''e''');

-- GetCDBSData(cell): the base station of a micro or mini cell in
-- temp.tnl_dg_cdbs (item, value).
INSERT INTO tnl_procedure VALUES
('tnl_cfg_reports', 'GetCDBSData', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_dg_cdbs (seq INTEGER, item TEXT, value TEXT)'),
('tnl_cfg_reports', 'GetCDBSData', 2, 'DELETE FROM temp.tnl_dg_cdbs'),
('tnl_cfg_reports', 'GetCDBSData', 3,
 'INSERT INTO temp.tnl_dg_cdbs
  SELECT 1, ''frame0'', fr0tech FROM tnl_cfg_cell WHERE instance_id = ?1
  UNION ALL SELECT 2, ''rcs'', rcs_tech FROM tnl_cfg_cell WHERE instance_id = ?1
  UNION ALL SELECT 3, ''radios'', CAST(trx_count AS TEXT) FROM tnl_cfg_cell WHERE instance_id = ?1
  UNION ALL SELECT 4, ''microcell'', ''1'' FROM tnl_cfg_cell WHERE instance_id = ?1');
