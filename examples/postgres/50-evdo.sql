-- 1xEV reports: the procedures of examples/demo/50-evdo.sql.

-- Get1xEVElement(instance id, entity): stages the rows of the 1xEV element
-- report in pg_temp.tnl_1xev_element: group, attribute, description, value.
CREATE FUNCTION tnl_cfg_reports.Get1xEVElement(p_id bigint, p_entity text) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_1xev_element
    (seq integer, c0 text, c1 text, c2 text, c3 text);
  DELETE FROM pg_temp.tnl_1xev_element;
  INSERT INTO pg_temp.tnl_1xev_element (seq, c0, c1, c2, c3)
  WITH e AS (SELECT b.*, c.name AS cell_name FROM tnl_ent_1xEVBTS b
             JOIN tnl_cfg_cell c ON c.instance_id = b.cell_id
             WHERE b.instance_id = p_id AND p_entity = '1xEVBTS')
  SELECT 1, 'col_date', 'col_date', 'Date/Time of Data Collection', collected FROM e
  UNION ALL SELECT 2, 'entity data', 'entity', 'Entity', p_entity FROM e
  UNION ALL SELECT 3, 'entity data', 'name', 'Name', name FROM e
  UNION ALL SELECT 4, 'entity data', 'label', 'Label', label FROM e
  UNION ALL SELECT 5, 'entity data', 'instance_id', 'Instance', instance_id::text FROM e
  UNION ALL SELECT 6, '1xEVBTS', 'bts_id', '1xEV BTS ID', bts_id::text FROM e
  UNION ALL SELECT 7, '1xEVBTS', 'servicenode_id', 'Service Node', servicenode_id::text FROM e
  UNION ALL SELECT 8, '1xEVBTS', 'fms_frame_id', 'FMS Frame ID', fms_frame_id::text FROM e
  UNION ALL SELECT 9, '1xEVBTS', 'system_id', 'System ID', system_id::text FROM e
  UNION ALL SELECT 10, '1xEVBTS', 'latitude', 'Latitude', latitude::text FROM e
  UNION ALL SELECT 11, '1xEVBTS', 'longitude', 'Longitude', longitude::text FROM e
  UNION ALL SELECT 12, '1xEVBTS', 'elevation', 'Elevation', elevation::text FROM e
  UNION ALL SELECT 13, '1xEVBTS', 'sw_release', 'Software Release', sw_release FROM e
  UNION ALL SELECT 14, '1xEVBTS', 'carriers', 'Carriers', carriers::text FROM e
  UNION ALL SELECT 15, '1xEVBTS', 'cell', 'Co-located Cell', cell_name FROM e
  UNION ALL SELECT 20 + s.btssector_id, 'Sector', s.btssector_id::text, s.name, s.label
    FROM e JOIN tnl_ent_1xEVBTSSector s ON s.bts_instance_id = e.instance_id;
  INSERT INTO pg_temp.tnl_1xev_element (seq, c0, c1, c2, c3)
  WITH e AS (SELECT s.*, b.latitude, b.longitude, b.elevation, b.collected,
                    (SELECT count(*) FROM tnl_ent_1xEVNbr n
                     WHERE n.instance_id = s.instance_id) AS neighbours
             FROM tnl_ent_1xEVBTSSector s
             JOIN tnl_ent_1xEVBTS b ON b.instance_id = s.bts_instance_id
             WHERE s.instance_id = p_id AND p_entity = '1xEVBTSSector')
  SELECT 1, 'col_date', 'col_date', 'Date/Time of Data Collection', collected FROM e
  UNION ALL SELECT 2, 'entity data', 'entity', 'Entity', p_entity FROM e
  UNION ALL SELECT 3, 'entity data', 'name', 'Name', name FROM e
  UNION ALL SELECT 4, 'entity data', 'label', 'Label', label FROM e
  UNION ALL SELECT 5, 'entity data', 'instance_id', 'Instance', instance_id::text FROM e
  UNION ALL SELECT 6, '1xEVBTSSector', 'btssector_id', 'Sector', btssector_id::text FROM e
  UNION ALL SELECT 7, '1xEVBTSSector', 'bts_id', '1xEV BTS ID', bts_id::text FROM e
  UNION ALL SELECT 8, '1xEVBTSSector', 'servicenode_id', 'Service Node', servicenode_id::text FROM e
  UNION ALL SELECT 9, '1xEVBTSSector', 'system_id', 'System ID', system_id::text FROM e
  UNION ALL SELECT 10, '1xEVBTSSector', 'pn_offset', 'PN Offset', pn_offset::text FROM e
  UNION ALL SELECT 11, '1xEVBTSSector', 'azimuth', 'Azimuth', azimuth::text FROM e
  UNION ALL SELECT 12, '1xEVBTSSector', 'beamwidth', 'Beamwidth', beamwidth::text FROM e
  UNION ALL SELECT 13, '1xEVBTSSector', 'radius', 'Radius', radius::text FROM e
  UNION ALL SELECT 14, '1xEVBTS', 'latitude', 'Latitude', latitude::text FROM e
  UNION ALL SELECT 15, '1xEVBTS', 'longitude', 'Longitude', longitude::text FROM e
  UNION ALL SELECT 16, '1xEVBTS', 'elevation', 'Elevation', elevation::text FROM e
  UNION ALL SELECT 17, '1xEVBTSSector', 'neighbours', 'Neighbour Sectors', neighbours::text FROM e;
END $$;

-- Get1xEVNeighbours(sector instance id): stages the sector's header in
-- pg_temp.tnl_1xev_nbr_header (only when it has neighbours) and its
-- neighbour sectors in pg_temp.tnl_1xev_nbr.
CREATE FUNCTION tnl_cfg_reports.Get1xEVNeighbours(p_id bigint) RETURNS void
LANGUAGE plpgsql AS $$
BEGIN
  CREATE TEMP TABLE IF NOT EXISTS tnl_1xev_nbr_header
    (servicenode_id integer, fms_frame_id integer, bts_id integer, bts_name text,
     bts_label text, btssector_id integer, sector_name text, sector_label text,
     system_id integer, collected text);
  DELETE FROM pg_temp.tnl_1xev_nbr_header;
  CREATE TEMP TABLE IF NOT EXISTS tnl_1xev_nbr
    (nbr_rank integer, nbr_type text, servicenode_id integer, bts_id integer,
     btssector_id integer, sector_name text, pn_offset integer, azimuth integer);
  DELETE FROM pg_temp.tnl_1xev_nbr;
  INSERT INTO pg_temp.tnl_1xev_nbr_header
  SELECT s.servicenode_id, s.fms_frame_id, s.bts_id, b.name, b.label, s.btssector_id,
         s.name, s.label, s.system_id, b.collected
  FROM tnl_ent_1xEVBTSSector s JOIN tnl_ent_1xEVBTS b ON b.instance_id = s.bts_instance_id
  WHERE s.instance_id = p_id
    AND EXISTS (SELECT 1 FROM tnl_ent_1xEVNbr n WHERE n.instance_id = s.instance_id);
  INSERT INTO pg_temp.tnl_1xev_nbr
  SELECT n.nbr_rank, n.nbr_type, s.servicenode_id, s.bts_id, s.btssector_id, s.name,
         s.pn_offset, s.azimuth
  FROM tnl_ent_1xEVNbr n JOIN tnl_ent_1xEVBTSSector s ON s.instance_id = n.nbr_sector_id
  WHERE n.instance_id = p_id;
END $$;
