// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

#ifdef Q_OS_UNIX
// SIGINT, SIGTERM and SIGHUP end the event loop rather than the process, so that
// the toolkit's teardown runs: on X11 that is what hands the copied password
// string to the clipboard manager. The loop's result is then 128 + the signal's
// number, as a shell reports a program that a signal ended. A second signal
// ends the program at once. Call once the application object exists.
void quitOnTerminationSignals();
#else
// Windows ends a console program without a signal the toolkit could wait for;
// there the copied text is put on the clipboard for good when it is copied.
inline void quitOnTerminationSignals() {}
#endif
