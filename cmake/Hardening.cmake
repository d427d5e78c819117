# Debian's hardening flags for both programs and everything linked into them,
# as dpkg-buildflags gives them with every hardening feature on: fortified
# functions, a stack protector, full RELRO with immediate binding. Where the
# tool is not installed (a build only to play), the compiler's defaults stand.
# A sanitizer build keeps its own instrumentation instead.
find_program(FIFTEEN_DPKG_BUILDFLAGS dpkg-buildflags)
if(FIFTEEN_DPKG_BUILDFLAGS AND NOT FIFTEEN_SANITIZE)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${FIFTEEN_DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE failed)
    if(failed)
      message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
    endif()
    separate_arguments(flags UNIX_COMMAND "${flags}")
    if(kind STREQUAL "LDFLAGS")
      add_link_options(${flags})
    else()
      add_compile_options(${flags})
    endif()
  endforeach()
endif()
