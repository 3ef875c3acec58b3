// The typed command bar: the command text edited key by key, and its
// execution as a move to a line, a column or a byte.
#pragma once
#include <cstdint>

constexpr int16_t CmdMax = 256;
extern char CmdBuf[CmdMax + 1];
extern int16_t CmdLen;
extern int16_t CmdPos;  // where the next character goes
extern char LastCmd[CmdMax + 1];

// The editing keys (virtual key codes) besides typed characters.
constexpr unsigned CmdKeyBack = 0x08, CmdKeyEnd = 0x23, CmdKeyHome = 0x24, CmdKeyLeft = 0x25,
                   CmdKeyRight = 0x27, CmdKeyDelete = 0x2E;

// Inserts a typed character at CmdPos; false when the text is full.
bool CmdInsert(char c);
// An editing key; true when the text or CmdPos changed.
bool CmdEdit(unsigned key);
// Ctrl+E: empties the text; true when it held something.
bool CmdErase();
// Runs `cmd` on the view position by the grammar of ShowMode.
void RunCommand(const char* cmd);
// Enter: runs CmdBuf, keeps it as LastCmd and empties it; false when it was
// empty.
bool ExecuteCmd();
// Repeat: runs LastCmd again; false when nothing was run yet.
bool RepeatCmd();
