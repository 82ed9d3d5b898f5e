# Warning flags for the project's own targets (not for third-party code built alongside).
option(QUORVEL_WERROR "Treat warnings as errors" OFF)

add_library(quorvel_warnings INTERFACE)
target_compile_options(quorvel_warnings INTERFACE -Wall -Wextra)
if(QUORVEL_WERROR)
  target_compile_options(quorvel_warnings INTERFACE -Werror)
endif()
