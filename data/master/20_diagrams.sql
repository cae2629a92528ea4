-- Chart definitions of the realtime view, the log view and the column list.
--
-- Colours are 32-bit values with red in the low byte (0xBBGGRR). MinY/MaxY
-- is the physical scale and DigitalMin/DigitalMax the raw values mapped to
-- its bottom and top. The non-system rows of types 1 and 2 become the
-- channel tables of the downloaded data files, in SortIndex order; the
-- first log channel (pressure) is the one whose step length gives a log
-- file its duration.
--
-- Type 1, realtime waveforms (.hidr): channel code 1, position 0 pressure,
-- position 1 flow, 25 samples a second of 12-bit raw values (0..4095).
-- Pressure spans 0..40 cmH2O over the raw range; flow is centred on the
-- middle of the raw range, -100..100 l/min.
--
-- Type 2, log charts: DataMode 1 reads the .hidl log channels (16 pressure
-- in hundredths of cmH2O, 17 leak in tenths of l/min, one sample a log
-- step); DataMode 2 draws the tData events of Code as rectangles (chart
-- kind 3). Event charts carry Rate 0 so they add nothing to the frames of
-- a log file. Codes 10 and 11 are the events that can also be marked by
-- hand (tEventList) besides 9, 19, 6 and 7.
--
-- Type 3, column charts of the column list, one column per day (Cols 32
-- over the 32-day axis), chart kind 4. DataMode 3 daily statistics from
-- the per-day cache (code 16 pressure, 17 leak); 4 daily event counts
-- (apnea and hypopnea turned into events per hour, times 100, so the raw
-- range 0..3000 is 0..30 /h); 5 session bars from the cache rows of code
-- 201, in seconds from the column day's midnight: 43200 (noon) .. 129600
-- (next noon), shown as hours 12..36. Code is the key the tColumnList rows
-- use in DiagramCode; the read-out treats 201 as session bars and codes
-- below 200 as values.

INSERT INTO tDiagram (Type, SortIndex, IsSYS, Name, ChannleName, Visible, Code, CodePos, Rows, Cols, Height, DiagramModel, DataMode, LineStyle, LineColor, BorderColor, Rate, ChannleCount, MoveStep, Units, ShowX, ShowY, ShowCaption, ShowLineX, ShowLineY, NullX, NullY, TextX, TextY, ScaleX1, ScaleX2, ScaleY1, ScaleY2, PrecisionX, PrecisionY, TextFormatX, TextFormatY, TextStyleX, TextStyleY, MinY, MaxY, DigitalMin, DigitalMax) VALUES
  -- type 1: realtime pressure
  (1, 1, 0, 'Pressure', 'Pressure|(cmH2O)', -1, 1, 0, 4, 60, 160, 1, 1, 0, 0xB44600, 0xC0C0C0, 25, 1, 2, 'cmH2O', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 40, 0, 1, 'HH:NN:SS', '0.0', 0, 0, 0, 40, 0, 4095),
  -- type 1: realtime flow
  (1, 2, 0, 'Flow', 'Flow|(l/min)', -1, 1, 1, 4, 60, 160, 1, 1, 0, 0x3C8C00, 0xC0C0C0, 25, 1, 10, 'l/min', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, -100, 100, 0, 0, 'HH:NN:SS', '0', 0, 0, -100, 100, 0, 4095),
  -- type 2: log pressure
  (2, 1, 0, 'Press trend', 'Pressure|(cmH2O)', -1, 16, 0, 6, 60, 120, 1, 1, 0, 0x0078E6, 0xC0C0C0, 1, 1, 2, 'cmH2O', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 30, 0, 1, 'HH:NN:SS', '0.0', 0, 0, 0, 30, 0, 3000),
  -- type 2: log leak
  (2, 2, 0, 'Leak', 'Leak|(l/min)', -1, 17, 0, 6, 60, 120, 1, 1, 0, 0xAA3C8C, 0xC0C0C0, 1, 1, 10, 'l/min', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 120, 0, 1, 'HH:NN:SS', '0.0', 0, 0, 0, 120, 0, 1200),
  -- type 2: Apnea events
  (2, 3, 0, 'Apnea', 'Apnea', -1, 9, 0, 1, 60, 40, 3, 2, 0, 0x1E1EDC, 0xC0C0C0, 0, 1, 0, 'sec', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'HH:NN:SS', '0', 0, 0, 0, 1, 0, 1),
  -- type 2: Hypopnea events
  (2, 4, 0, 'Hypopnea', 'Hypopnea', -1, 19, 0, 1, 60, 40, 3, 2, 0, 0x00AAFA, 0xC0C0C0, 0, 1, 0, 'sec', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'HH:NN:SS', '0', 0, 0, 0, 1, 0, 1),
  -- type 2: Snore events
  (2, 5, 0, 'Snore', 'Snore', -1, 6, 0, 1, 60, 40, 3, 2, 0, 0x285A78, 0xC0C0C0, 0, 1, 0, 'sec', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'HH:NN:SS', '0', 0, 0, 0, 1, 0, 1),
  -- type 2: Flow limit events
  (2, 6, 0, 'Flow limit', 'Flow limit', -1, 7, 0, 1, 60, 40, 3, 2, 0, 0x969600, 0xC0C0C0, 0, 1, 0, 'sec', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'HH:NN:SS', '0', 0, 0, 0, 1, 0, 1),
  -- type 2: RERA events
  (2, 7, 0, 'RERA', 'RERA', -1, 10, 0, 1, 60, 40, 3, 2, 0, 0xC800C8, 0xC0C0C0, 0, 1, 0, 'sec', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'HH:NN:SS', '0', 0, 0, 0, 1, 0, 1),
  -- type 2: Large leak events
  (2, 8, 0, 'Large leak', 'Large leak', -1, 11, 0, 1, 60, 40, 3, 2, 0, 0x646464, 0xC0C0C0, 0, 1, 0, 'sec', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 'HH:NN:SS', '0', 0, 0, 0, 1, 0, 1),
  -- type 3: daily pressure statistics
  (3, 1, 0, 'Pressure', 'Pressure|(cmH2O)', -1, 16, 0, 6, 32, 150, 4, 3, 0, 0x404040, 0xC0C0C0, 1, 1, 2, 'cmH2O', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 30, 0, 1, 'YYYY-MM-DD', '0.0', 0, 0, 0, 30, 0, 3000),
  -- type 3: daily leak statistics
  (3, 2, 0, 'Leak', 'Leak|(l/min)', -1, 17, 0, 6, 32, 150, 4, 3, 0, 0x404040, 0xC0C0C0, 1, 1, 10, 'l/min', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 120, 0, 1, 'YYYY-MM-DD', '0.0', 0, 0, 0, 120, 0, 1200),
  -- type 3: daily apnea/hypopnea indices
  (3, 3, 0, 'Event index', 'Events|(/h)', -1, 100, 0, 6, 32, 150, 4, 4, 0, 0x404040, 0xC0C0C0, 1, 1, 5, '/h', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 30, 0, 1, 'YYYY-MM-DD', '0.0', 0, 0, 0, 30, 0, 3000),
  -- type 3: session bars
  (3, 4, 0, 'Sessions', 'Sessions|(hour of day)', -1, 201, 0, 4, 32, 150, 4, 5, 0, 0x404040, 0xC0C0C0, 1, 1, 0, 'hrs', -1, -1, -1, -1, -1, 0, 0, 0, 0, 0, 0, 12, 36, 0, 0, 'YYYY-MM-DD', '0', 0, 0, 12, 36, 43200, 129600);
