-- LAF reports: the data of the voice LAFs (tnl_cfg_voicelaf) and of the
-- antenna faces (tnl_cfg_antenna rows) that the LAF configurations query:
-- trunk groups and server groups, the LAF's keys and parameters, the
-- equipment of each face, plain, CDMA and CDMA DH neighbour lists, the 3G
-- face data and the cells' street addresses.
--
-- Instance ids: trunk groups 4500000 + 10 e + k (ECP number e, k 1 to 4),
-- server groups 4510000 + g (one per 20 cells), rows of one face
-- 4520000 + 12 (3 n + face) + slot (cell n), the slots being:
--   0-2 plain neighbours, 3-4 CDMA neighbours, 5-6 CDMA DH neighbours,
--   7-8 radios, 9 CDMA carrier, 10-11 3G carriers.
-- The face rows stay below the diagram family's 5000000 up to 13,000 cells.
-- Tables keyed by a voice LAF, an antenna face or a cell use its id.

-- Trunk groups: four per ECP; the fourth is the packet-pipe trunk group.
CREATE TABLE tnl_cfg_trunkgroup (
  instance_id INTEGER PRIMARY KEY,
  ecp_id      INTEGER NOT NULL,
  tg_number   INTEGER NOT NULL,
  kind        TEXT NOT NULL,
  members     INTEGER NOT NULL
);

-- Server groups: one per 20 cells in cell-number order.
CREATE TABLE tnl_cfg_servergroup (
  instance_id INTEGER PRIMARY KEY,
  sg_number   INTEGER NOT NULL,
  ecp_id      INTEGER NOT NULL,
  local_key   TEXT NOT NULL,
  cells       INTEGER NOT NULL
);

-- Per voice LAF: its server group, its packet-pipe trunk group, FCI and
-- RAS/ALSA settings.
CREATE TABLE tnl_cfg_lafparam (
  instance_id INTEGER PRIMARY KEY,
  sg_id       INTEGER NOT NULL,
  pptg_id     INTEGER NOT NULL,
  fci_mode    TEXT NOT NULL,
  fci_timer   INTEGER NOT NULL,
  fci_level   INTEGER NOT NULL,
  ras_mode    TEXT NOT NULL,
  alsa_level  INTEGER NOT NULL
);

-- The trunk groups of a voice LAF (instance_id), in list position order.
CREATE TABLE tnl_cfg_laftg (
  instance_id INTEGER NOT NULL,
  position    INTEGER NOT NULL,
  tg_id       INTEGER NOT NULL,
  PRIMARY KEY (instance_id, position)
);

-- Per antenna face: its DCS and its two DCS local keys.
CREATE TABLE tnl_cfg_dcskey (
  instance_id INTEGER PRIMARY KEY,
  dcs_number  INTEGER NOT NULL,
  local_key   TEXT NOT NULL,
  local_key2  TEXT NOT NULL
);

-- Per antenna face: local key, alternate carrier, DRL, second equipment
-- record and PRS id.
CREATE TABLE tnl_cfg_antface (
  instance_id    INTEGER PRIMARY KEY,
  local_key      TEXT NOT NULL,
  altcar_channel INTEGER,
  altcar_state   TEXT,
  drl_level      INTEGER,
  drl_mode       TEXT,
  eq2_amplifier  TEXT,
  eq2_filter     TEXT,
  prsid          INTEGER
);

-- Per antenna face of a 3G cell (even cell numbers): the 3G alternate carrier.
CREATE TABLE tnl_cfg_antface3g (
  instance_id     INTEGER PRIMARY KEY,
  altcar_uarfcn   INTEGER NOT NULL,
  altcar_state    TEXT NOT NULL,
  scrambling_code INTEGER NOT NULL,
  cpich_power_dbm INTEGER NOT NULL
);

-- Equipment of an antenna face: kind 'radio' (two per face), 'cdmacar'
-- (cell numbers not divisible by 3) and '3g' (two per face of a 3G cell).
CREATE TABLE tnl_cfg_ceqface (
  instance_id INTEGER PRIMARY KEY,
  antenna_id  INTEGER NOT NULL,
  kind        TEXT NOT NULL,
  unit        INTEGER NOT NULL,
  frame       INTEGER NOT NULL,
  slot        INTEGER NOT NULL,
  channel     INTEGER NOT NULL,
  status      TEXT NOT NULL
);
CREATE INDEX tnl_cfg_ceqface_antenna ON tnl_cfg_ceqface (antenna_id);

-- Plain neighbours of a voice LAF, keyed by neighbour cell number and sector
-- letter; nant is the neighbour's antenna bit map in hexadecimal.
CREATE TABLE tnl_cfg_lafnbr (
  instance_id INTEGER PRIMARY KEY,
  laf_id      INTEGER NOT NULL,
  nbr_cell    INTEGER NOT NULL,
  nbr_sector  TEXT NOT NULL,
  nbr_laf_id  INTEGER NOT NULL,
  nant        TEXT NOT NULL,
  ho_priority INTEGER NOT NULL
);
CREATE INDEX tnl_cfg_lafnbr_laf ON tnl_cfg_lafnbr (laf_id);

