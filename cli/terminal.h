// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

class QByteArray;

// Standard input to its end, or through its first line end (main.cpp).
bool readInput(QByteArray *bytes, bool oneLine = false);

// Whether standard input is a terminal (on Windows, a console) to ask on.
bool isTerminal();

// Prompts on standard error and reads one line typed on the terminal, with echo
// off from before the prompt until the line is read, and on again however the
// program ends. One file per system implements these two.
bool readHiddenLine(QByteArray *line);
