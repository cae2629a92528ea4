# Benchmarks of the Jet dialect layer: the day-piece query against native SQLite,
# statement translation, and storing events in one transaction.
somnexa_add_bench(storage_bench
  SOURCES storage_bench.cpp storage_day_piece_bench.cpp
  LIBS somnexa_storage SQLite::SQLite3)
