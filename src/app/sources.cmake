# Sources of this subsystem: ORVEX_CORE_SOURCES (portable), ORVEX_WIN_SOURCES (Win32).
# Find and the text of the marked area.
list(APPEND ORVEX_CORE_SOURCES
    src/app/block_text.cpp
    src/app/search.cpp)
