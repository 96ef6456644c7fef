-- Cell reports: the 3G data of the cells, and the frame technologies of the
-- cells of series 3 to 9 (series 2 is set by the series-2 script).
-- A cell whose number n is a multiple of 4 has no 3G row, whatever its
-- series, so every series has cells with and without 3G data.

CREATE TABLE tnl_cfg_cell3g (
  instance_id     INTEGER PRIMARY KEY,
  umts_band       TEXT NOT NULL,
  carriers        INTEGER NOT NULL,
  rnc_id          INTEGER NOT NULL,
  scrambling_code INTEGER NOT NULL,
  pilot_power_dbm REAL,
  hsdpa           TEXT
);

INSERT INTO tnl_cfg_cell3g
SELECT instance_id,
       CASE cell_number % 3 WHEN 0 THEN 'I' WHEN 1 THEN 'II' ELSE 'V' END,
       1 + cell_number % 3,
       100 + (cell_number - 1) / 50,
       (cell_number * 37) % 512,
       round(30.0 + (cell_number % 7) / 2.0, 1),
       CASE WHEN cell_number % 3 = 0 THEN 'no' ELSE 'yes' END
FROM tnl_cfg_cell
WHERE cell_number % 4 <> 0;

-- Frame technologies by series. Series 3 cells alternate between CDMA-only
-- frames (RCS technology "1") and TDMA microcell frames (RCS technology "2").
-- 4: PivCell sites, 5: KelBTS sites, 6: PivCell and KelBTS sites,
-- 7: micro and mini cells, 8 and 9: CDMA cells.
UPDATE tnl_cfg_cell
SET fr0tech = CASE WHEN cell_number % 2 = 0 THEN 'ptmc' ELSE 'ccm' END,
    fr1tech = CASE WHEN cell_number % 2 = 0 THEN 'ptmg' ELSE 'cccm' END,
    fr2tech = CASE WHEN cell_number % 2 = 0 THEN 'm1' ELSE 'pcm' END,
    fr3tech = CASE WHEN cell_number % 2 = 0 THEN 'ptmg' ELSE 'c' END,
    fr4tech = '',
    fr5tech = '',
    s2mmcea_t = 'n',
    rcs_tech = CASE WHEN cell_number % 2 = 0 THEN '2' ELSE '1' END
WHERE series = 3;

UPDATE tnl_cfg_cell
SET fr0tech = CASE series WHEN 4 THEN 'pcm' WHEN 5 THEN 'ddgf' WHEN 6 THEN 'rg'
                          WHEN 7 THEN 'cbs' ELSE 'ccm' END,
    fr1tech = CASE series WHEN 6 THEN 'rgh' WHEN 7 THEN '' ELSE 'c' END,
    fr2tech = CASE series WHEN 8 THEN 'c' WHEN 9 THEN 'cccm' ELSE '' END,
    fr3tech = '',
    fr4tech = '',
    fr5tech = '',
    s2mmcea_t = 'n',
    rcs_tech = CASE series WHEN 5 THEN '2' ELSE '1' END
WHERE series BETWEEN 4 AND 9;
