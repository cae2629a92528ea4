# The HID link against the simulated ventilator.
somnexa_add_bench(device_bench
  SOURCES device_link_bench.cpp
  LIBS somnexa_device somnexa_devsim_backend
)
