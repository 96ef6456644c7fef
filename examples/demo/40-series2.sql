-- Series-2 cell sites: the frame technologies of the cells of series 2 and
-- the equipment that their diagram lays out (AMPS/TDMA RTUs, radios with
-- their trunk data, SU and LOC radios, DS1 and CAT/SCT boards, DCCH radios;
-- CDMA BBA, CCC and CCU units, CRTUs and boards).
--
-- A series-2 cell n takes technology combination k = (n / 9) % 7. Series-2
-- cells are nine cell numbers apart, so consecutive series-2 cells take
-- consecutive combinations whatever the seed:
--   0 S2M primary, S2 and PTM growth     4 CDMA primary with a CDMA growth frame
--   1 S2MM with CEA, CDMA growth         5 S2MM-lite primary with m1/mm1 growth
--   2 S2 primary, mm2s and S2 growth     6 unknown and empty frames
--   3 PTM primary, CDMA growth
-- Equipment varies with m = n / 9. Instance ids are 6000000 + 60 n + a
-- per-cell offset below 60.

CREATE TABLE tnl_s2_combo (
  k INTEGER PRIMARY KEY,
  fr0 TEXT, fr1 TEXT, fr2 TEXT, fr3 TEXT, fr4 TEXT, fr5 TEXT, cea TEXT
);
INSERT INTO tnl_s2_combo VALUES
  (0, 's2m',   's2',   'ptmg', 'u',   '',    '',  'n'),
  (1, 's2mm',  'c',    'u',    '',    '',    '',  'y'),
  (2, 's2e',   'mm2s', 's2',   'ptmg', 'u',  '',  'n'),
  (3, 'ptmc',  'ptmg', 'c',    '',    '',    '',  'n'),
  (4, 'pcm',   'c',    'ccm',  'pcm', 'pcm', 'u', 'n'),
  (5, 's2mml', 'm1',   'mm1',  '',    '',    '',  'n'),
  (6, 'zz9',   NULL,   'cccm', 'rg',  '',    '',  '');

UPDATE tnl_cfg_cell
SET fr0tech = (SELECT fr0 FROM tnl_s2_combo WHERE k = (cell_number / 9) % 7),
    fr1tech = (SELECT fr1 FROM tnl_s2_combo WHERE k = (cell_number / 9) % 7),
    fr2tech = (SELECT fr2 FROM tnl_s2_combo WHERE k = (cell_number / 9) % 7),
    fr3tech = (SELECT fr3 FROM tnl_s2_combo WHERE k = (cell_number / 9) % 7),
    fr4tech = (SELECT fr4 FROM tnl_s2_combo WHERE k = (cell_number / 9) % 7),
    fr5tech = (SELECT fr5 FROM tnl_s2_combo WHERE k = (cell_number / 9) % 7),
    s2mmcea_t = (SELECT cea FROM tnl_s2_combo WHERE k = (cell_number / 9) % 7),
    rcs_tech = ''
WHERE series = 2;

DROP TABLE tnl_s2_combo;

-- The series-2 cells with AMPS/TDMA equipment (an AMPS/TDMA primary frame).
CREATE TEMP TABLE s2_amps AS
SELECT instance_id AS cell_id, cell_number AS n, cell_number / 9 AS m
FROM tnl_cfg_cell
WHERE series = 2 AND fr0tech IN ('s2m', 's2mm', 's2mml', 's2', 's2e', 'cbs', 'ptm', 'ptmc');

-- The CDMA frames f (0 to 2) of the series-2 cells.
CREATE TEMP TABLE s2_cdma AS
SELECT instance_id AS cell_id, cell_number AS n, cell_number / 9 AS m, 0 AS f
FROM tnl_cfg_cell WHERE series = 2 AND fr0tech IN ('pcm', 'ccm', 'cccm')
UNION ALL
SELECT instance_id, cell_number, cell_number / 9, 1
FROM tnl_cfg_cell WHERE series = 2 AND fr1tech IN ('c', 'ccm', 'cccm', 'pcm')
UNION ALL
SELECT instance_id, cell_number, cell_number / 9, 2
FROM tnl_cfg_cell WHERE series = 2 AND fr2tech IN ('c', 'ccm', 'pcm');

