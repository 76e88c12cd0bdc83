# Shared by the package tests' scripts.

# tk_step(<what> COMMAND...): runs a command; a failure stops the test with its output.
# The command's standard output is left in TK_STEP_OUTPUT, its errors in TK_STEP_ERRORS.
function(tk_step what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    list(JOIN ARGN " " line)
    message(FATAL_ERROR "${what} failed (${rc}):\n${line}\n${out}\n${err}")
  endif()
  set(TK_STEP_OUTPUT "${out}" PARENT_SCOPE)
  set(TK_STEP_ERRORS "${err}" PARENT_SCOPE)
endfunction()

# tk_check_imports(<exe>): a host linked as our documents say imports no mingw
# runtime DLL (without -static it would need libstdc++-6.dll and friends, and
# under Wine exit with 53 and no message).
function(tk_check_imports exe)
  find_program(objdump x86_64-w64-mingw32-objdump REQUIRED)
  tk_step("objdump" ${objdump} -p ${exe})
  string(REGEX MATCHALL "DLL Name: [^\n]+" names "${TK_STEP_OUTPUT}")
  foreach(line ${names})
    string(REGEX REPLACE "DLL Name: *" "" name "${line}")
    string(STRIP "${name}" name)
    string(TOLOWER "${name}" name)
    if(name MATCHES "^(libstdc|libgcc|libwinpthread)")
      message(FATAL_ERROR "${exe} imports ${name}: it was not linked with the static runtime")
    endif()
  endforeach()
  if(NOT TK_STEP_OUTPUT MATCHES "DLL Name: tavrokessaui.dll")
    message(FATAL_ERROR "${exe} does not import tavrokessaui.dll")
  endif()
endfunction()

# tk_run_host(<exe> <package folder>): runs a built host under Wine with the
# package's DLL beside it, the way a host ships it.
function(tk_run_host exe package)
  tk_check_imports(${exe})
  get_filename_component(folder ${exe} DIRECTORY)
  file(COPY ${package}/bin/tavrokessaui.dll DESTINATION ${folder})
  execute_process(COMMAND ${WINE} ${exe} WORKING_DIRECTORY ${folder} RESULT_VARIABLE rc OUTPUT_VARIABLE out
                  ERROR_VARIABLE err)
  message(STATUS "${exe}:\n${out}")
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${exe} failed under Wine with ${rc}\n${err}")
  endif()
endfunction()

# tk_pkg_config(<out> <args>...): pkg-config over the package's own folder only.
function(tk_pkg_config out package)
  set(ENV{PKG_CONFIG_PATH} ${package}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_LIBDIR} ${package}/lib/pkgconfig)
  tk_step("pkg-config ${ARGN}" ${PKG_CONFIG} ${ARGN} tavrokessaui)
  string(STRIP "${TK_STEP_OUTPUT}" text)
  separate_arguments(words UNIX_COMMAND "${text}")
  set(${out} "${words}" PARENT_SCOPE)
endfunction()
