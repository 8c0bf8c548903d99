# Link dependencies of single subsystems, kept apart from the top-level list.
target_link_libraries(gw PUBLIC z)  # zlib: PNG writing of gw-view, PNG reading in its tests
