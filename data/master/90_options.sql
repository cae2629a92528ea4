-- Options. A new installation starts with English texts (language code 3;
-- 1 is Simplified Chinese).
INSERT INTO sysOption (optName, value) VALUES ('Language', '3');
