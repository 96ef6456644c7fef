-- Diagram reports: the procedures of examples/demo/30-diagram.sql.

-- GetMCStatus(cell): the six microcell statuses as output arguments (NULL,
-- read as "", for a cell without a row).
CREATE FUNCTION tnl_cfg_reports.GetMCStatus(p_cell bigint,
    OUT status1 text, OUT status2 text, OUT status3 text,
    OUT status4 text, OUT status5 text, OUT status6 text)
LANGUAGE plpgsql STABLE AS $$
BEGIN
  SELECT s.status1, s.status2, s.status3, s.status4, s.status5, s.status6
  INTO status1, status2, status3, status4, status5, status6
  FROM tnl_mc_status s WHERE s.instance_id = p_cell;
END $$;

-- GetMicroAntData(cell): per antenna, its name, label, position and
-- elevation rows in pg_temp.tnl_dg_microant (kind, position, value).
CREATE FUNCTION tnl_cfg_reports.GetMicroAntData(p_cell bigint) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_dg_microant
    (position integer, seq integer, kind text, value text);
  DELETE FROM pg_temp.tnl_dg_microant;
  INSERT INTO pg_temp.tnl_dg_microant
  SELECT a.position, 1, 'ant_name', a.instance_id::text FROM tnl_cfg_mcant a WHERE a.cell_id = p_cell
  UNION ALL
  SELECT a.position, 2, 'ant_label', a.instance_id::text FROM tnl_cfg_mcant a WHERE a.cell_id = p_cell
  UNION ALL
  SELECT a.position, 3, 'lat', round(a.latitude, 6)::text FROM tnl_cfg_mcant a WHERE a.cell_id = p_cell
  UNION ALL
  SELECT a.position, 4, 'lon', round(a.longitude, 6)::text FROM tnl_cfg_mcant a WHERE a.cell_id = p_cell
  UNION ALL
  SELECT a.position, 5, 'elevation', a.elevation FROM tnl_cfg_mcant a WHERE a.cell_id = p_cell;
END $$;

-- GetS3CDMAData / GetS3TDMAData(cell): the frames of a series-3 cell, then
-- one row per equipped microcell position, in pg_temp.tnl_dg_s3
-- (kind, frame or position, technology, capacity).
CREATE FUNCTION tnl_cfg_reports.GetS3CDMAData(p_cell bigint) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_dg_s3
    (seq integer, kind text, place integer, tech text, capacity text);
  DELETE FROM pg_temp.tnl_dg_s3;
  INSERT INTO pg_temp.tnl_dg_s3
  SELECT 0, 'FRAME', 0, c.fr0tech, 'carriers ' || (1 + c.cell_number % 3)
  FROM tnl_cfg_cell c WHERE c.instance_id = p_cell
  UNION ALL
  SELECT 1, 'FRAME', 1, c.fr1tech, 'carriers ' || (1 + (c.cell_number + 1) % 3)
  FROM tnl_cfg_cell c WHERE c.instance_id = p_cell;
  INSERT INTO pg_temp.tnl_dg_s3
  SELECT 10 + a.position, 'MCCDMA', a.position, 'cdma', 'carriers ' || (1 + a.position % 2)
  FROM tnl_cfg_mcant a WHERE a.cell_id = p_cell;
END $$;

CREATE FUNCTION tnl_cfg_reports.GetS3TDMAData(p_cell bigint) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_dg_s3
    (seq integer, kind text, place integer, tech text, capacity text);
  DELETE FROM pg_temp.tnl_dg_s3;
  INSERT INTO pg_temp.tnl_dg_s3
  SELECT 0, 'FRAME', 0, c.fr0tech, 'radios ' || (4 + c.cell_number % 4)
  FROM tnl_cfg_cell c WHERE c.instance_id = p_cell
  UNION ALL
  SELECT 1, 'FRAME', 1, c.fr1tech, 'radios ' || (4 + (c.cell_number + 1) % 4)
  FROM tnl_cfg_cell c WHERE c.instance_id = p_cell;
  INSERT INTO pg_temp.tnl_dg_s3
  SELECT 10 + a.position, 'MCTDMA', a.position, 'tdma', 'channels ' || (2 * a.position)
  FROM tnl_cfg_mcant a WHERE a.cell_id = p_cell;
END $$;

-- GetCPIVData / GetKBTSData(cell): one row per assemblage position 1 to 4
-- in pg_temp.tnl_dg_assemblage (kind, position, status, label); KelBTS keeps
-- the equipped positions only.
CREATE FUNCTION tnl_cfg_reports.GetCPIVData(p_cell bigint) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_dg_assemblage
    (kind text, position integer, status text, label text);
  DELETE FROM pg_temp.tnl_dg_assemblage;
  INSERT INTO pg_temp.tnl_dg_assemblage
  SELECT 'CPIV', p.position,
         trim(CASE p.position WHEN 1 THEN s.status1 WHEN 2 THEN s.status2
                              WHEN 3 THEN s.status3 ELSE s.status4 END),
         'PIV-' || c.cell_number || '-' || p.position
  FROM tnl_mc_status s JOIN tnl_cfg_cell c ON c.instance_id = s.instance_id
  CROSS JOIN (VALUES (1), (2), (3), (4)) p(position)
  WHERE s.instance_id = p_cell;
END $$;

CREATE FUNCTION tnl_cfg_reports.GetKBTSData(p_cell bigint) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_dg_assemblage
    (kind text, position integer, status text, label text);
  DELETE FROM pg_temp.tnl_dg_assemblage;
  INSERT INTO pg_temp.tnl_dg_assemblage
  SELECT 'KBTS', p.position,
         trim(CASE p.position WHEN 1 THEN s.status1 WHEN 2 THEN s.status2
                              WHEN 3 THEN s.status3 ELSE s.status4 END),
         'BTS-' || c.cell_number || '-' || p.position
  FROM tnl_mc_status s JOIN tnl_cfg_cell c ON c.instance_id = s.instance_id
  CROSS JOIN (VALUES (1), (2), (3), (4)) p(position)
  WHERE s.instance_id = p_cell
    AND trim(CASE p.position WHEN 1 THEN s.status1 WHEN 2 THEN s.status2
                             WHEN 3 THEN s.status3 ELSE s.status4 END) = 'e';
END $$;

-- GetCDBSData(cell): the base station of a micro or mini cell in
-- pg_temp.tnl_dg_cdbs (item, value).
CREATE FUNCTION tnl_cfg_reports.GetCDBSData(p_cell bigint) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_dg_cdbs (seq integer, item text, value text);
  DELETE FROM pg_temp.tnl_dg_cdbs;
  INSERT INTO pg_temp.tnl_dg_cdbs
  SELECT 1, 'frame0', c.fr0tech FROM tnl_cfg_cell c WHERE c.instance_id = p_cell
  UNION ALL SELECT 2, 'rcs', c.rcs_tech FROM tnl_cfg_cell c WHERE c.instance_id = p_cell
  UNION ALL SELECT 3, 'radios', c.trx_count::text FROM tnl_cfg_cell c WHERE c.instance_id = p_cell
  UNION ALL SELECT 4, 'microcell', '1' FROM tnl_cfg_cell c WHERE c.instance_id = p_cell;
END $$;
