-- The 1xEV network: one base station (BTS) per four cells, standing at the
-- first cell of its group, three sectors per BTS, and the neighbour lists of
-- the sectors; plus the procedures of the 1xEV reports.
--
-- Instance ids: BTS k is 7000000 + k; its sector s (1 to 3) is
-- 7500000 + 10 k + s. A sector has no neighbour list when
-- (k + 2 s + seed) % 7 = 0; the others list the two other sectors of their
-- BTS and the same sector of the BTSs k - 1 and k + 1 where those exist.

CREATE TABLE tnl_ent_1xEVBTS (
  instance_id    INTEGER PRIMARY KEY,
  cell_id        INTEGER NOT NULL,
  servicenode_id INTEGER NOT NULL,
  fms_frame_id   INTEGER NOT NULL,
  bts_id         INTEGER NOT NULL,
  system_id      INTEGER NOT NULL,
  name           TEXT NOT NULL,
  label          TEXT NOT NULL,
  latitude       REAL,
  longitude      REAL,
  elevation      INTEGER,
  sw_release     TEXT,
  carriers       INTEGER,
  collected      TEXT NOT NULL
);

CREATE TABLE tnl_ent_1xEVBTSSector (
  instance_id     INTEGER PRIMARY KEY,
  bts_instance_id INTEGER NOT NULL,
  servicenode_id  INTEGER NOT NULL,
  fms_frame_id    INTEGER NOT NULL,
  bts_id          INTEGER NOT NULL,
  btssector_id    INTEGER NOT NULL,
  system_id       INTEGER NOT NULL,
  name            TEXT NOT NULL,
  label           TEXT NOT NULL,
  pn_offset       INTEGER,
  azimuth         INTEGER,
  beamwidth       INTEGER,
  radius          REAL
);
CREATE INDEX tnl_ent_1xevbtssector_bts ON tnl_ent_1xEVBTSSector (bts_instance_id);

-- The neighbour list of sector instance_id, in rank order.
CREATE TABLE tnl_ent_1xEVNbr (
  instance_id   INTEGER NOT NULL,
  nbr_rank      INTEGER NOT NULL,
  nbr_sector_id INTEGER NOT NULL,
  nbr_type      TEXT NOT NULL,
  PRIMARY KEY (instance_id, nbr_rank)
);

-- BTS k stands at cell 4 k - 3; one service node per 20 BTSs, eight FMS
-- frames per node; some BTSs have no surveyed elevation.
INSERT INTO tnl_ent_1xEVBTS
SELECT 7000000 + k, c.instance_id, 1 + (k - 1) / 20, 1 + (k - 1) % 8, k,
       1000 + (c.ecp_id - 3000000),
       'BTS' || printf('%04d', k), '1xEV BTS ' || k,
       c.latitude, c.longitude,
       CASE WHEN (k + p.seed) % 6 = 0 THEN NULL ELSE 20 + (k * 37 + p.seed) % 400 END,
       'R' || (25 + k % 3) || '.' || (k % 2),
       1 + k % 3,
       '2024-05-' || printf('%02d', 1 + (k + p.seed) % 28) || ' 0' || (k % 10) || ':30:00'
FROM (SELECT c.*, (c.cell_number + 3) / 4 AS k FROM tnl_cfg_cell c
      WHERE c.cell_number % 4 = 1) c, demo_params p;

INSERT INTO tnl_ent_1xEVBTSSector
SELECT 7500000 + 10 * b.bts_id + s.sector, b.instance_id, b.servicenode_id, b.fms_frame_id,
       b.bts_id, s.sector, b.system_id,
       b.name || '-' || s.sector, 'Sector ' || b.bts_id || '/' || s.sector,
       ((b.bts_id * 3 + s.sector) * 12) % 512,
       ((s.sector - 1) * 120 + b.bts_id % 40) % 360,
       60 + 5 * ((b.bts_id + s.sector) % 4),
       2.0 + ((b.bts_id * 7 + s.sector) % 30) / 10.0
FROM tnl_ent_1xEVBTS b, (SELECT 1 AS sector UNION ALL SELECT 2 UNION ALL SELECT 3) s;

INSERT INTO tnl_ent_1xEVNbr
SELECT owner,
       row_number() OVER (PARTITION BY owner ORDER BY kind, nbr_bts, nbr_sector),
       nbr,
       CASE kind WHEN 1 THEN 'intra-BTS' ELSE 'inter-BTS' END
