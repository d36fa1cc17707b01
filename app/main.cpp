// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"
#include "protection.h"
#include "termination.h"

#include <QApplication>
#include <QDialog>

#include <cstdlib>

int main(int argc, char *argv[])
{
    protectProcess();
    QApplication app(argc, argv);
    // Pairs the window with its installed desktop entry (the Wayland app_id), so
    // that the desktop shows it under the launcher's name and icon.
    QGuiApplication::setDesktopFileName(APP_ID);
    quitOnTerminationSignals();
    int status;
    {
        QDialog dialog;
        buildPasswordDialog(dialog);
        dialog.show();
        status = app.exec();
    }
    // The window is gone and nothing is left to do. On Wayland the toolkit's own
    // teardown of the connection can deadlock (a race between its two event
    // threads, often after the program owned the clipboard), leaving the process
    // behind for good; the compositor frees everything a client had when it
    // disconnects, so the program ends here.
    if (QGuiApplication::platformName() == QLatin1String("wayland"))
        std::_Exit(status);
    return status;
}
