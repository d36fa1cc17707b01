// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"

#include <QApplication>
#include <QDialog>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QDialog dialog;
    buildPasswordDialog(dialog);
    dialog.show();
    return app.exec();
}
