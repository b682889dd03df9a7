# How the shipped program and the programs it is measured against are compiled
# and linked, for either Windows target: small code, and nothing from the C
# runtime that the program does not call.

# The product's own sources are C-style. Built without the C++ library headers
# (whose <stdlib.h> wrapper would switch printf back to MinGW's own) they call
# msvcrt's snprintf and leave MinGW's formatter out. They throw nothing and ask
# no types, so no unwind tables or type information; each function and datum
# in a section of its own, so that the linker drops what nothing calls.
function(pikurio_small_code target)
  target_compile_options(${target} PRIVATE
    $<$<COMPILE_LANGUAGE:CXX>:-Os -nostdinc++ -fno-exceptions -fno-rtti
      -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections>)
  target_compile_definitions(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:__USE_MINGW_ANSI_STDIO=0>)
endfunction()

# A dialog program: small code, unreferenced sections dropped, stripped.
function(pikurio_small_program target)
  pikurio_small_code(${target})
  target_link_options(${target} PRIVATE -s -nostartfiles -Wl,--gc-sections)
endfunction()
