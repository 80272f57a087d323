# The layers of src/ are libraries that include one another only downwards, and the build sees
# to it: src/ itself is no include root. Each layer's public include root lies in the build tree
# and holds, as <layer>/<header>, symbolic links to the headers that the layers above it may
# include; a target reaches a layer's headers only by linking the layer, and only those.

# Gives target the include root of layer with the headers named (relative to the calling
# folder), or every header of the folder when none are named.
function(mosaren_layer_headers target layer)
    set(headers ${ARGN})
    if(NOT headers)
        file(GLOB headers RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" CONFIGURE_DEPENDS
            "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
    endif()
    set(root "${CMAKE_BINARY_DIR}/include/${layer}")
    # Made afresh at each configuration, so that a header taken off the list is gone from it.
    file(REMOVE_RECURSE "${root}")
    file(MAKE_DIRECTORY "${root}/${layer}")
    foreach(header IN LISTS headers)
        file(CREATE_LINK "${CMAKE_CURRENT_SOURCE_DIR}/${header}" "${root}/${layer}/${header}"
            SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC "${root}")
endfunction()
