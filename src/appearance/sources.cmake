list(APPEND ORVEX_CORE_SOURCES
    src/appearance/appearance.cpp
    src/appearance/font_sizes.cpp)

# The font family list shared by the screen-font dialog and the print properties.
list(APPEND ORVEX_WIN_SOURCES
    src/appearance/font_list_win.cpp)

# The screen-font dialog and the colour commands.
list(APPEND ORVEX_WIN_SOURCES
    src/appearance/appearance_win.cpp)
