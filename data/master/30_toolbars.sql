-- Toolbar items of the analysis windows, one set per window (ToolBarName).
--
-- caption "|" is a separator. itemindex tells the owning window what the
-- button does; Down -1 makes a latching button (stays selected, releases
-- the others). imageindex numbers the icons of the shared toolbar image
-- list: 0 whole day, 1 previous, 2 next, 3 options, 4 print,
-- 5 statistics table, 6 realtime data, 7 log data, 8 column list,
-- 9 calendar, 10 column chart; -1 no icon.
--
-- Data views (realtime and log): itemindex > 0 is the shown span in
-- seconds, 0 the whole therapy day, -1 previous, -2 next, -3 options,
-- -4 print. Spans come first, in ascending order: a time selection on the
-- axis zooms to the first span (in this order) that holds it.

INSERT INTO tToolBar (ToolBarName, sortindex, caption, imageindex, itemindex, Down) VALUES
  ('frmTableDetail',  1, '1 Min',     -1,    60, -1),
  ('frmTableDetail',  2, '5 Min',     -1,   300, -1),
  ('frmTableDetail',  3, '10 Min',    -1,   600, -1),
  ('frmTableDetail',  4, '30 Min',    -1,  1800, -1),
  ('frmTableDetail',  5, '1 Hour',    -1,  3600, -1),
  ('frmTableDetail',  6, '2 Hours',   -1,  7200, -1),
  ('frmTableDetail',  7, '4 Hours',   -1, 14400, -1),
  ('frmTableDetail',  8, '8 Hours',   -1, 28800, -1),
  ('frmTableDetail',  9, 'Whole Day',  0,     0, -1),
  ('frmTableDetail', 10, '|',         -1,     0,  0),
  ('frmTableDetail', 11, 'Previous',   1,    -1,  0),
  ('frmTableDetail', 12, 'Next',       2,    -2,  0),
  ('frmTableDetail', 13, '|',         -1,     0,  0),
  ('frmTableDetail', 14, 'Options',    3,    -3,  0),
  ('frmTableDetail', 15, 'Print',      4,    -4,  0);

INSERT INTO tToolBar (ToolBarName, sortindex, caption, imageindex, itemindex, Down) VALUES
  ('frmTableEvent',  1, '1 Min',     -1,    60, -1),
  ('frmTableEvent',  2, '5 Min',     -1,   300, -1),
  ('frmTableEvent',  3, '10 Min',    -1,   600, -1),
  ('frmTableEvent',  4, '30 Min',    -1,  1800, -1),
  ('frmTableEvent',  5, '1 Hour',    -1,  3600, -1),
  ('frmTableEvent',  6, '2 Hours',   -1,  7200, -1),
  ('frmTableEvent',  7, '4 Hours',   -1, 14400, -1),
  ('frmTableEvent',  8, '8 Hours',   -1, 28800, -1),
  ('frmTableEvent',  9, 'Whole Day',  0,     0, -1),
  ('frmTableEvent', 10, '|',         -1,     0,  0),
  ('frmTableEvent', 11, 'Previous',   1,    -1,  0),
  ('frmTableEvent', 12, 'Next',       2,    -2,  0),
  ('frmTableEvent', 13, '|',         -1,     0,  0),
  ('frmTableEvent', 14, 'Options',    3,    -3,  0),
  ('frmTableEvent', 15, 'Print',      4,    -4,  0);

-- Column list: -1 previous month, -2 next month, -4 print.
INSERT INTO tToolBar (ToolBarName, sortindex, caption, imageindex, itemindex, Down) VALUES
  ('frmTableColumnList', 1, 'Previous Month',  1, -1, 0),
  ('frmTableColumnList', 2, 'Next Month',      2, -2, 0),
  ('frmTableColumnList', 3, '|',              -1,  0, 0),
  ('frmTableColumnList', 4, 'Print',           4, -4, 0);

-- Analysis window: itemindex 1..6 are its pages, 99 prints the report.
INSERT INTO tToolBar (ToolBarName, sortindex, caption, imageindex, itemindex, Down) VALUES
  ('frmAnalysis', 1, 'Statistics Table',  5,  1, -1),
  ('frmAnalysis', 2, 'RealTime Data',     6,  2, -1),
  ('frmAnalysis', 3, 'Log Data',          7,  3, -1),
  ('frmAnalysis', 4, 'Column List',       8,  4, -1),
  ('frmAnalysis', 5, 'Calendar',          9,  5, -1),
  ('frmAnalysis', 6, 'Column Chart',     10,  6, -1),
  ('frmAnalysis', 7, '|',                -1,  0,  0),
  ('frmAnalysis', 8, 'Print Report',      4, 99,  0);
