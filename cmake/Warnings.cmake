# One interface target that carries the project's warning flags.
add_library(fifteen_warnings INTERFACE)
target_compile_options(fifteen_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion
  $<$<BOOL:${FIFTEEN_WERROR}>:-Werror>)
