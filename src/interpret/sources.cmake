# Sources of this subsystem: ORVEX_CORE_SOURCES (portable), ORVEX_WIN_SOURCES (Win32).
list(APPEND ORVEX_CORE_SOURCES
    src/interpret/file_readers.cpp
    src/interpret/image_check.cpp
    src/interpret/image_pane.cpp
    src/interpret/image_table.cpp
    src/interpret/interp_tree.cpp
    src/interpret/listings.cpp
    src/interpret/resource_files.cpp
    src/interpret/selection.cpp)
list(APPEND ORVEX_WIN_SOURCES
    src/interpret/image_window_win.cpp
    src/interpret/resource_export_win.cpp
    src/interpret/tree_view_win.cpp)
