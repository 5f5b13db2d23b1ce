# Installs the calendar core as a library: the static library, its public headers under
# include/tavomerix/, a CMake package (find_package(Tavomerix) gives Tavomerix::core) and a
# pkg-config file.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(TAVOMERIX_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Tavomerix)

install(TARGETS tavomerix_core EXPORT TavomerixTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})

# Public headers: every header of the core layers but the engine's internals, which only
# the core's sources read: the generated coefficient tables, the series and the historical
# reckoning behind astro/solar_terms.h, and a text helper of the day information.
set(internal_headers astro/fast_longitudes.h astro/historical_reckoning.h astro/lunar_position.h
  astro/solar_position.h dayinfo/trim_text.h)
set(internal_pattern "(_tables|_corrections)\\.h$")
set(public_headers ${CMAKE_SOURCE_DIR}/src/tavomerix.h)
foreach(layer ${CORE_LAYERS})
  file(GLOB headers RELATIVE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/src/${layer}/*.h)
  list(FILTER headers EXCLUDE REGEX ${internal_pattern})
  list(REMOVE_ITEM headers ${internal_headers})
  list(TRANSFORM headers PREPEND ${CMAKE_SOURCE_DIR}/src/)
  list(APPEND public_headers ${headers})
  install(FILES ${headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tavomerix/${layer})
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/src/tavomerix.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/tavomerix)
# An installed header that includes an internal one would not compile in the install.
foreach(header ${public_headers})
  file(STRINGS ${header} includes REGEX "^#include \"")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" included "${line}")
    if(included IN_LIST internal_headers OR included MATCHES ${internal_pattern})
      message(FATAL_ERROR "${header} is installed but includes the internal ${included}")
    endif()
  endforeach()
endforeach()

install(EXPORT TavomerixTargets NAMESPACE Tavomerix:: DESTINATION ${TAVOMERIX_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/TavomerixConfig.cmake.in
  ${CMAKE_BINARY_DIR}/TavomerixConfig.cmake INSTALL_DESTINATION ${TAVOMERIX_CMAKE_DIR})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/TavomerixConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/TavomerixConfig.cmake
  ${CMAKE_BINARY_DIR}/TavomerixConfigVersion.cmake DESTINATION ${TAVOMERIX_CMAKE_DIR})

# The pkg-config file finds the prefix from its own place, so the install can be moved.
file(RELATIVE_PATH TAVOMERIX_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
configure_file(${CMAKE_SOURCE_DIR}/cmake/tavomerix.pc.in ${CMAKE_BINARY_DIR}/tavomerix.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/tavomerix.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
