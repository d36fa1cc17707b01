// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"
#include "passwordstring.h"
#include "varied.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <memory>

static const QString abcString = "00000004789c8b0cf7ca0200036b0165";

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
        // Worked out with zlib at its default level; the worked example "abc" is the Convert table's.
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
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }

    void startState()
    {
        QCOMPARE(dialog->windowTitle(), "Proxy Password");
        QCOMPARE(dialog->size(), QSize(600, 150));
        QStringList texts{inputEdit->placeholderText()};
        for (const QWidget *widget : dialog->findChildren<QWidget *>())
            texts << widget->property("text").toString();
        QCOMPARE(texts, QStringList({"Enter text to convert...", "Input password:", "", "Password string:", "",
                                     "Convert", "Copy Output"}));
        QCOMPARE(inputEdit->echoMode(), QLineEdit::Normal);
        QVERIFY(!copyButton->isEnabled());
        QTest::keyClicks(outputEdit, "typed");
        QCOMPARE(outputEdit->text(), "");

        // Extra height goes between the rows and the buttons.
        dialog->resize(600, 400);
        QTRY_VERIFY(convertButton->geometry().bottom() > 400 - 40);
        QVERIFY(outputEdit->geometry().bottom() < 100);
    }

    void convert_data()
    {
        QTest::addColumn<QStringList>("converted"); // each put into the input field and converted
        QTest::addColumn<QString>("edited");        // then put into the input field, unless null
        QTest::addColumn<QString>("output");        // Copy Output is enabled when there is one

        QTest::newRow("spaces only") << QStringList{"   "} << QString() << encodePasswordString("   ");
        QTest::newRow("empty clears") << QStringList{"abc", ""} << QString() << "";
        QTest::newRow("twice") << QStringList{"abc", "abc"} << QString() << abcString;
        QTest::newRow("edit after") << QStringList{"abc"} << "xyz" << abcString;
    }

    void convert()
    {
        QFETCH(QStringList, converted);
        QFETCH(QString, edited);
        QFETCH(QString, output);

        for (const QString &text : converted) {
            inputEdit->setText(text);
            QTest::mouseClick(convertButton, Qt::LeftButton);
        }
        if (!edited.isNull())
            inputEdit->setText(edited);
        QCOMPARE(outputEdit->text(), output);
        QCOMPARE(copyButton->isEnabled(), !output.isEmpty());
        if (output.isEmpty())
            return;

        // Copy Output copies what the field shows (its markers: real_window.sh).
        QTest::mouseClick(copyButton, Qt::LeftButton);
        QCOMPARE(QGuiApplication::clipboard()->text(), output);
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
        QCOMPARE(QGuiApplication::clipboard()->text(), expected);
    }

    void encoderProgram_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("password"); // whose string is printed, if status is 0
        QTest::addColumn<QStringList>("arguments");
        const auto row = [](const char *name, const QByteArray &input, int status,
                            const QString &password = {}, const QStringList &arguments = {}) {
            QTest::newRow(name) << input << status << password << arguments;
        };
        row("CRLF dropped", "abc\r\n", 0, "abc");
        row("one line end only", " abc \n\n", 0, " abc \n");
        row("every byte kept", "a\x1a" "b\r\nc\n", 0, "a\x1a" "b\r\nc");
        row("BOM and UTF-8 kept", "\xef\xbb\xbf" "Pässwörd 🔑", 0, QChar(0xfeff) + QString("Pässwörd 🔑"));
        row("longest", QByteArray(32767, 'x'), 0, QString(32767, 'x'));
        row("too long", QByteArray(32768, 'x'), 2);
        row("empty", "\n", 1);
        row("not UTF-8", "ab\xff" "c", 2);
        row("argument", "abc", 64, {}, {"hunter2"});
    }

    void encoderProgram()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QString, password);
        QFETCH(QStringList, arguments);

        QProcess encoder;
        encoder.start(ENCODER, arguments);
        encoder.write(input);
        encoder.closeWriteChannel();
        QVERIFY(encoder.waitForFinished());
        QCOMPARE(encoder.exitCode(), status);
        QCOMPARE(encoder.readAllStandardOutput(),
                 status == 0 ? encodePasswordString(password).toLatin1() + '\n' : QByteArray());
        QCOMPARE(encoder.readAllStandardError().isEmpty(), status == 0); // one line when it fails
    }
};

QTEST_MAIN(tst_ProxyPassword)
#include "tst_proxypassword.moc"
