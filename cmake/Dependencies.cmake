# Link dependencies of single subsystems, kept apart from the top-level list.
