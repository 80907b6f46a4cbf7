# Parts of the build that need a package the programs do not: the tests (GoogleTest) and the
# benchmarks (Google Benchmark).

# korvan_find_part(OPTION PACKAGE DESCRIPTION STATE): OPTION is AUTO, ON or OFF. AUTO builds the
# part when PACKAGE is found, ON requires it. STATE receives what the configure line says of it:
# "on", "on (... found)", "off" or "off (... not found)".
function(korvan_find_part option package description state)
  string(TOUPPER "${${option}}" choice)
  if(choice STREQUAL "AUTO")
    find_package(${package} QUIET)
    if(${package}_FOUND)
      set(${state} "on (${description} found)" PARENT_SCOPE)
    else()
      set(${state} "off (${description} not found)" PARENT_SCOPE)
    endif()
  elseif(${option})
    find_package(${package} REQUIRED)
    set(${state} "on" PARENT_SCOPE)
  else()
    set(${state} "off" PARENT_SCOPE)
  endif()
endfunction()
