if(LUMIVU_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
  if(LUMIVU_FUZZ)
    # Coverage for libFuzzer in every library the harnesses reach; the
    # libFuzzer runtime itself is linked into the harnesses only.
    add_compile_options(-fsanitize=fuzzer-no-link)
  endif()
endif()

# Sources are globbed per layer folder so that each class pair added to a
# folder is picked up without editing lists elsewhere.
function(lumivu_glob_sources out)
  set(_all)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE _s CONFIGURE_DEPENDS
      ${dir}/*.cpp ${dir}/*.h ${dir}/*.c ${dir}/*.qrc ${dir}/*.ui)
    list(APPEND _all ${_s})
  endforeach()
  set(${out} ${_all} PARENT_SCOPE)
endfunction()

# With globbed sources, a new header holding Q_OBJECT does not by itself make
# AUTOMOC run again: its rule reruns only when a file it already knew
# changes. When the configure step sees a different source list, it removes
# the rule's output so that the next build runs AUTOMOC again.
function(lumivu_autogen_stamp target)
  get_target_property(_srcs ${target} SOURCES)
  set(_stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.stamp)
  string(REPLACE ";" "\n" _text "${_srcs}")
  set(_old "")
  if(EXISTS ${_stamp})
    file(READ ${_stamp} _old)
  endif()
  if(NOT _old STREQUAL _text)
    file(WRITE ${_stamp} "${_text}")
    file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
  endif()
endfunction()