-- CDMA neighbours of a voice LAF: list 'N' (the CDMA neighbour list) and
-- 'DHO' (the CDMA DH list), ranked within the list.
CREATE TABLE tnl_cfg_cdmanbr (
  instance_id   INTEGER PRIMARY KEY,
  laf_id        INTEGER NOT NULL,
  list          TEXT NOT NULL,
  nbr_rank      INTEGER NOT NULL,
  nbr_cell      INTEGER NOT NULL,
  nbr_sector    TEXT NOT NULL,
  pn_offset     INTEGER NOT NULL,
  search_window INTEGER NOT NULL
);
CREATE INDEX tnl_cfg_cdmanbr_laf ON tnl_cfg_cdmanbr (laf_id, list);

-- Street address of each cell site.
CREATE TABLE tnl_cfg_celladdr (
  instance_id INTEGER PRIMARY KEY,
  street      TEXT NOT NULL,
  town        TEXT NOT NULL,
  postcode    TEXT NOT NULL
);

INSERT INTO tnl_cfg_trunkgroup
SELECT 4500000 + 10 * e.ecp_number + k.k, e.instance_id, 100 * e.ecp_number + k.k,
       CASE k.k WHEN 1 THEN 'incoming' WHEN 2 THEN 'outgoing' WHEN 3 THEN 'two-way'
                ELSE 'packet pipe' END,
       24 * (1 + (e.ecp_number + k.k) % 4)
FROM tnl_cfg_ecp e,
     (SELECT 1 AS k UNION ALL SELECT 2 UNION ALL SELECT 3 UNION ALL SELECT 4) k;

INSERT INTO tnl_cfg_servergroup
SELECT 4510001 + (cell_number - 1) / 20, 1 + (cell_number - 1) / 20, min(ecp_id),
       'SG/' || (1 + (cell_number - 1) / 20), count(*)
FROM tnl_cfg_cell
GROUP BY (cell_number - 1) / 20;

INSERT INTO tnl_cfg_lafparam
SELECT v.instance_id,
       4510001 + (c.cell_number - 1) / 20,
       4500000 + 10 * e.ecp_number + 4,
       CASE (c.cell_number + v.face) % 3 WHEN 0 THEN 'auto' WHEN 1 THEN 'manual' ELSE 'off' END,
       5 + 5 * (v.laf_number % 6),
       -110 + v.laf_number % 15,
       CASE WHEN v.laf_number % 2 = 0 THEN 'ras' ELSE 'alsa' END,
       3 + v.laf_number % 5
FROM tnl_cfg_voicelaf v
JOIN tnl_cfg_cell c ON c.instance_id = v.cell_id
JOIN tnl_cfg_ecp e ON e.instance_id = c.ecp_id;

-- Two trunk groups per voice LAF, chosen by face among the first three.
INSERT INTO tnl_cfg_laftg
SELECT v.instance_id, p.p, 4500000 + 10 * e.ecp_number + 1 + (v.face + p.p - 1) % 3
FROM tnl_cfg_voicelaf v
JOIN tnl_cfg_cell c ON c.instance_id = v.cell_id
JOIN tnl_cfg_ecp e ON e.instance_id = c.ecp_id,
     (SELECT 1 AS p UNION ALL SELECT 2) p;

INSERT INTO tnl_cfg_dcskey
SELECT a.instance_id, e.ecp_number,
       'DCS' || e.ecp_number || '-' || c.cell_number || '-' || a.face,
       'SM' || (1 + c.cell_number % 8) || '/' || (3 * c.cell_number + a.face)
FROM tnl_cfg_antenna a
JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id
JOIN tnl_cfg_ecp e ON e.instance_id = c.ecp_id;

INSERT INTO tnl_cfg_antface
SELECT a.instance_id,
       'ANT' || c.cell_number || '.' || a.face,
       700 + (3 * c.cell_number + a.face) % 300,
       CASE WHEN c.cell_number % 5 = 0 THEN 'off' ELSE 'on' END,
       -95 - (c.cell_number + a.face) % 10,
       CASE a.face WHEN 0 THEN 'fixed' ELSE 'adaptive' END,
       'LPA' || (1 + a.face),
       CASE WHEN c.series IN (4, 5) THEN 'RCS' ELSE 'STD' END,
       (3 * c.cell_number + a.face) % 64
FROM tnl_cfg_antenna a
JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id;

INSERT INTO tnl_cfg_antface3g
SELECT a.instance_id,
       10562 + 25 * ((c.cell_number + a.face) % 4),
       CASE WHEN a.face = 2 THEN 'standby' ELSE 'active' END,
       (c.cell_number * 37 + 8 * a.face) % 512,
       30 + (c.cell_number + a.face) % 6
FROM tnl_cfg_antenna a
JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id
WHERE c.cell_number % 2 = 0;

