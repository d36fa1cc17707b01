// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "termination.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const int terminationSignals[] = {SIGINT, SIGTERM, SIGHUP};
volatile sig_atomic_t received;
int wakeUp[2]; // the handler writes, the event loop reads: the toolkit's pattern

void receive(int signalNumber)
{
    const int savedErrno = errno;
    received = signalNumber;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakeUp[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

void quitOnTerminationSignals()
{
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, wakeUp) != 0)
        return; // then they end the program as they always did
    auto *notifier = new QSocketNotifier(wakeUp[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [notifier] {
        notifier->setEnabled(false);
        QCoreApplication::exit(128 + received);
    });

    struct sigaction action = {};
    action.sa_handler = receive;
    // One signal asks for the orderly end; the next one, should that hang, is not caught.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (int s : terminationSignals) {
        struct sigaction previous;
        // One that was ignored when the program started (nohup, a background job) stays ignored.
        if (sigaction(s, nullptr, &previous) == 0 && previous.sa_handler == SIG_DFL)
            sigaction(s, &action, nullptr);
    }
}
