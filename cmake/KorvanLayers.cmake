# Each layer of the core sees only its own headers and those of the layers it links, so that the
# compiler itself refuses an include that points up a layer or across to a sibling.
#
# korvan_layer_headers(TARGET FOLDER) gives TARGET, as a PUBLIC include path, a folder that holds
# only FOLDER's headers: <build>/layers/FOLDER/FOLDER/*.h, each a link to its source. A library
# linking TARGET inherits that path, and nothing else of the source tree: render, which links map,
# finds "map/MapGrid.h" but neither "edit/Editor.h" nor <edit/Editor.h>. The links are files, not
# one link to the folder, so that "../edit/Editor.h" in a header climbs within <build>/layers and
# finds nothing there either.
function(korvan_layer_headers target folder)
  set(view ${CMAKE_BINARY_DIR}/layers/${folder})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view}/${folder})
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.h)
  foreach(header ${headers})
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${view}/${folder}/${name} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${view})
endfunction()
