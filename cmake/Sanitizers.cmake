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

# lumivu_add_layer(NAME <target> TYPE SHARED|STATIC OUTPUT <name> DIRS ...)
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