FROM (
  SELECT a.instance_id AS owner, b.instance_id AS nbr, 1 AS kind,
         b.bts_id AS nbr_bts, b.btssector_id AS nbr_sector, a.bts_id AS bts,
         a.btssector_id AS sector
  FROM tnl_ent_1xEVBTSSector a
  JOIN tnl_ent_1xEVBTSSector b
    ON b.bts_instance_id = a.bts_instance_id AND b.btssector_id <> a.btssector_id
  UNION ALL
  SELECT a.instance_id, b.instance_id, 2, b.bts_id, b.btssector_id, a.bts_id, a.btssector_id
  FROM tnl_ent_1xEVBTSSector a
  JOIN tnl_ent_1xEVBTSSector b ON b.instance_id IN (a.instance_id - 10, a.instance_id + 10)
) n, demo_params p
WHERE (n.bts + 2 * n.sector + p.seed) % 7 <> 0;

INSERT INTO tnl_instance
SELECT instance_id, '1xEVBTS', name, 'map-' || name, label FROM tnl_ent_1xEVBTS;
INSERT INTO tnl_instance
SELECT instance_id, '1xEVBTSSector', name, 'map-' || name, label FROM tnl_ent_1xEVBTSSector;

-- Get1xEVElement(instance id, entity): stages the rows of the 1xEV element
-- report in temp.tnl_1xev_element: group, attribute, description, value.
-- The "col_date" row carries the time of data collection; the "entity data"
-- rows identify the element.
INSERT INTO tnl_procedure VALUES
('tnl_cfg_reports', 'Get1xEVElement', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_1xev_element
    (seq INTEGER, c0 TEXT, c1 TEXT, c2 TEXT, c3 TEXT)'),
('tnl_cfg_reports', 'Get1xEVElement', 2, 'DELETE FROM temp.tnl_1xev_element'),
('tnl_cfg_reports', 'Get1xEVElement', 3,
 'INSERT INTO temp.tnl_1xev_element (seq, c0, c1, c2, c3)
  WITH e AS (SELECT b.*, c.name AS cell_name FROM tnl_ent_1xEVBTS b
             JOIN tnl_cfg_cell c ON c.instance_id = b.cell_id
             WHERE b.instance_id = ?1 AND ?2 = ''1xEVBTS'')
  SELECT 1, ''col_date'', ''col_date'', ''Date/Time of Data Collection'', collected FROM e
  UNION ALL SELECT 2, ''entity data'', ''entity'', ''Entity'', ?2 FROM e
  UNION ALL SELECT 3, ''entity data'', ''name'', ''Name'', name FROM e
  UNION ALL SELECT 4, ''entity data'', ''label'', ''Label'', label FROM e
  UNION ALL SELECT 5, ''entity data'', ''instance_id'', ''Instance'', instance_id FROM e
  UNION ALL SELECT 6, ''1xEVBTS'', ''bts_id'', ''1xEV BTS ID'', bts_id FROM e
  UNION ALL SELECT 7, ''1xEVBTS'', ''servicenode_id'', ''Service Node'', servicenode_id FROM e
  UNION ALL SELECT 8, ''1xEVBTS'', ''fms_frame_id'', ''FMS Frame ID'', fms_frame_id FROM e
  UNION ALL SELECT 9, ''1xEVBTS'', ''system_id'', ''System ID'', system_id FROM e
  UNION ALL SELECT 10, ''1xEVBTS'', ''latitude'', ''Latitude'', latitude FROM e
  UNION ALL SELECT 11, ''1xEVBTS'', ''longitude'', ''Longitude'', longitude FROM e
  UNION ALL SELECT 12, ''1xEVBTS'', ''elevation'', ''Elevation'', elevation FROM e
  UNION ALL SELECT 13, ''1xEVBTS'', ''sw_release'', ''Software Release'', sw_release FROM e
  UNION ALL SELECT 14, ''1xEVBTS'', ''carriers'', ''Carriers'', carriers FROM e
  UNION ALL SELECT 15, ''1xEVBTS'', ''cell'', ''Co-located Cell'', cell_name FROM e
  UNION ALL SELECT 20 + s.btssector_id, ''Sector'', s.btssector_id, s.name, s.label
    FROM e JOIN tnl_ent_1xEVBTSSector s ON s.bts_instance_id = e.instance_id'),
('tnl_cfg_reports', 'Get1xEVElement', 4,
 'INSERT INTO temp.tnl_1xev_element (seq, c0, c1, c2, c3)
  WITH e AS (SELECT s.*, b.latitude, b.longitude, b.elevation, b.collected,
                    (SELECT count(*) FROM tnl_ent_1xEVNbr n
                     WHERE n.instance_id = s.instance_id) AS neighbours
             FROM tnl_ent_1xEVBTSSector s
             JOIN tnl_ent_1xEVBTS b ON b.instance_id = s.bts_instance_id
             WHERE s.instance_id = ?1 AND ?2 = ''1xEVBTSSector'')
  SELECT 1, ''col_date'', ''col_date'', ''Date/Time of Data Collection'', collected FROM e
  UNION ALL SELECT 2, ''entity data'', ''entity'', ''Entity'', ?2 FROM e
  UNION ALL SELECT 3, ''entity data'', ''name'', ''Name'', name FROM e
  UNION ALL SELECT 4, ''entity data'', ''label'', ''Label'', label FROM e
  UNION ALL SELECT 5, ''entity data'', ''instance_id'', ''Instance'', instance_id FROM e
  UNION ALL SELECT 6, ''1xEVBTSSector'', ''btssector_id'', ''Sector'', btssector_id FROM e
  UNION ALL SELECT 7, ''1xEVBTSSector'', ''bts_id'', ''1xEV BTS ID'', bts_id FROM e
  UNION ALL SELECT 8, ''1xEVBTSSector'', ''servicenode_id'', ''Service Node'', servicenode_id FROM e
  UNION ALL SELECT 9, ''1xEVBTSSector'', ''system_id'', ''System ID'', system_id FROM e
  UNION ALL SELECT 10, ''1xEVBTSSector'', ''pn_offset'', ''PN Offset'', pn_offset FROM e
  UNION ALL SELECT 11, ''1xEVBTSSector'', ''azimuth'', ''Azimuth'', azimuth FROM e
  UNION ALL SELECT 12, ''1xEVBTSSector'', ''beamwidth'', ''Beamwidth'', beamwidth FROM e
  UNION ALL SELECT 13, ''1xEVBTSSector'', ''radius'', ''Radius'', radius FROM e
  UNION ALL SELECT 14, ''1xEVBTS'', ''latitude'', ''Latitude'', latitude FROM e
  UNION ALL SELECT 15, ''1xEVBTS'', ''longitude'', ''Longitude'', longitude FROM e
  UNION ALL SELECT 16, ''1xEVBTS'', ''elevation'', ''Elevation'', elevation FROM e
  UNION ALL SELECT 17, ''1xEVBTSSector'', ''neighbours'', ''Neighbour Sectors'', neighbours FROM e');

-- Get1xEVNeighbours(sector instance id): stages the sector's header in
-- temp.tnl_1xev_nbr_header (only when it has neighbours) and its neighbour
-- sectors in temp.tnl_1xev_nbr.
INSERT INTO tnl_procedure VALUES
('tnl_cfg_reports', 'Get1xEVNeighbours', 1,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_1xev_nbr_header
    (servicenode_id INTEGER, fms_frame_id INTEGER, bts_id INTEGER, bts_name TEXT,
     bts_label TEXT, btssector_id INTEGER, sector_name TEXT, sector_label TEXT,
     system_id INTEGER, collected TEXT)'),
('tnl_cfg_reports', 'Get1xEVNeighbours', 2, 'DELETE FROM temp.tnl_1xev_nbr_header'),
('tnl_cfg_reports', 'Get1xEVNeighbours', 3,
 'CREATE TEMP TABLE IF NOT EXISTS tnl_1xev_nbr
    (nbr_rank INTEGER, nbr_type TEXT, servicenode_id INTEGER, bts_id INTEGER,
     btssector_id INTEGER, sector_name TEXT, pn_offset INTEGER, azimuth INTEGER)'),
('tnl_cfg_reports', 'Get1xEVNeighbours', 4, 'DELETE FROM temp.tnl_1xev_nbr'),
('tnl_cfg_reports', 'Get1xEVNeighbours', 5,
 'INSERT INTO temp.tnl_1xev_nbr_header
  SELECT s.servicenode_id, s.fms_frame_id, s.bts_id, b.name, b.label, s.btssector_id,
         s.name, s.label, s.system_id, b.collected
  FROM tnl_ent_1xEVBTSSector s JOIN tnl_ent_1xEVBTS b ON b.instance_id = s.bts_instance_id
  WHERE s.instance_id = ?1
    AND EXISTS (SELECT 1 FROM tnl_ent_1xEVNbr n WHERE n.instance_id = s.instance_id)'),
('tnl_cfg_reports', 'Get1xEVNeighbours', 6,
 'INSERT INTO temp.tnl_1xev_nbr
  SELECT n.nbr_rank, n.nbr_type, s.servicenode_id, s.bts_id, s.btssector_id, s.name,
         s.pn_offset, s.azimuth
  FROM tnl_ent_1xEVNbr n JOIN tnl_ent_1xEVBTSSector s ON s.instance_id = n.nbr_sector_id
  WHERE n.instance_id = ?1');
