# Patient records: the list's search, the viewing history and creating a patient.
if(SOMNEXA_GUI)
  somnexa_add_bench(patients_bench
    SOURCES patients_bench.cpp
    LIBS somnexa_patients
  )
endif()
