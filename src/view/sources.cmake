list(APPEND ORVEX_CORE_SOURCES
    src/view/hex_rows.cpp
    src/view/text_rows.cpp)
list(APPEND ORVEX_WIN_SOURCES
    src/view/row_draw_win.cpp)
