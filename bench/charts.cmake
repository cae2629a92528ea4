# Chart engine: redraw of a whole-day realtime chart, reduced against full polyline.
somnexa_add_bench(charts_bench SOURCES charts_redraw_bench.cpp LIBS somnexa_charts)
