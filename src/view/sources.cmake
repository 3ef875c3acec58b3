list(APPEND ORVEX_CORE_SOURCES
    src/view/hex_rows.cpp
    src/view/text_rows.cpp
    src/view/view_modes.cpp
    src/view/view_nav.cpp
    src/view/wheel.cpp)
list(APPEND ORVEX_WIN_SOURCES
    src/view/row_draw_win.cpp
    src/view/nav_dialogs_win.cpp
    src/view/view_modes_win.cpp
    src/view/view_window_win.cpp)
