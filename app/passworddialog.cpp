// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"
#include "passwordstring.h"

#include <QAccessible>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

#ifdef Q_OS_WIN
#include <ole2.h>
#endif

namespace {

// Tells screen readers what an action did where the focus does not go: politely,
// so that it waits for what they are saying. Never the password or its string,
// since speech is heard by the room and some screen readers keep a history.
// Qt has the event from 6.8 on; older builds stay silent.
void announce(QObject *source, const char *message)
{
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(source, QString::fromLatin1(message)); // polite by default
    QAccessible::updateAccessibility(&event);
#else
    Q_UNUSED(source);
    Q_UNUSED(message);
#endif
}

} // namespace

void buildPasswordDialog(QDialog &dialog)
{
    dialog.setWindowTitle("Proxy Password");
    auto *mainLayout = new QVBoxLayout(&dialog);

    auto *inputLabel = new QLabel("Input password:");
    auto *inputEdit = new QLineEdit;
    inputEdit->setObjectName("inputEdit");
    inputEdit->setPlaceholderText("Enter text to convert...");
    // Shown in clear, but input methods and on-screen keyboards are asked not to
    // learn it. (Not ImhHiddenText, with which some switch themselves off, and
    // a password typed through one could not be entered.)
    inputEdit->setInputMethodHints(Qt::ImhSensitiveData | Qt::ImhNoPredictiveText);
    inputEdit->setMaxLength(int(maxPasswordLength));
    // Names each field for screen readers after its label, without a shortcut
    // or anything visible (the texts have no '&').
    inputLabel->setBuddy(inputEdit);

    auto *outputLabel = new QLabel("Password string:");
    auto *outputEdit = new QLineEdit;
    outputEdit->setObjectName("outputEdit");
    outputEdit->setReadOnly(true);
    outputLabel->setBuddy(outputEdit);
    // A long password's string outgrows the input's limit, and a cut string no
    // longer decodes: the field must hold all of it.
    outputEdit->setMaxLength(std::numeric_limits<int>::max());

    auto *buttonRow = new QHBoxLayout;
    auto *convertButton = new QPushButton("Convert");
    convertButton->setObjectName("convertButton");
    auto *copyButton = new QPushButton("Copy Output");
    copyButton->setObjectName("copyButton");
    copyButton->setEnabled(false);
    buttonRow->addWidget(convertButton);
    buttonRow->addWidget(copyButton);

    auto *inputRow = new QHBoxLayout;
    inputRow->addWidget(inputLabel);
    inputRow->addWidget(inputEdit);
    mainLayout->addLayout(inputRow);

    auto *outputRow = new QHBoxLayout;
    outputRow->addWidget(outputLabel);
    outputRow->addWidget(outputEdit);
    mainLayout->addLayout(outputRow);

    mainLayout->addStretch(0);
    mainLayout->addLayout(buttonRow);
    mainLayout->addSpacing(10);

    // The widgets belong to the dialog and each connection ends with its button,
    // so the pointers captured here are valid whenever an action runs.
    QObject::connect(convertButton, &QPushButton::clicked, [=] {
        const QString password = inputEdit->text();
        // Empty only for an empty input: compressing at most maxPasswordLength characters fails
        // only when memory runs out, and then nothing is left to copy either.
        const QString passwordString = password.isEmpty() ? QString() : encodePasswordString(password);
        outputEdit->setText(passwordString);
        copyButton->setEnabled(!passwordString.isEmpty());
        announce(outputEdit, passwordString.isEmpty() ? "Password string cleared." : "Password string ready.");
    });
    QObject::connect(copyButton, &QPushButton::clicked, [=] {
        // The password string gives the password back to anyone, so it carries
        // the hints that password managers set: clipboard history, cloud sync
        // and clipboard managers then leave it alone. The text itself is unchanged.
        auto *data = new QMimeData;
        data->setText(outputEdit->text());
#ifdef Q_OS_WIN
        const QByteArray dwordZero(4, '\0');
        data->setData("ExcludeClipboardContentFromMonitorProcessing", QByteArray(1, '\0'));
        data->setData("CanIncludeInClipboardHistory", dwordZero);
        data->setData("CanUploadToCloudClipboard", dwordZero);
#else
        data->setData("x-kde-passwordManagerHint", "secret");
#endif
        QGuiApplication::clipboard()->setMimeData(data, QClipboard::Clipboard);
#ifdef Q_OS_WIN
        // The toolkit offers the text for later rendering and puts it on the
        // clipboard for good only in its teardown, which closing the console
        // window, Ctrl+C or logoff skip. Rendered now, it outlasts any end.
        OleFlushClipboard();
#endif
        announce(copyButton, "Password string copied.");
    });

    dialog.resize(600, 150);
}
