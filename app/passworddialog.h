#pragma once

#include "passwordstring.h"

class QDialog;

using PasswordEncoder = QString (*)(const QString &password);

// Builds the "Proxy Password" window into an empty dialog: the input and output
// rows, "Convert" and "Copy Output" with their actions, and the first size.
// main() and the tests both use it, so the tests drive the window users see.
// The encoder is replaceable only so that tests can reach its failure path.
void buildPasswordDialog(QDialog &dialog, PasswordEncoder encode = encodePasswordString);
