# The warnings we hold our own code to; third-party headers come in as SYSTEM.
# They stop the build only when asked (./check and CI do): a player's or a
# packager's build must not break because the next compiler warns about more.
option(CORVANE_WERROR "Treat compiler warnings as errors" OFF)

add_library(corvane_warnings INTERFACE)
target_compile_options(corvane_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Woverloaded-virtual -Wimplicit-fallthrough)
if(CORVANE_WERROR)
  target_compile_options(corvane_warnings INTERFACE -Werror)
endif()
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 12)
  # GCC 12 at -O2 reports out-of-bounds copies inside libstdc++'s own inlined
  # vector code that cannot happen (GCC bug 107852); unoptimised builds and
  # the sanitizers check the same code for real.
  target_compile_options(corvane_warnings INTERFACE -Wno-array-bounds -Wno-stringop-overflow -Wno-stringop-overread)
  # At -O3 it also reports overlapping copies and uninitialised reads inside
  # std::string's inlined code (GCC bugs 105329 and 105651), in tests that
  # only build strings.
  target_compile_options(corvane_warnings INTERFACE
    "$<$<CONFIG:Release>:-Wno-restrict;-Wno-maybe-uninitialized>")
endif()
