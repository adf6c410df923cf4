# Warnings every target of the suite is built with.
add_library(norva_warnings INTERFACE)
target_compile_options(norva_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
  -Wnon-virtual-dtor -Woverloaded-virtual -Wimplicit-fallthrough)