CREATE TEMP TABLE s2_three (r INTEGER);
INSERT INTO s2_three VALUES (0), (1), (2);

-- AMPS/TDMA ------------------------------------------------------------------

-- One RTU row per cell: AMPS RTU status, TDMA RTU status, slot, DVCC, type.
CREATE TABLE tnl_cfg_s2rtu (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  tr          TEXT, rtu_t TEXT, rtuslt_t TEXT, tdvcc_t TEXT, trtu_hwtype TEXT
);
CREATE INDEX tnl_cfg_s2rtu_cell ON tnl_cfg_s2rtu (cell_id);
INSERT INTO tnl_cfg_s2rtu
SELECT 6000000 + 60 * n, cell_id,
       CASE WHEN m % 7 = 5 THEN 'u' ELSE 'e' END,
       CASE WHEN m % 11 = 10 THEN 'u' ELSE 'e' END,
       CAST(5 + m % 3 AS TEXT),
       CAST((n * 7) % 256 AS TEXT),
       CASE m % 2 WHEN 0 THEN 'trtu' ELSE 'etdru' END
FROM s2_amps;

-- Three voice radios per cell; technology and hardware type cycle through
-- amps/sbrcu, amps/arcu, tdma/etdru, tdma/tdru, cdma/arcu, tdma/trtc.
CREATE TABLE tnl_cfg_s2radio (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  frame TEXT, shlf TEXT, slot TEXT, stat TEXT, vrno TEXT, ant TEXT, tr_ant TEXT,
  vrchnl TEXT, satcc TEXT, dvcc_t TEXT, vrtech TEXT, sg TEXT, techtype TEXT, mpc TEXT
);
CREATE INDEX tnl_cfg_s2radio_cell ON tnl_cfg_s2radio (cell_id);
INSERT INTO tnl_cfg_s2radio
SELECT 6000000 + 60 * a.n + 1 + t.r, a.cell_id,
       '0', CAST(1 + t.r / 2 AS TEXT), CAST(4 + 4 * t.r AS TEXT),
       CASE t.r WHEN 2 THEN 'i' ELSE 'e' END,
       CAST(1 + t.r AS TEXT), CAST(t.r AS TEXT), CAST((t.r + 1) % 3 AS TEXT),
       CAST(300 + (a.n * 3 + t.r * 7) % 400 AS TEXT),
       CAST((a.n + t.r) % 3 AS TEXT),
       CAST((a.n * 5 + t.r) % 256 AS TEXT),
       CASE (3 * a.m + t.r) % 6 WHEN 0 THEN 'amps' WHEN 1 THEN 'amps' WHEN 4 THEN 'cdma'
                                ELSE 'tdma' END,
       CAST(t.r AS TEXT),
       CASE (3 * a.m + t.r) % 6 WHEN 0 THEN 'sbrcu' WHEN 1 THEN 'arcu' WHEN 2 THEN 'etdru'
                                WHEN 3 THEN 'tdru' WHEN 4 THEN 'arcu' ELSE 'trtc' END,
       CAST((a.n + t.r) % 4 AS TEXT)
FROM s2_amps a, s2_three t;

-- Trunk data per radio number and time slot (only vrg 0, ts 0 is drawn).
-- Radio 2 of the cells with an even m has none; radio 3 has no LAC number.
CREATE TABLE tnl_cfg_s2ctm (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  vrg INTEGER, vrno INTEGER, ts INTEGER,
  tg TEXT, tm TEXT, lacnum TEXT, ds0 TEXT, ds1 TEXT
);
CREATE INDEX tnl_cfg_s2ctm_radio ON tnl_cfg_s2ctm (cell_id, vrno);
INSERT INTO tnl_cfg_s2ctm
SELECT 6000000 + 60 * a.n + 4 + 2 * v.k + s.ts, a.cell_id, 0, v.vrno, s.ts,
       CAST(100 + a.m % 50 AS TEXT), CAST(v.vrno + 10 * s.ts AS TEXT),
       CASE v.vrno WHEN 3 THEN '' ELSE CAST(1000 + a.m % 900 AS TEXT) END,
       CAST(v.vrno * 2 + s.ts AS TEXT), CAST(a.m % 4 AS TEXT)
