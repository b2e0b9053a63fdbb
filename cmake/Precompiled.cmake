# Precompiled headers for our targets (see Precompiled.h). Off for a check
# that every source includes what it uses: -DTICKERDECK_PCH=OFF.
option(TICKERDECK_PCH "Precompile the headers every source includes" ON)

# tickerdeck_precompile(TARGET [TESTS]): TESTS adds the test framework.
function(tickerdeck_precompile target)
  if(NOT TICKERDECK_PCH)
    return()
  endif()
  cmake_parse_arguments(PCH "TESTS" "" "" ${ARGN})
  target_precompile_headers(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/Precompiled.h)
  if(PCH_TESTS)
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <gmock/gmock.h>)
  endif()
endfunction()
