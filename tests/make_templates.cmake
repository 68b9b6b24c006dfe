# Makes the template yearly files that the tests copy, once per run.
file(REMOVE_RECURSE ${DIR})
file(MAKE_DIRECTORY ${DIR})
foreach(version 10.002 12.002 12.003)
  execute_process(COMMAND ${ADMIN} create ${DIR}/template-${version}.GDB --schema ${version}
                  RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "could not create the ${version} template")
  endif()
endforeach()