FROM s2_amps a,
     (SELECT 0 AS k, 1 AS vrno UNION ALL SELECT 1, 2 UNION ALL SELECT 2, 3
      UNION ALL SELECT 3, 9) v,
     (SELECT 0 AS ts UNION ALL SELECT 1) s
WHERE NOT (v.vrno = 2 AND a.m % 2 = 0);

-- One SU radio per cell, "arcu" or "tdru".
CREATE TABLE tnl_cfg_s2suradio (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  frame TEXT, shelf TEXT, slot TEXT, status TEXT, su_radio TEXT, rfpi TEXT, lac TEXT,
  techtype TEXT, xmitsu TEXT
);
CREATE INDEX tnl_cfg_s2suradio_cell ON tnl_cfg_s2suradio (cell_id);
INSERT INTO tnl_cfg_s2suradio
SELECT 6000000 + 60 * n + 12, cell_id, '0', '2', '8', 'e', CAST(1 + m % 2 AS TEXT),
       CAST(m % 64 AS TEXT), CAST(2000 + m % 500 AS TEXT),
       CASE m % 2 WHEN 0 THEN 'arcu' ELSE 'tdru' END, CAST(n % 2 AS TEXT)
FROM s2_amps;

-- Two LOC radios per cell, types cycling through arcu, arac, tdru, trtc,
-- etdru, lrcu, and a third one unequipped (not drawn).
CREATE TABLE tnl_cfg_s2locradio (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  frame TEXT, shelf TEXT, slot TEXT, status TEXT, loc_radio TEXT, type TEXT
);
CREATE INDEX tnl_cfg_s2locradio_cell ON tnl_cfg_s2locradio (cell_id);
INSERT INTO tnl_cfg_s2locradio
SELECT 6000000 + 60 * a.n + 13 + t.r, a.cell_id, '0', '2', CAST(12 + 4 * t.r AS TEXT),
       CASE t.r WHEN 2 THEN 'u' ELSE 'e' END, CAST(1 + t.r AS TEXT),
       CASE (2 * a.m + t.r) % 6 WHEN 0 THEN 'arcu' WHEN 1 THEN 'arac' WHEN 2 THEN 'tdru'
                                WHEN 3 THEN 'trtc' WHEN 4 THEN 'etdru' ELSE 'lrcu' END
FROM s2_amps a, s2_three t;

-- DS1 boards of both layouts ("amps" or "cdma"); one unequipped AMPS board.
CREATE TABLE tnl_cfg_s2ds1brd (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  tech TEXT, frame TEXT, shelf TEXT, slot TEXT, status TEXT, ds1_brd TEXT, ds1type TEXT
);
CREATE INDEX tnl_cfg_s2ds1brd_cell ON tnl_cfg_s2ds1brd (cell_id);
INSERT INTO tnl_cfg_s2ds1brd
SELECT 6000000 + 60 * a.n + 16 + t.r, a.cell_id, 'amps', '0', '0', CAST(2 + t.r AS TEXT),
       CASE t.r WHEN 1 THEN 'u' ELSE 'e' END, CAST(1 + t.r AS TEXT),
       CASE a.m % 2 WHEN 0 THEN 'T1' ELSE 'E1' END
FROM s2_amps a, s2_three t WHERE t.r < 2;
INSERT INTO tnl_cfg_s2ds1brd
SELECT 6000000 + 60 * n + 18, cell_id, 'cdma', CAST(min(f) AS TEXT), '0', '20', 'e', '1', 'T1'
FROM s2_cdma GROUP BY cell_id, n;

