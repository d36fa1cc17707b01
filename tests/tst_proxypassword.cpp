// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"
#include "passwordstring.h"
#include "variedtext.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <memory>

static const QString abcString = "00000004789c8b0cf7ca0200036b0165";

static QString clipboardText()
{
    return QGuiApplication::clipboard()->text(QClipboard::Clipboard);
}

// What Copy Output adds to keep the string out of clipboard history: a
// misspelt name fails silently, so the names are compared byte for byte.
static QMap<QString, QByteArray> clipboardMarkers()
{
    const QMimeData *data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    QMap<QString, QByteArray> markers;
    for (const QString &format : data->formats()) {
        if (format != "text/plain")
            markers[format] = data->data(format);
    }
    return markers;
}

class tst_ProxyPassword : public QObject
{
    Q_OBJECT
    std::unique_ptr<QDialog> dialog; // a fresh window for every test, as main() builds it
    QLineEdit *inputEdit = nullptr;
    QLineEdit *outputEdit = nullptr;
    QPushButton *convertButton = nullptr;
    QPushButton *copyButton = nullptr;

private slots:
    void encode_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        // Worked out with zlib at its default level.
        QTest::newRow("abc") << "abc" << abcString;
        QTest::newRow("outer spaces kept") << " pass word " << "00000010789cf3f470ca4836f64d4f31b2ac8c7276b405002a5304e9";
        // Base64 "8J+UkQ==": the standard alphabet with its padding.
        QTest::newRow("outside the BMP") << "🔑" << "00000008789cb3f0d20ecd0eb4b5050009cf0239";
    }

    void encode()
    {
        QFETCH(QString, password);
        QFETCH(QString, expected);
        QCOMPARE(encodePasswordString(password), expected);
    }

    void init()
    {
        QGuiApplication::clipboard()->clear();
        dialog = std::make_unique<QDialog>();
        buildPasswordDialog(*dialog);
        inputEdit = dialog->findChild<QLineEdit *>("inputEdit");
        outputEdit = dialog->findChild<QLineEdit *>("outputEdit");
        convertButton = dialog->findChild<QPushButton *>("convertButton");
        copyButton = dialog->findChild<QPushButton *>("copyButton");
        QVERIFY(inputEdit && outputEdit && convertButton && copyButton);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }

    void startState()
    {
        QCOMPARE(dialog->windowTitle(), "Proxy Password");
        QCOMPARE(dialog->size(), QSize(600, 150));
        QStringList texts;
        for (const QLabel *label : dialog->findChildren<QLabel *>())
            texts << label->text();
        texts << inputEdit->placeholderText() << convertButton->text() << copyButton->text();
        QCOMPARE(texts, QStringList({"Input password:", "Password string:", "Enter text to convert...",
                                     "Convert", "Copy Output"}));
        QCOMPARE(QApplication::focusWidget(), inputEdit);
        QCOMPARE(inputEdit->echoMode(), QLineEdit::Normal);
        QVERIFY(convertButton->isDefault() && !copyButton->isEnabled());
        QTest::keyClicks(outputEdit, "typed");
        QCOMPARE(outputEdit->text(), "");

        // Extra height goes between the rows and the buttons.
        dialog->resize(600, 400);
        QTRY_VERIFY(convertButton->geometry().bottom() > 400 - 40);
        QVERIFY(outputEdit->geometry().bottom() < 100);

        QTest::keyClick(inputEdit, Qt::Key_Escape);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), QDialog::Rejected);
    }

    void convert_data()
    {
        QTest::addColumn<QString>("first");  // converted first, unless null
        QTest::addColumn<QString>("second"); // then put into the input field
        QTest::addColumn<QString>("how");    // how Convert is run after that, if at all
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("copyEnabled");

        QTest::newRow("click") << QString() << "abc" << "click" << abcString << true;
        QTest::newRow("Return") << QString() << "abc" << "Return" << abcString << true;
        QTest::newRow("spaces only") << QString() << "   " << "click" << encodePasswordString("   ") << true;
        QTest::newRow("empty clears") << "abc" << "" << "click" << "" << false;
        QTest::newRow("twice") << "abc" << "abc" << "click" << abcString << true;
        QTest::newRow("edit after") << "abc" << "xyz" << "none" << abcString << true;
    }

    void convert()
    {
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, how);
        QFETCH(QString, output);
        QFETCH(bool, copyEnabled);

        if (!first.isNull()) {
            inputEdit->setText(first);
            QTest::mouseClick(convertButton, Qt::LeftButton);
        }
        inputEdit->setText(second);
        if (how == "click")
            QTest::mouseClick(convertButton, Qt::LeftButton);
        else if (how == "Return")
            QTest::keyClick(inputEdit, Qt::Key_Return);

        QCOMPARE(inputEdit->text(), second);
        QCOMPARE(outputEdit->text(), output);
        QCOMPARE(copyButton->isEnabled(), copyEnabled);

        // Copy Output copies what the field shows, however often it is pressed.
        for (int i = 0; copyEnabled && i < 2; ++i) {
            QTest::mouseClick(copyButton, Qt::LeftButton);
            QCOMPARE(clipboardText(), output);
            QCOMPARE(outputEdit->text(), output);
        }
        if (copyEnabled) {
#ifdef Q_OS_WIN
            const QByteArray dwordZero(4, '\0');
            QCOMPARE(clipboardMarkers(), (QMap<QString, QByteArray>{
                    {"ExcludeClipboardContentFromMonitorProcessing", QByteArray(1, '\0')},
                    {"CanIncludeInClipboardHistory", dwordZero}, {"CanUploadToCloudClipboard", dwordZero}}));
#else
            QCOMPARE(clipboardMarkers(), (QMap<QString, QByteArray>{{"x-kde-passwordManagerHint", "secret"}}));
#endif
        }
    }

    void longPassword()
    {
        // The input field keeps its 32767 limit; the password string of the
        // longest input outgrows it, and the output and the clipboard hold all of it.
        const QString pasted = variedText(40000);
        QGuiApplication::clipboard()->setText(pasted);
        QTest::keySequence(inputEdit, QKeySequence::Paste);
        QCOMPARE(inputEdit->text(), pasted.left(32767));
        QTest::keyClick(inputEdit, Qt::Key_Return);
        const QString expected = encodePasswordString(inputEdit->text());
        QVERIFY(expected.size() > 32767);
        QCOMPARE(outputEdit->text(), expected);
        QTest::mouseClick(copyButton, Qt::LeftButton);
        QCOMPARE(clipboardText(), expected);
    }

    void encoderProgram_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("password"); // whose string is printed, if status is 0

        QTest::newRow("LF dropped") << QStringList() << QByteArray("abc\n") << 0 << "abc";
        QTest::newRow("CRLF dropped") << QStringList() << QByteArray("abc\r\n") << 0 << "abc";
        QTest::newRow("no line end") << QStringList() << QByteArray("abc") << 0 << "abc";
        QTest::newRow("one line end only") << QStringList() << QByteArray(" abc \n\n") << 0 << " abc \n";
        QTest::newRow("every byte kept") << QStringList() << QByteArray("a\x1a" "b\r\nc\n") << 0 << "a\x1a" "b\r\nc";
        QTest::newRow("UTF-8") << QStringList() << QByteArray("Pässwörd 🔑") << 0 << "Pässwörd 🔑";
        QTest::newRow("leading BOM kept") << QStringList() << QByteArray("\xef\xbb\xbf" "abc") << 0
                                          << QChar(0xfeff) + QString("abc");
        QTest::newRow("longest") << QStringList() << QByteArray(32767, 'x') << 0 << QString(32767, 'x');
        QTest::newRow("empty") << QStringList() << QByteArray("\n") << 1 << "";
        QTest::newRow("bad UTF-8") << QStringList() << QByteArray("ab\xff" "c") << 2 << "";
        QTest::newRow("UTF-8 surrogate") << QStringList() << QByteArray("a\xed\xa0\x80") << 2 << "";
        QTest::newRow("too long") << QStringList() << QByteArray(32768, 'x') << 2 << "";
        QTest::newRow("argument") << QStringList{"hunter2"} << QByteArray("abc") << 64 << "";
    }

    void encoderProgram()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, password);

        QProcess encoder;
        encoder.start(ENCODER, arguments);
        QVERIFY(encoder.waitForStarted());
        encoder.write(input);
        encoder.closeWriteChannel();
        QVERIFY(encoder.waitForFinished());
        QCOMPARE(encoder.exitStatus(), QProcess::NormalExit);
        QCOMPARE(encoder.exitCode(), status);
        QCOMPARE(encoder.readAllStandardOutput(),
                 status == 0 ? encodePasswordString(password).toLatin1() + '\n' : QByteArray());
        QCOMPARE(encoder.readAllStandardError().isEmpty(), status == 0); // one line when it fails
    }
};

QTEST_MAIN(tst_ProxyPassword)
#include "tst_proxypassword.moc"
