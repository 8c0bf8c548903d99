# Link dependencies of single subsystems, kept apart from the top-level list.
target_link_libraries(gw PUBLIC z)  # zlib: PNG writing (screenshots, tool pictures, icons), PNG reading in the tests