-- CAT/SCT boards: two AMPS boards (shelf 0 a CAT, shelf 1 an SCT), one CDMA.
CREATE TABLE tnl_cfg_s2catbrd (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  tech TEXT, frame TEXT, shelf TEXT, slot TEXT, status TEXT, cat_brd TEXT, s_cattype TEXT
);
CREATE INDEX tnl_cfg_s2catbrd_cell ON tnl_cfg_s2catbrd (cell_id);
INSERT INTO tnl_cfg_s2catbrd
SELECT 6000000 + 60 * a.n + 19 + t.r, a.cell_id, 'amps', '0', CAST(t.r AS TEXT),
       CAST(18 + t.r AS TEXT), 'e', CAST(1 + t.r AS TEXT), CASE t.r WHEN 0 THEN 'c' ELSE 's' END
FROM s2_amps a, s2_three t WHERE t.r < 2;
INSERT INTO tnl_cfg_s2catbrd
SELECT 6000000 + 60 * n + 21, cell_id, 'cdma', CAST(min(f) AS TEXT), '0', '19',
       CASE m % 2 WHEN 0 THEN 'e' ELSE 'g' END, '1', CASE m % 3 WHEN 0 THEN 's' ELSE 'c' END
FROM s2_cdma GROUP BY cell_id, n, m;

-- One DCCH radio per cell (radio number 9), "etdru" or "tdru"; the cells
-- with an odd m have no LAC number on it.
CREATE TABLE tnl_cfg_s2dcch (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  frame TEXT, shlf TEXT, slot TEXT, vrno TEXT, ant TEXT, tr_ant TEXT, vrchnl TEXT,
  dvcc_t TEXT, lacnum TEXT, hwtype TEXT, dstat0 TEXT, dstat1 TEXT, dstat2 TEXT
);
CREATE INDEX tnl_cfg_s2dcch_cell ON tnl_cfg_s2dcch (cell_id);
INSERT INTO tnl_cfg_s2dcch
SELECT 6000000 + 60 * n + 22, cell_id, '0', '3', '5', '9', '0', '1',
       CAST(700 + n % 100 AS TEXT), CAST((n * 11) % 256 AS TEXT),
       CASE m % 2 WHEN 0 THEN CAST(3000 + m % 500 AS TEXT) ELSE '' END,
       CASE m % 2 WHEN 0 THEN 'etdru' ELSE 'tdru' END, 'e', 'a', 'i'
FROM s2_amps;

-- CDMA -----------------------------------------------------------------------

-- Two BBAs per CDMA frame f: 2 f (even) and 2 f + 1 (odd).
CREATE TABLE tnl_cfg_s2bba (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  bba INTEGER, status TEXT, trunk TEXT, carrier TEXT, lac TEXT, frame TEXT, shelf TEXT,
  ant TEXT, scell TEXT, mxp TEXT, pag_ch TEXT, lc_mxp TEXT, af TEXT, channel TEXT,
  pag TEXT, pn TEXT, acc TEXT
);
CREATE INDEX tnl_cfg_s2bba_cell ON tnl_cfg_s2bba (cell_id);
INSERT INTO tnl_cfg_s2bba
SELECT 6000000 + 60 * c.n + 23 + 2 * c.f + p.odd, c.cell_id, 2 * c.f + p.odd,
       CASE WHEN p.odd = 1 THEN CASE (c.m + c.f) % 2 WHEN 0 THEN 'e' ELSE 'u' END
            ELSE CASE (c.m + c.f) % 3 WHEN 0 THEN 'e' WHEN 1 THEN 'g' ELSE 'u' END END,
       'TG' || (10 + c.f), CAST(1 + p.odd AS TEXT), CAST(4000 + c.m % 500 AS TEXT),
       CAST(c.f AS TEXT), CAST(1 + p.odd AS TEXT), CAST(c.f % 3 AS TEXT),
       CAST(c.n % 64 AS TEXT), 'MX' || printf('%05d', (c.n * 37 + c.f) % 100000),
       CAST(c.f + 1 AS TEXT), CAST((c.n + p.odd) % 8 AS TEXT), CAST(c.f * 2 AS TEXT),
       CAST(283 + 25 * c.f AS TEXT), CAST(1 + p.odd AS TEXT), CAST((c.n * 3) % 512 AS TEXT),
       CAST(p.odd AS TEXT)
