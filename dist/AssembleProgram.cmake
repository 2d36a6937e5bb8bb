# Puts the program folder together: what ships beside the programs, and a fresh database file
# when there is none. Run at every build with -DSRC=<dist folder> -DDEST=<program folder>
# -DMKHOUSEDB=<mkhousedb>.
#
# A shipped file is copied when the program folder lacks it or holds an older copy, so files the
# program itself changed since (its settings, redesigned bill templates) are kept. The database file
# is never overwritten.

file(MAKE_DIRECTORY ${DEST}/Data)

function(ship_file from to)
    if(NOT EXISTS ${to} OR ${from} IS_NEWER_THAN ${to})
        get_filename_component(dir ${to} DIRECTORY)
        file(COPY ${from} DESTINATION ${dir})
    endif()
endfunction()

foreach(item image Template Data calc MyConnect.ini vexa.ini)
    if(IS_DIRECTORY ${SRC}/${item})
        # The folders hold whatever the programs' parts dropped there; walk them as they are now.
        file(GLOB_RECURSE files RELATIVE ${SRC}/${item} LIST_DIRECTORIES false ${SRC}/${item}/*)
        file(MAKE_DIRECTORY ${DEST}/${item})
        foreach(f ${files})
            if(f MATCHES "(^|/)\\." OR (item STREQUAL "Data" AND f STREQUAL "House.HDB"))
                continue()
            endif()
            ship_file(${SRC}/${item}/${f} ${DEST}/${item}/${f})
        endforeach()
    elseif(EXISTS ${SRC}/${item})
        ship_file(${SRC}/${item} ${DEST}/${item})
    endif()
endforeach()

if(NOT EXISTS ${DEST}/Data/House.HDB)
    execute_process(COMMAND ${MKHOUSEDB} ${DEST}/Data/House.HDB RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "The database file ${DEST}/Data/House.HDB could not be made")
    endif()
    message(STATUS "Made a fresh ${DEST}/Data/House.HDB")
endif()
