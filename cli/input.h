// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

class QByteArray;

enum class Input {
    Read,
    Failed,   // standard input could not be read
    TooLong,  // more than limit bytes came: reading stopped there
    MaybeCut, // a typed line as long as the terminal passes on whole: it may have been cut
};

// Reads the password's bytes from standard input. On a terminal (on Windows, a
// console): one line, after a prompt on standard error, with echo off from
// before the prompt until the line is read, and on again however the program
// ends or stops. Otherwise: all of it. Reading stops once there are more than
// limit bytes, so no input, however long or endless, costs more; the line end
// stays. One file per system implements it.
Input readPassword(QByteArray *bytes, qsizetype limit);
