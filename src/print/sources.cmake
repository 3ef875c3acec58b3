# Sources of this subsystem: ORVEX_CORE_SOURCES (portable), ORVEX_WIN_SOURCES (Win32).
