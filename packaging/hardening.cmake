# Debian's hardening of a Release build: stack protector, _FORTIFY_SOURCE, format-string
# checks, full RELRO with immediate binding (-z now) and position-independent executables.
# The flags come from dpkg-buildflags where it is installed, so they follow Debian's choice
# for the machine; elsewhere from the same list written out. Sanitizer and fuzz builds keep
# their own flags.
option(SANXING_HARDENING "Build Release with Debian's hardening flags" ON)
if(NOT SANXING_HARDENING OR NOT CMAKE_BUILD_TYPE STREQUAL "Release" OR SANXING_SANITIZE OR SANXING_FUZZ)
  return()
endif()

set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(DPKG_BUILDFLAGS)
  set(hardening_compile_flags)
  set(hardening_link_flags)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                            ${DPKG_BUILDFLAGS} --get ${kind}
                    OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    # Debug information, optimisation and path mapping stay the build type's own.
    list(FILTER flags EXCLUDE REGEX "^-(g.*|O.*|f(file|debug|macro)-prefix-map=.*)$")
    if(kind STREQUAL "LDFLAGS")
      list(APPEND hardening_link_flags ${flags})
    else()
      list(APPEND hardening_compile_flags ${flags})
    endif()
  endforeach()
else()
  set(hardening_compile_flags -D_FORTIFY_SOURCE=2 -fstack-protector-strong -Wformat -Werror=format-security)
  set(hardening_link_flags -Wl,-z,relro -Wl,-z,now)
endif()
add_compile_options(${hardening_compile_flags})
add_link_options(${hardening_link_flags})
message(STATUS "Hardening: ${hardening_compile_flags} ${hardening_link_flags}")
