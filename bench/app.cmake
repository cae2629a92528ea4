# Start-up of the program to its shown main window, offscreen.
if(SOMNEXA_GUI)
  somnexa_add_bench(app_bench
    SOURCES app_startup_bench.cpp
    LIBS somnexa_app
  )
  target_compile_definitions(app_bench PRIVATE SOMNEXA_PROGRAM_DIR="${SOMNEXA_PROGRAM_DIR}")
  add_dependencies(app_bench somnexa_program_files somnexa_databases)
endif()
