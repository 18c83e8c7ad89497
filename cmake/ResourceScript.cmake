# pkg_add_resources(TARGET RCFILE [HEADERS...]): gives a program or DLL its resource script. The
# Windows build compiles the .rc with windres into the module; the native build embeds the .rc
# and its headers into a generated source that registers them with the simulator as the
# module's resources when it loads (sim::RegisterResourceScript with plat::ThisModule()), so
# both builds make their dialogs from the same templates, each module from its own. The target
# links the platform itself.
# Scripts may include their headers as "setup/resource.h" (from the top of the tree) or beside
# themselves as "resource.h".
if(PKG_WINDOWS)
  enable_language(RC)
endif()
set(PKG_EMBED_RESOURCES_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResources.cmake)
get_filename_component(PKG_RESOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

function(pkg_add_resources target rcfile)
  get_filename_component(rc_path ${rcfile} ABSOLUTE)
  get_filename_component(rc_dir ${rc_path} DIRECTORY)
  set(headers)
  foreach(header IN LISTS ARGN)
    get_filename_component(header_path ${header} ABSOLUTE)
    list(APPEND headers ${header_path})
  endforeach()
  if(PKG_WINDOWS)
    target_sources(${target} PRIVATE ${rc_path})
    set_property(SOURCE ${rc_path} APPEND PROPERTY INCLUDE_DIRECTORIES ${rc_dir} ${PKG_RESOURCE_ROOT})
    set_property(SOURCE ${rc_path} APPEND PROPERTY OBJECT_DEPENDS ${headers})
  else()
    set(generated ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.cpp)
    set(files ${rc_path} ${headers})
    add_custom_command(
      OUTPUT ${generated}
      COMMAND ${CMAKE_COMMAND} -DOUTPUT=${generated} -DSOURCE_DIR=${PKG_RESOURCE_ROOT}
              "-DFILES=${files}" -P ${PKG_EMBED_RESOURCES_SCRIPT}
      DEPENDS ${rc_path} ${headers} ${PKG_EMBED_RESOURCES_SCRIPT}
      COMMENT "Embedding the resource script of ${target}"
      VERBATIM)
    target_sources(${target} PRIVATE ${generated})
  endif()
endfunction()
