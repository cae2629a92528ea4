-- Daily statistics and the series of the column charts.
--
-- Mode 1 rows are computed for every therapy day into the per-day cache of
-- the patient database: channel Code/CodePos, statistic Index 0 maximum,
-- 1 95th percentile, 2 mean, 3 90th percentile (stored as DataMode).
-- Visible 1 rows are series of the column chart whose tDiagram Code equals
-- DiagramCode; Index is the series slot (slots of a chart are 0..n-1, in
-- sortindex order) and AddIndex a bit mask of slots added into this one.
-- Within a chart the larger series take the lower slots: columns are drawn
-- slot by slot, so the smaller ones stay visible in front.
-- Colours are 0xBBGGRR.
INSERT INTO tColumnList (Mode, Code, CodePos, DiagramCode, Visible, sortindex, "Index", Color, Name, AddIndex) VALUES
  -- pressure (hundredths of cmH2O)
  (1, 16, 0,  16, 1,  1, 0, 0x78C8FF, 'Maximum',         0),
  (1, 16, 0,  16, 1,  2, 1, 0x288CF0, '95th Percentile', 0),
  (1, 16, 0,  16, 1,  3, 2, 0x0050C8, 'Mean',            0),
  (1, 16, 0,  16, 0,  4, 3, 0x146EDC, '90th Percentile', 0),
  -- leak (tenths of l/min)
  (1, 17, 0,  17, 1,  5, 0, 0xF0B4D2, 'Maximum',         0),
  (1, 17, 0,  17, 1,  6, 1, 0xD26EA0, '95th Percentile', 0),
  (1, 17, 0,  17, 1,  7, 2, 0xA0326E, 'Mean',            0),
  (1, 17, 0,  17, 0,  8, 3, 0xB95087, '90th Percentile', 0),
  -- event indices: slot 0 is apnea plus slot 1 (hypopnea), the AHI
  (0,  9, 0, 100, 1,  9, 0, 0x7878F0, 'AHI',             2),
  (0, 19, 0, 100, 1, 10, 1, 0x3CBEFA, 'Hypopnea index',  0),
  (0,  9, 0, 100, 1, 11, 2, 0x1E1EC8, 'Apnea index',     0),
  -- session bars from the cache rows of code 201
  (0, 201, 0, 201, 1, 12, 0, 0xC88246, 'Session',        0);
