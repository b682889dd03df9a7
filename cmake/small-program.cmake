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
    $<$<COMPILE_LANGUAGE:CXX>:-Os -malign-data=abi -nostdinc++ -fno-exceptions -fno-rtti
      -fno-asynchronous-unwind-tables -ffunction-sections -fdata-sections>)
  target_compile_definitions(${target} PRIVATE $<$<COMPILE_LANGUAGE:CXX>:__USE_MINGW_ANSI_STDIO=0>)
endfunction()

# The linker's own script for these programs, with one change: the read-only
# data and the import tables lie at the end of the code's section, read-only
# too, rather than in sections of their own, as other Windows linkers can lay
# them out. The loader makes the import address table writable while it fills
# it in, as it does wherever the table lies. Two sections less are two
# paddings to a 512-byte file boundary less. With no .idata section the
# linker takes the import directories from symbols named after the tables'
# parts, read as addresses relative to the image base: they are set here.
execute_process(COMMAND ${CMAKE_LINKER} --verbose OUTPUT_VARIABLE PIKURIO_LD_VERBOSE
                RESULT_VARIABLE PIKURIO_LD_RESULT)
string(REGEX MATCH "\n=+\n(.*)\n=+" PIKURIO_LD_FOUND "${PIKURIO_LD_VERBOSE}")
set(PIKURIO_LD_SCRIPT "${CMAKE_MATCH_1}")
# The two sections' statements; the symbols after them stay where they are.
string(REGEX MATCH "\n  \\.rdata BLOCK\\(__section_alignment__\\) :\n  {\n([^}]*)\n  }\n"
       PIKURIO_LD_RDATA "${PIKURIO_LD_SCRIPT}")
set(PIKURIO_LD_READONLY "${CMAKE_MATCH_1}")
string(REGEX MATCH "\n  \\.idata BLOCK\\(__section_alignment__\\) :\n  {\n([^}]*)\n  }\n"
       PIKURIO_LD_IDATA "${PIKURIO_LD_SCRIPT}")
set(PIKURIO_LD_IMPORTS "${CMAKE_MATCH_1}")
set(PIKURIO_LD_CODE_END "KEEP (*(.gcc_except_table))\n  }\n")
string(FIND "${PIKURIO_LD_SCRIPT}" "${PIKURIO_LD_CODE_END}" PIKURIO_LD_CODE_FOUND)
if(NOT PIKURIO_LD_RESULT EQUAL 0 OR NOT PIKURIO_LD_RDATA OR NOT PIKURIO_LD_IDATA
   OR PIKURIO_LD_CODE_FOUND EQUAL -1)
  message(FATAL_ERROR "${CMAKE_LINKER} --verbose: no default script with .text, .rdata and .idata")
endif()
string(REGEX REPLACE "\n( *)((KEEP \\()?SORT\\(\\*\\)\\(\\.idata\\$([2456])\\))"
       "\n\\1\".idata$\\4\" = ABSOLUTE(.) - __image_base__;\n\\1\\2"
       PIKURIO_LD_IMPORTS "${PIKURIO_LD_IMPORTS}")
string(REPLACE "${PIKURIO_LD_RDATA}" "\n" PIKURIO_LD_SCRIPT "${PIKURIO_LD_SCRIPT}")
string(REPLACE "${PIKURIO_LD_IDATA}" "\n" PIKURIO_LD_SCRIPT "${PIKURIO_LD_SCRIPT}")
string(REPLACE "${PIKURIO_LD_CODE_END}"
       "KEEP (*(.gcc_except_table))\n${PIKURIO_LD_READONLY}\n    . = ALIGN(4);\n${PIKURIO_LD_IMPORTS}\n  }\n"
       PIKURIO_LD_SCRIPT "${PIKURIO_LD_SCRIPT}")
file(WRITE ${CMAKE_BINARY_DIR}/small-program.ld "${PIKURIO_LD_SCRIPT}\n")

# A dialog program: small code, unreferenced sections dropped, stripped, laid
# out by the script above.
function(pikurio_small_program target)
  pikurio_small_code(${target})
  target_link_options(${target} PRIVATE -s -nostartfiles -Wl,--gc-sections
                      -Wl,-T,${CMAKE_BINARY_DIR}/small-program.ld)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/small-program.ld)
endfunction()
