// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "input.h"

#include <QByteArray>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

// Linux's canonical-mode line holds 4095 bytes and silently drops what is typed
// or pasted beyond them.
constexpr qsizetype terminalLineLimit = 4095;

volatile sig_atomic_t received;

void receive(int signalNumber)
{
    received = signalNumber;
}

// Every signal whose default action ends or stops the program, except those
// the program cannot catch. Those the caller ignores or handles stay as they are.
bool endsOrStops(int s)
{
    return s != SIGKILL && s != SIGSTOP && s != SIGCHLD && s != SIGCONT && s != SIGURG && s != SIGWINCH;
}

struct sigaction previous[NSIG];
sigset_t caught;

void catchSignals()
{
    struct sigaction action = {};
    action.sa_handler = receive;
    // Reset after one, so that a real fault cannot repeat for ever.
    action.sa_flags = SA_RESETHAND;
    sigfillset(&action.sa_mask);
    sigemptyset(&caught);
    for (int s = 1; s < NSIG; ++s) {
        if (endsOrStops(s) && sigaction(s, nullptr, &previous[s]) == 0 && previous[s].sa_handler == SIG_DFL
            && sigaction(s, &action, nullptr) == 0)
            sigaddset(&caught, s);
    }
}

void releaseSignals()
{
    for (int s = 1; s < NSIG; ++s) {
        if (sigismember(&caught, s) == 1)
            sigaction(s, &previous[s], nullptr);
    }
}

// One typed line, with the caught signals blocked but while it waits, so that
// none can come between the look at the flag and the wait, and be missed until
// Enter. In canonical mode input is ready once a whole line is, and a read
// returns at most one.
bool readLine(QByteArray *line, qsizetype limit, const sigset_t &waiting)
{
    char buffer[4096];
    while (!received && !line->endsWith('\n') && line->size() <= limit) {
        pollfd input = {STDIN_FILENO, POLLIN, 0};
        if (ppoll(&input, 1, nullptr, &waiting) < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        const ssize_t n = read(STDIN_FILENO, buffer, sizeof buffer);
        if (n <= 0)
            return n == 0;
        line->append(buffer, n);
    }
    return true;
}

bool isTerminal()
{
    termios mode;
    return isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &mode) == 0;
}

// As the best password prompts do: a signal is only noted while the line is
// read; then the terminal is restored and the signal sent again, now with its
// usual action. If that stopped the program (Ctrl+Z), it asks again once it is
// continued, since the shell may have turned echo on meanwhile.
bool readHiddenLine(QByteArray *line, qsizetype limit)
{
    for (;;) {
        received = 0;
        line->clear();
        catchSignals();
        termios saved = {}, hidden;
        bool ok = tcgetattr(STDIN_FILENO, &saved) == 0;
        hidden = saved;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        hidden.c_lflag |= ECHONL;
        // Nothing is read unless echo is off (a background job is stopped here
        // until it is in the foreground).
        ok = ok && tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden) == 0;
        if (ok)
            std::fputs("Password: ", stderr);
        sigset_t waiting;
        sigprocmask(SIG_BLOCK, &caught, &waiting);
        if (ok) {
            ok = readLine(line, limit, waiting);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        }
        sigprocmask(SIG_SETMASK, &waiting, nullptr); // what came meanwhile is noted now
        releaseSignals();
        if (!received)
            return ok;
        std::fputs("\n", stderr);
        kill(getpid(), received);
    }
}

// C stdio rather than QFile, whose read of a pipe ended in an error under wine.
bool readAll(QByteArray *bytes, qsizetype limit)
{
    char buffer[16384];
    while (bytes->size() <= limit) {
        bytes->append(buffer, qsizetype(std::fread(buffer, 1, sizeof buffer, stdin)));
        if (std::feof(stdin))
            return true;
        // A non-blocking pipe or socket that has no data yet is waited for.
        pollfd input = {STDIN_FILENO, POLLIN, 0};
        if (std::ferror(stdin) && !((errno == EAGAIN || errno == EWOULDBLOCK) && poll(&input, 1, -1) == 1))
            return false;
        std::clearerr(stdin);
    }
    return true;
}

} // namespace

Input readPassword(QByteArray *bytes, qsizetype limit)
{
    const bool terminal = isTerminal();
    if (!(terminal ? readHiddenLine(bytes, limit) : readAll(bytes, limit)))
        return Input::Failed;
    if (bytes->size() > limit)
        return Input::TooLong;
    const qsizetype lineEnd = bytes->endsWith("\r\n") ? 2 : bytes->endsWith('\n') ? 1 : 0;
    return terminal && bytes->size() - lineEnd >= terminalLineLimit ? Input::MaybeCut : Input::Read;
}
