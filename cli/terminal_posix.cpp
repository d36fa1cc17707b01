// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "terminal.h"

#include <QByteArray>

#include <csignal>
#include <cstdio>
#include <termios.h>
#include <unistd.h>

namespace {

termios savedTerminal;

void restoreTerminalAndDie(int signalNumber)
{
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

} // namespace

bool isTerminal()
{
    return isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &savedTerminal) == 0;
}

bool readHiddenLine(QByteArray *line)
{
    for (int s : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        std::signal(s, restoreTerminalAndDie);
    termios hidden = savedTerminal;
    hidden.c_lflag &= ~tcflag_t(ECHO);
    hidden.c_lflag |= ECHONL;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    std::fputs("Password: ", stderr);
    const bool ok = readInput(line, true);
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    for (int s : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        std::signal(s, SIG_DFL);
    return ok;
}
