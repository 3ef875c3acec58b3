list(APPEND ORVEX_CORE_SOURCES
    src/appearance/appearance.cpp)

# The font family list shared by the screen-font dialog and the print properties.
list(APPEND ORVEX_WIN_SOURCES
    src/appearance/font_list_win.cpp)
