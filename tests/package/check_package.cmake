# Installs the build into WORK_DIR/prefix, then configures, builds and runs the host project
# against it with each compiler found (only the build's own compiler under sanitizers, whose
# runtimes do not mix).
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK_DIR}/prefix
  RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
  message(FATAL_ERROR "install failed: ${result}")
endif()

if(SANITIZE)
  set(compilers ${BUILD_COMPILER})
  set(extra_flags "-fsanitize=${SANITIZE}")
else()
  set(compilers)
  foreach(candidate g++ clang++)
    find_program(found_${candidate} ${candidate})
    if(found_${candidate})
      list(APPEND compilers ${found_${candidate}})
    endif()
  endforeach()
  set(extra_flags "")
endif()

foreach(compiler ${compilers})
  get_filename_component(tag ${compiler} NAME)
  set(build ${WORK_DIR}/host-${tag})
  execute_process(
    COMMAND ${CMAKE_COMMAND} -S ${HOST_DIR} -B ${build} -G ${GENERATOR}
      -DCMAKE_CXX_COMPILER=${compiler}
      -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix
      -DCMAKE_CXX_FLAGS=${extra_flags}
      -DQUILLSET_PKGCONFIG_DIR=${WORK_DIR}/prefix/${LIBDIR}/pkgconfig
    RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "configuring the host with ${compiler} failed")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${build} RESULT_VARIABLE result)
  if(result)
    message(FATAL_ERROR "building the host with ${compiler} failed")
  endif()
  foreach(program host_cmake host_pkgconfig)
    if(EXISTS ${build}/${program})
      execute_process(COMMAND ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${WORK_DIR}/prefix/${LIBDIR}
        ${build}/${program} RESULT_VARIABLE result)
      if(result)
        message(FATAL_ERROR "${program} built with ${compiler} failed: ${result}")
      endif()
    endif()
  endforeach()
  message(STATUS "host built and ran with ${compiler}")
endforeach()
