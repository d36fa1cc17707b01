// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QtGlobal>

class QByteArray;

// Whether standard input is a terminal (on Windows, a console) to ask on.
bool isTerminal();

// Prompts on standard error and reads one line typed on the terminal, with echo
// off from before the prompt until the line is read, and on again however the
// program ends or stops. Keeps at most about limit bytes of a longer line.
// One file per system implements these.
bool readHiddenLine(QByteArray *line, qsizetype limit);

// The longest line the terminal passes on whole: a line this long may have
// been cut (Linux drops what goes beyond it).
extern const qsizetype terminalLineLimit;

// After standard input failed: waits until it has data if it only had none yet
// (a non-blocking pipe or socket), and says whether to read again.
bool waitForInput();
