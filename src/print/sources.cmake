# Sources of this subsystem: ORVEX_CORE_SOURCES (portable), ORVEX_WIN_SOURCES (Win32).
list(APPEND ORVEX_CORE_SOURCES
    src/print/footer.cpp
    src/print/page_layout.cpp
    src/print/print_choices.cpp
    src/print/print_settings.cpp)
list(APPEND ORVEX_WIN_SOURCES
    src/print/footer_dialog_win.cpp
    src/print/format_dialog_win.cpp
    src/print/page_draw_win.cpp
    src/print/preview_win.cpp)
