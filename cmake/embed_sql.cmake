# Turns the database SQL files into a C++ source, so that every program can
# create the shipped databases without the data folder. Run in script mode:
#   cmake -DOUTPUT=file.cpp -DMASTER_DIR=data/master -DPATIENT_DIR=data/patient -P embed_sql.cmake
# Files are taken in sorted file-name order; that order is the order of execution.

function(embed_group out_var function_name dir)
  file(GLOB files RELATIVE "${dir}" "${dir}/*.sql")
  list(SORT files)
  set(text "const std::vector<EmbeddedSqlFile>& ${function_name}() {\n")
  string(APPEND text "    static const std::vector<EmbeddedSqlFile> files = {\n")
  foreach(f IN LISTS files)
    file(READ "${dir}/${f}" content)
    string(APPEND text "        {\"${f}\", R\"somnexa_sql(${content})somnexa_sql\"},\n")
  endforeach()
  string(APPEND text "    };\n    return files;\n}\n\n")
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

embed_group(master masterSqlFiles "${MASTER_DIR}")
embed_group(patient patientSqlFiles "${PATIENT_DIR}")

set(source "// Generated from data/master/*.sql and data/patient/*.sql by cmake/embed_sql.cmake.\n")
string(APPEND source "#include \"storage/embedded_sql.h\"\n\nnamespace somnexa::storage {\n\n")
string(APPEND source "${master}${patient}}  // namespace somnexa::storage\n")

file(WRITE "${OUTPUT}.new" "${source}")
execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${OUTPUT}.new" "${OUTPUT}")
file(REMOVE "${OUTPUT}.new")
