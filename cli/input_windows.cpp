// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "input.h"
#include "passwordstring.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <vector>
#include <windows.h>

namespace {

HANDLE console;
DWORD savedMode;

BOOL WINAPI restoreConsole(DWORD)
{
    SetConsoleMode(console, savedMode);
    return FALSE; // and let Windows end the program as usual
}

bool isTerminal()
{
    console = GetStdHandle(STD_INPUT_HANDLE);
    return GetConsoleMode(console, &savedMode);
}

// ReadConsoleW, since the console's own code page need not be UTF-8.
bool readHiddenLine(QByteArray *line, qsizetype limit)
{
    SetConsoleCtrlHandler(restoreConsole, TRUE);
    SetConsoleMode(console, savedMode & ~DWORD(ENABLE_ECHO_INPUT));
    std::fputs("Password: ", stderr);
    QString text;
    // The console's line editor takes no more characters than the read's buffer
    // holds (reported of conhost; newer consoles hand a longer line over in parts).
    // Room for one more than the longest password and the CR LF: a line cut there
    // is refused as too long, never taken for a shorter password.
    std::vector<wchar_t> buffer(maxPasswordLength + 1 + 2);
    DWORD n = 0;
    bool ok;
    // The whole line is read even past the limit: what is left in the console
    // would reach the shell as a command.
    SetLastError(ERROR_SUCCESS);
    while ((ok = ReadConsoleW(console, buffer.data(), DWORD(buffer.size()), &n, nullptr)) && n > 0) {
        const QString part = QString::fromWCharArray(buffer.data(), int(n));
        if (text.size() <= limit)
            text += part;
        if (part.endsWith(u'\n'))
            break;
    }
    // Ctrl+C or Ctrl+Break ends the read with nothing while the control handler
    // ends the program on another thread: no empty password, and no message.
    const bool interrupted = n == 0 && GetLastError() == ERROR_OPERATION_ABORTED;
    SetConsoleMode(console, savedMode);
    SetConsoleCtrlHandler(restoreConsole, FALSE);
    if (interrupted)
        ExitProcess(STATUS_CONTROL_C_EXIT); // as Windows ends a program on Ctrl+C
    std::fputs("\n", stderr);
    *line = text.toUtf8();
    return ok;
}

// Standard input on Windows does not fail for want of data, and is binary (main).
bool readAll(QByteArray *bytes, qsizetype limit)
{
    char buffer[16384];
    size_t n;
    while (bytes->size() <= limit && (n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes->append(buffer, qsizetype(n));
    return !std::ferror(stdin);
}

} // namespace

Input readPassword(QByteArray *bytes, qsizetype limit)
{
    if (!(isTerminal() ? readHiddenLine(bytes, limit) : readAll(bytes, limit)))
        return Input::Failed;
    return bytes->size() > limit ? Input::TooLong : Input::Read;
}
