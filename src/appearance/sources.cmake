list(APPEND ORVEX_CORE_SOURCES
    src/appearance/appearance.cpp)
