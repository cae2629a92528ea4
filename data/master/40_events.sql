-- Realtime event values shown in the read-out of the data views, and the
-- event kinds that can be marked by hand.
--
-- realtimeevent: the device sends, once per breath, event packets 5, 6 and
-- 7 with two 12-bit values each (CodePos 1 and 2). The displayed value is
-- the raw value times Coeff. The first row in sortid order (5/1, the start
-- of a breath) marks the start of one breath's group of values. The log
-- view shows only the values whose names contain "insptime", "insptv" or
-- "exptime".
INSERT INTO realtimeevent (visible, sortid, Code, CodePos, Name, DisplayName, Units, DisplayFormat, Coeff) VALUES
  (-1, 1, 5, 1, 'InspTime', 'InspTime', 'sec',   '0.00', 0.01),
  (-1, 2, 5, 2, 'ExpTime',  'ExpTime',  'sec',   '0.00', 0.01),
  (-1, 3, 6, 1, 'InspTV',   'InspTV',   'ml',    '0',    1.0),
  (-1, 4, 6, 2, 'MinVent',  'MinVent',  'l/min', '0.0',  0.1),
  (-1, 5, 7, 1, 'RespRate', 'RespRate', 'bpm',   '0',    1.0),
  (-1, 6, 7, 2, 'PeakFlow', 'PeakFlow', 'l/min', '0.0',  0.1);

-- tEventList: the kinds offered by the event-mark dialog. Index is the
-- tData.DataType stored for a marked stretch; all are duration events, so
-- the log view draws a marked event in the event chart of the same code.
INSERT INTO tEventList (sortindex, "Index", Name) VALUES
  (1,  9, 'Apnea'),
  (2, 19, 'Hypopnea'),
  (3,  6, 'Snore'),
  (4,  7, 'Flow limit'),
  (5, 10, 'RERA'),
  (6, 11, 'Large leak');
