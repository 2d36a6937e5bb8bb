# Run by `cmake --install`: puts the program folder together under the chosen prefix (the same
# rules as the build's program folder: shipped files copied when missing or older, so settings
# and redesigned templates the program wrote stay; the database made only when there is none)
# and writes the freedesktop menu entries pointing at it.
# -DSRC=<dist folder> -DMKHOUSEDB=<mkhousedb> -DPROGRAM_DIR=<program folder, installed>
# -DAPPS=<applications folder, installed>
execute_process(COMMAND ${CMAKE_COMMAND} -DSRC=${SRC} -DDEST=${PROGRAM_DIR} -DMKHOUSEDB=${MKHOUSEDB}
                        -P ${SRC}/AssembleProgram.cmake
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "The program folder ${PROGRAM_DIR} could not be put together")
endif()
# The entries name the folder where the program will run, without any staging DESTDIR.
string(LENGTH "$ENV{DESTDIR}" staging)
string(SUBSTRING "${PROGRAM_DIR}" ${staging} -1 PROGRAM_DIR)
foreach(name lintara corvane)
    configure_file(${SRC}/desktop/${name}.desktop.in ${APPS}/${name}.desktop @ONLY)
    message(STATUS "Installing: ${APPS}/${name}.desktop")
endforeach()
