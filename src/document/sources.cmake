list(APPEND ORVEX_CORE_SOURCES
    src/document/document.cpp
    src/document/file_load.cpp
    src/document/line_index.cpp
    src/document/text_number.cpp)
list(APPEND ORVEX_WIN_SOURCES
    src/document/file_load_win.cpp)
