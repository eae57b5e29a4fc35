# cmake -D CXX=... -D INCLUDES=<dir>|<dir>... -D OWN=<header> -D ABOVE=<header or -> -D WORK=<dir> -P include_probe.cmake
# Compiles a one-line source that includes OWN, which must build, and one
# that includes ABOVE, which must fail for want of the header.
string(REPLACE "|" ";" includes "${INCLUDES}")
list(TRANSFORM includes PREPEND -I)
file(MAKE_DIRECTORY ${WORK})

function(probe header out_rc out_text)
    string(MAKE_C_IDENTIFIER ${header} name)
    file(WRITE ${WORK}/${name}.cpp "#include \"${header}\"\n")
    execute_process(COMMAND ${CXX} -std=c++20 -fsyntax-only ${includes} ${WORK}/${name}.cpp
                    RESULT_VARIABLE rc OUTPUT_VARIABLE text ERROR_VARIABLE text)
    set(${out_rc} ${rc} PARENT_SCOPE)
    set(${out_text} "${text}" PARENT_SCOPE)
endfunction()

probe(${OWN} rc text)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OWN} does not build with its own room's includes:\n${text}")
endif()
if(NOT ABOVE STREQUAL "-")
    probe(${ABOVE} rc text)
    if(rc EQUAL 0 OR NOT text MATCHES "${ABOVE}: No such file")
        message(FATAL_ERROR "${ABOVE}, of a room above, is offered to this room:\n${text}")
    endif()
endif()
