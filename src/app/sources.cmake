# Sources of this subsystem: ORVEX_CORE_SOURCES (portable), ORVEX_WIN_SOURCES (Win32).
list(APPEND ORVEX_CORE_SOURCES
    src/app/command_bar.cpp
    src/app/command_line.cpp
    src/app/find.cpp
    src/app/help_text.cpp
    src/app/layout.cpp
    src/app/recent_files.cpp
    src/app/settings.cpp)
list(APPEND ORVEX_WIN_SOURCES
    src/app/command_bar_win.cpp
    src/app/commands_win.cpp
    src/app/file_open_win.cpp
    src/app/main_frame_win.cpp
    src/app/message_loop_win.cpp
    src/app/settings_win.cpp
    src/app/help_win.cpp
    src/app/wheel_win.cpp)

# Find and the text of the marked area.
list(APPEND ORVEX_CORE_SOURCES
    src/app/block_text.cpp
    src/app/search.cpp)

# Showing the mark; the find commands, copy and export in the window.
list(APPEND ORVEX_CORE_SOURCES
    src/app/show_mark.cpp)
list(APPEND ORVEX_WIN_SOURCES
    src/app/copy_export_win.cpp
    src/app/find_win.cpp)