INSERT INTO tnl_cfg_ceqface
SELECT 4520000 + 12 * (3 * c.cell_number + a.face) + 6 + u.u, a.instance_id, 'radio', u.u,
       a.face, 2 * u.u + a.face,
       300 + (3 * c.cell_number + a.face + 21 * u.u) % 400,
       CASE WHEN (c.cell_number + u.u) % 11 = 0 THEN 'oos' ELSE 'is' END
FROM tnl_cfg_antenna a
JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id,
     (SELECT 1 AS u UNION ALL SELECT 2) u;

INSERT INTO tnl_cfg_ceqface
SELECT 4520000 + 12 * (3 * c.cell_number + a.face) + 9, a.instance_id, 'cdmacar', 1,
       3 + a.face, 1, 283 + 50 * (c.cell_number % 4), 'is'
FROM tnl_cfg_antenna a
JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id
WHERE c.cell_number % 3 <> 0;

INSERT INTO tnl_cfg_ceqface
SELECT 4520000 + 12 * (3 * c.cell_number + a.face) + 9 + u.u, a.instance_id, '3g', u.u,
       6 + a.face, u.u, 10562 + 25 * ((c.cell_number + u.u) % 4),
       CASE WHEN u.u = 2 AND c.cell_number % 4 = 0 THEN 'oos' ELSE 'is' END
FROM tnl_cfg_antenna a
JOIN tnl_cfg_cell c ON c.instance_id = a.cell_id,
     (SELECT 1 AS u UNION ALL SELECT 2) u
WHERE c.cell_number % 2 = 0;

-- Three plain neighbours per voice LAF: faces of the next cells, each in
-- another sector, so the (cell, sector) key is unique within the list.
INSERT INTO tnl_cfg_lafnbr
SELECT 4520000 + 12 * (3 * c.cell_number + v.face) + k.k,
       v.instance_id,
       1 + (c.cell_number + k.k) % p.cells,
       substr('ABC', 1 + (v.face + k.k) % 3, 1),
       4000000 + 3 * (1 + (c.cell_number + k.k) % p.cells) + (v.face + k.k) % 3,
       CASE (3 * c.cell_number + v.face + k.k) % 5
         WHEN 0 THEN '0' WHEN 1 THEN '7' WHEN 2 THEN '41' WHEN 3 THEN '7f' ELSE 'nil' END,
       1 + k.k
FROM tnl_cfg_voicelaf v
JOIN tnl_cfg_cell c ON c.instance_id = v.cell_id,
     (SELECT 0 AS k UNION ALL SELECT 1 UNION ALL SELECT 2) k,
     demo_params p;

-- Two CDMA and two CDMA DH neighbours per voice LAF, from the previous cells.
INSERT INTO tnl_cfg_cdmanbr
SELECT 4520000 + 12 * (3 * c.cell_number + v.face) + 3 + l.shift + k.k,
       v.instance_id,
       l.list,
       1 + k.k,
       1 + (c.cell_number - 2 - k.k - l.shift + 4 * p.cells) % p.cells,
       substr('ABC', 1 + (v.face + 1 + k.k) % 3, 1),
       (28 * (3 * c.cell_number + v.face + 5 * k.k + l.shift)) % 512,
       6 + 2 * k.k + l.shift / 2
FROM tnl_cfg_voicelaf v
JOIN tnl_cfg_cell c ON c.instance_id = v.cell_id,
     (SELECT 0 AS k UNION ALL SELECT 1) k,
     (SELECT 'N' AS list, 0 AS shift UNION ALL SELECT 'DHO', 2) l,
     demo_params p;

INSERT INTO tnl_cfg_celladdr
SELECT instance_id,
       (1 + cell_number % 200) || ' Mast Road',
       CASE cell_number % 4 WHEN 0 THEN 'Northfield' WHEN 1 THEN 'Eastwood'
                            WHEN 2 THEN 'Southby' ELSE 'Westcott' END,
       'TN' || (1 + cell_number % 30) || ' ' || (cell_number % 9) || 'AB'
FROM tnl_cfg_cell;

INSERT INTO tnl_instance
SELECT instance_id, 'TrunkGroup', 'TG' || tg_number, 'map-TG' || tg_number,
       'Trunk group ' || tg_number
FROM tnl_cfg_trunkgroup;
INSERT INTO tnl_instance
SELECT instance_id, 'ServerGroup', 'SG' || sg_number, 'map-SG' || sg_number,
       'Server group ' || sg_number
FROM tnl_cfg_servergroup;

-- A LAF (voice LAF or antenna face) has one cell, one antenna face and one
-- server group: their queries give one row. Its trunk groups, equipment and
-- neighbours are many.
INSERT INTO tnl_separation VALUES
  ('Cell', 'VoiceLAF', 0),
  ('Cell', 'Antenna', 0),
  ('Antenna', 'VoiceLAF', 0),
  ('ServerGroup', 'VoiceLAF', 0),
  ('TrunkGroup', 'VoiceLAF', 1),
  ('FaceEquipment', 'VoiceLAF', 1),
  ('FaceEquipment', 'Antenna', 1),
  ('Neighbour', 'VoiceLAF', 1),
  ('CDMANeighbour', 'VoiceLAF', 1)
ON CONFLICT DO NOTHING;
