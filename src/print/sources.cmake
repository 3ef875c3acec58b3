# Sources of this subsystem: ORVEX_CORE_SOURCES (portable), ORVEX_WIN_SOURCES (Win32).
list(APPEND ORVEX_CORE_SOURCES
    src/print/footer.cpp
    src/print/page_layout.cpp
    src/print/print_choices.cpp
    src/print/print_settings.cpp)
