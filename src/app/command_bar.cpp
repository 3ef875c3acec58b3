#include "app/command_bar.h"

#include <cstring>

#include "document/document.h"
#include "document/text_number.h"
#include "view/view_modes.h"
#include "view/view_nav.h"

char CmdBuf[CmdMax + 1] = "";
int16_t CmdLen = 0;
int16_t CmdPos = 0;
char LastCmd[CmdMax + 1] = "";

bool CmdInsert(char c) {
    if (CmdLen >= CmdMax) return false;
    std::memmove(CmdBuf + CmdPos + 1, CmdBuf + CmdPos, static_cast<size_t>(CmdLen - CmdPos));
    CmdBuf[CmdPos] = c;
    ++CmdPos;
    CmdBuf[++CmdLen] = '\0';
    return true;
}

bool CmdEdit(unsigned key) {
    const int16_t pos = CmdPos;
    switch (key) {
    case CmdKeyBack:
        if (CmdPos == 0) return false;
        --CmdPos;
        [[fallthrough]];
    case CmdKeyDelete:
        if (CmdPos == CmdLen) return false;
        std::memmove(CmdBuf + CmdPos, CmdBuf + CmdPos + 1, static_cast<size_t>(CmdLen - CmdPos));
        --CmdLen;
        return true;
    case CmdKeyHome: CmdPos = 0; break;
    case CmdKeyEnd: CmdPos = CmdLen; break;
    case CmdKeyLeft:
        if (CmdPos > 0) --CmdPos;
        break;
    case CmdKeyRight:
        if (CmdPos < CmdLen) ++CmdPos;
        break;
    default: return false;
    }
    return CmdPos != pos;
}

bool CmdErase() {
    const bool had = CmdLen != 0;
    CmdBuf[0] = '\0';
    CmdLen = CmdPos = 0;
    return had;
}

void RunCommand(const char* cmd) {
    if (!cmd[0]) return;
    if (ShowMode == _TEXT_) {
        if (cmd[0] == 'C' || cmd[0] == 'c') {
            const char* number = cmd[1] == ' ' ? cmd + 2 : cmd + 1;
            Col = ClampCol(static_cast<int32_t>(ParseDec(number)));
            return;
        }
        int64_t line;
        if (cmd[0] == '+')
            line = static_cast<int64_t>(LineNum) + static_cast<int32_t>(ParseDec(cmd + 1));
        else if (cmd[0] == '-')
            line = static_cast<int64_t>(LineNum) - static_cast<int32_t>(ParseDec(cmd + 1));
        else
            line = static_cast<int32_t>(ParseDec(cmd));
        LineNum = ClampLineNum(line);
        return;
    }
    int64_t byte;
    if (cmd[0] == '+')
        byte = static_cast<int64_t>(ByteNum) + static_cast<int32_t>(ParseHex(cmd + 1));
    else if (cmd[0] == '-')
        byte = static_cast<int64_t>(ByteNum) - static_cast<int32_t>(ParseHex(cmd + 1));
    else
        byte = PositionOfAddress(ParseHex(cmd));
    ByteNum = ClampByteNum(byte);
}

bool ExecuteCmd() {
    if (CmdLen == 0) return false;
    RunCommand(CmdBuf);
    std::memcpy(LastCmd, CmdBuf, sizeof LastCmd);
    CmdErase();
    return true;
}

bool RepeatCmd() {
    if (!LastCmd[0]) return false;
    std::memcpy(CmdBuf, LastCmd, sizeof CmdBuf);
    CmdLen = CmdPos = static_cast<int16_t>(std::strlen(CmdBuf));
    return ExecuteCmd();
}
