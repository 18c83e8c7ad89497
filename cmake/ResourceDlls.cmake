# Resource-only 32-bit DLLs made at build time from a resource script with the mingw-w64 tools
# (Debian package binutils-mingw-w64-i686), so tests on both sides read real PE files.
find_program(PKG_MINGW_WINDRES i686-w64-mingw32-windres REQUIRED)
find_program(PKG_MINGW_LD i686-w64-mingw32-ld REQUIRED)
# The host's C preprocessor reads the script, so no cross compiler is needed for it.
find_program(PKG_HOST_CPP cpp REQUIRED)

# pkg_make_resource_dll(DLL RC): compiles RC and links it alone into DLL (no code, no entry
# point, stripped), so the file's bytes depend only on the script and the tools.
function(pkg_make_resource_dll dll rc)
  get_filename_component(name ${dll} NAME)
  add_custom_command(OUTPUT ${dll}
    COMMAND ${PKG_MINGW_WINDRES} --preprocessor=${PKG_HOST_CPP} -O coff -i ${rc} -o ${dll}.res.o
    COMMAND ${PKG_MINGW_LD} --dll -e 0 -s --no-insert-timestamp -o ${dll} ${dll}.res.o
    DEPENDS ${rc}
    COMMENT "Making resource DLL ${name}"
    VERBATIM)
endfunction()
