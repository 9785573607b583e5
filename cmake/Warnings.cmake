# Every target of the project compiles warning-free with these.
add_compile_options(-Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # GCC 12 reports false positives inside the standard library at -O2.
  add_compile_options(-Wno-maybe-uninitialized -Wno-stringop-overflow -Wno-array-bounds)
endif()
