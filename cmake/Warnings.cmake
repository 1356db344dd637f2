# Compiler flags shared by every target of the project, set through one interface target.
add_library(mouldview_flags INTERFACE)

target_compile_options(mouldview_flags INTERFACE
    # The usual set: catches unused values, missing returns and shadowed names.
    -Wall -Wextra
    # Keeps the code to standard C++ so it builds the same with GCC and Clang.
    -Wpedantic
    # Narrowing conversions matter here: model values are rounded to float on purpose and
    # nowhere else, and pixel coordinates are 32-bit; every other narrowing must be explicit.
    -Wconversion)

if(MOULDVIEW_WERROR)
  target_compile_options(mouldview_flags INTERFACE -Werror)
endif()

if(MOULDVIEW_SANITIZE)
  target_compile_options(mouldview_flags INTERFACE
      -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(mouldview_flags INTERFACE -fsanitize=address,undefined)
endif()