FROM s2_cdma c, (SELECT 0 AS odd UNION ALL SELECT 1) p;

-- Two CCCs per CDMA frame: 2 f (even) and 2 f + 1 (odd).
CREATE TABLE tnl_cfg_s2ccc (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  ccc INTEGER, frame TEXT, shelf TEXT, cctype TEXT, status TEXT, sector TEXT, tg TEXT,
  tm TEXT, ds0 TEXT, dcs TEXT, mode TEXT, zone TEXT
);
CREATE INDEX tnl_cfg_s2ccc_cell ON tnl_cfg_s2ccc (cell_id);
INSERT INTO tnl_cfg_s2ccc
SELECT 6000000 + 60 * c.n + 29 + 2 * c.f + p.odd, c.cell_id, 2 * c.f + p.odd,
       CAST(c.f AS TEXT), '1', CASE p.odd WHEN 0 THEN 'CCC-A' ELSE 'CCC-B' END,
       CASE (c.m + p.odd) % 2 WHEN 0 THEN 'e' ELSE 'o' END, CAST(1 + (c.f + p.odd) % 3 AS TEXT),
       CAST(100 + c.m % 50 AS TEXT), CAST(20 + 2 * c.f + p.odd AS TEXT),
       CAST(p.odd AS TEXT), CAST(c.n % 9 AS TEXT), 'n', CAST(c.m % 4 AS TEXT)
FROM s2_cdma c, (SELECT 0 AS odd UNION ALL SELECT 1) p;

-- Two CCUs per CDMA frame: 2 f (even) and 2 f + 1 (odd); CE types cycle
-- through CE-2, CE-32 and CE-8.
CREATE TABLE tnl_cfg_s2ccu (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  ccu INTEGER, frame TEXT, shelf TEXT, status TEXT, ce_type TEXT, ccc TEXT, unit TEXT
);
CREATE INDEX tnl_cfg_s2ccu_cell ON tnl_cfg_s2ccu (cell_id);
INSERT INTO tnl_cfg_s2ccu
SELECT 6000000 + 60 * c.n + 35 + 2 * c.f + p.odd, c.cell_id, 2 * c.f + p.odd,
       CAST(c.f AS TEXT), '2', CASE p.odd WHEN 0 THEN 'e' ELSE 'g' END,
       CASE (c.m + 2 * c.f + p.odd) % 3 WHEN 0 THEN 'CE-2' WHEN 1 THEN 'CE-32' ELSE 'CE-8' END,
       CAST(2 * c.f + p.odd AS TEXT), CAST(1 + (c.m + c.f + p.odd) % 4 AS TEXT)
FROM s2_cdma c, (SELECT 0 AS odd UNION ALL SELECT 1) p;

-- One CRTU per cell with a CDMA primary frame.
CREATE TABLE tnl_cfg_s2crtu (
  instance_id INTEGER PRIMARY KEY,
  cell_id     INTEGER NOT NULL,
  crtu TEXT, status TEXT
);
CREATE INDEX tnl_cfg_s2crtu_cell ON tnl_cfg_s2crtu (cell_id);
INSERT INTO tnl_cfg_s2crtu
SELECT 6000000 + 60 * n + 41, cell_id, CAST(3 + m % 2 AS TEXT), 'e'
FROM s2_cdma WHERE f = 0;

DROP TABLE temp.s2_three;
DROP TABLE temp.s2_cdma;
DROP TABLE temp.s2_amps;
