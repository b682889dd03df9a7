# Run by ctest when it starts (see add_listed_tests in CMakeLists.txt): asks a
# test program for its list of tests and registers each one, so that a test
# the program has is a test ctest runs. Set before this is included:
# program, emulator, prefix, list_file and cmake.
set(listed "")
if(EXISTS "${list_file}" AND NOT "${program}" IS_NEWER_THAN "${list_file}")
  file(STRINGS "${list_file}" listed)
else()
  execute_process(COMMAND ${emulator} "${program}" --list
                  OUTPUT_VARIABLE output ERROR_VARIABLE errors RESULT_VARIABLE result)
  if(result EQUAL 0)
    string(REGEX MATCHALL "[A-Za-z0-9_]+" listed "${output}")
    string(REPLACE ";" "\n" lines "${listed}")
    file(WRITE "${list_file}" "${lines}\n")
  endif()
endif()
if(NOT listed)
  # A test that fails and says why, rather than nothing to run.
  add_test(${prefix}.listing ${cmake} -E echo "'${program} --list' failed: ${errors}")
  set_tests_properties(${prefix}.listing PROPERTIES LABELS wine WILL_FAIL TRUE)
endif()
foreach(name IN LISTS listed)
  add_test(${prefix}.${name} ${emulator} "${program}" ${name})
  set_tests_properties(${prefix}.${name} PROPERTIES RESOURCE_LOCK screen TIMEOUT 180 LABELS wine)
  # Names ending in _16bpp run on the 16-bit screen.
  if(name MATCHES "_16bpp$")
    set_tests_properties(${prefix}.${name} PROPERTIES ENVIRONMENT PIKURIO_SCREEN=16)
  endif()
endforeach()
