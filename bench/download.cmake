# The whole download from the simulated ventilator, and the storing of sessions.
somnexa_add_bench(download_bench
  SOURCES download_bench.cpp
  LIBS somnexa_download somnexa_devsim_backend
)
