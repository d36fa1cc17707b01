// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

class QDialog;

// Builds the "Proxy Password" window into an empty dialog: the input and output
// rows, "Convert" and "Copy Output" with their actions, and the first size.
// main() and the tests both use it, so the tests drive the window users see.
void buildPasswordDialog(QDialog &dialog);
