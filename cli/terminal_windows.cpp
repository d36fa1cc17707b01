// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "terminal.h"

#include <QByteArray>
#include <QString>

#include <cstdio>
#include <windows.h>

namespace {

HANDLE console;
DWORD savedMode;

BOOL WINAPI restoreConsole(DWORD)
{
    SetConsoleMode(console, savedMode);
    return FALSE; // and let Windows end the program as usual
}

} // namespace

bool isTerminal()
{
    console = GetStdHandle(STD_INPUT_HANDLE);
    return GetConsoleMode(console, &savedMode);
}

// ReadConsoleW, since the console's own code page need not be UTF-8.
bool readHiddenLine(QByteArray *line)
{
    SetConsoleCtrlHandler(restoreConsole, TRUE);
    SetConsoleMode(console, savedMode & ~DWORD(ENABLE_ECHO_INPUT));
    std::fputs("Password: ", stderr);
    QString text;
    wchar_t buffer[256];
    DWORD n = 0;
    bool ok;
    while ((ok = ReadConsoleW(console, buffer, 256, &n, nullptr)) && n > 0) {
        text += QString::fromWCharArray(buffer, int(n));
        if (text.endsWith(u'\n'))
            break;
    }
    SetConsoleMode(console, savedMode);
    SetConsoleCtrlHandler(restoreConsole, FALSE);
    std::fputs("\n", stderr);
    *line = text.toUtf8();
    return ok;
}
