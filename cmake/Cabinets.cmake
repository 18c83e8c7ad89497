# Cabinets made at build time with gcab (Debian package gcab) from stand-in files kept in the
# repository, and cabinets embedded as bytes in a program.
find_program(PKG_GCAB gcab REQUIRED)

# pkg_make_cabinet(CABINET SOURCE_DIR): writes CABINET (MSZIP-compressed) from the files of
# SOURCE_DIR in name order, each stored under its bare name and dated 2009-07-14 01:02:04, so
# the cabinet's records do not depend on when or where it was built. Returns the path in
# PKG_CABINET_OUTPUTS (appended) for a target to depend on.
function(pkg_make_cabinet cabinet source_dir)
  file(GLOB files LIST_DIRECTORIES false CONFIGURE_DEPENDS ${source_dir}/*)
  list(SORT files)
  get_filename_component(name ${cabinet} NAME)
  get_filename_component(dir ${cabinet} DIRECTORY)
  set(staging ${dir}/${name}.files)
  set(staged "")
  foreach(file IN LISTS files)
    get_filename_component(base ${file} NAME)
    list(APPEND staged ${staging}/${base})
  endforeach()
  add_custom_command(OUTPUT ${cabinet}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${staging}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${staging}
    COMMAND ${CMAKE_COMMAND} -E copy ${files} ${staging}
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC touch -d "2009-07-14 01:02:04" ${staged}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${cabinet}
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${PKG_GCAB} --create --nopath --zip ${cabinet} ${staged}
    DEPENDS ${files}
    COMMENT "Making cabinet ${name}"
    VERBATIM)
  set(PKG_CABINET_OUTPUTS ${PKG_CABINET_OUTPUTS} ${cabinet} PARENT_SCOPE)
endfunction()

# pkg_embed_bytes(SOURCE FILE SYMBOL): writes SOURCE, a C++ source defining
# `extern const unsigned char SYMBOL[]` with FILE's bytes and `extern const unsigned SYMBOL_size`.
function(pkg_embed_bytes source file symbol)
  add_custom_command(OUTPUT ${source}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${file} -DOUTPUT=${source} -DSYMBOL=${symbol}
            -P ${CMAKE_SOURCE_DIR}/cmake/EmbedBytes.cmake
    DEPENDS ${file} ${CMAKE_SOURCE_DIR}/cmake/EmbedBytes.cmake
    VERBATIM)
endfunction()
