// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "passworddialog.h"
#include "passwordstring.h"

#include <QAccessible>
#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <memory>

#ifdef Q_OS_LINUX
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The kernel gives the /proc files of a process that is not dumpable to root, and
// then no other process of its user may read its memory or dump it.
bool memoryReadable(qint64 pid)
{
    return QFileInfo("/proc/" + QString::number(pid) + "/mem").ownerId() != 0;
}
} // namespace
#endif

QStringList announced; // what screen readers were told (Qt 6.8 and later)

class tst_ProxyPassword : public QObject
{
    Q_OBJECT
    std::unique_ptr<QDialog> dialog; // a fresh window for every test, as main() builds it
    QLineEdit *inputEdit = nullptr, *outputEdit = nullptr;
    QPushButton *convertButton = nullptr, *copyButton = nullptr;

private slots:
    void initTestCase()
    {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QAccessible::setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            if (event->type() == QAccessible::Announcement)
                announced << static_cast<QAccessibleAnnouncementEvent *>(event)->message();
        });
#endif
    }

    void init()
    {
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
        // What screen readers speak: each field is named by its label.
        QStringList texts{inputEdit->placeholderText()};
        for (QWidget *widget : dialog->findChildren<QWidget *>())
            texts << QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        QCOMPARE(texts, QStringList({"Enter text to convert...", "Input password:", "Input password:",
                                     "Password string:", "Password string:", "Convert", "Copy Output"}));
        QVERIFY(!copyButton->isEnabled());
    }

    void convert_data()
    {
        QTest::addColumn<QStringList>("converted"); // each put into the input field and converted
        QTest::addColumn<QString>("edited");        // then put into the input field, unless null
        QTest::addColumn<QString>("output");        // Copy Output is enabled, and then pressed, when there is one
        QTest::addColumn<QStringList>("told");      // the screen reader, after each click: never the password or string
        const QString ready = "Password string ready.", copied = "Password string copied.";
        const QStringList done{ready, copied};

        // Exact strings, worked out with zlib at its default level. The Base64 of
        // U+1F511 is "8J+UkQ==": the standard alphabet with its padding.
        QTest::newRow("spaces only") << QStringList{"   "} << QString() << "00000004789cf374764c070002da0135" << done;
        QTest::newRow("empty clears") << QStringList{"abc", ""} << QString() << ""
                                      << QStringList{ready, "Password string cleared."};
        QTest::newRow("twice") << QStringList{"abc", "abc"} << QString() << "00000004789c8b0cf7ca0200036b0165"
                               << QStringList{ready, ready, copied};
        QTest::newRow("edit after") << QStringList{"🔑"} << "xyz" << "00000008789cb3f0d20ecd0eb4b5050009cf0239" << done;

        // The input keeps its limit; the string of CJK text that long,
        // which hardly compresses, outgrows it, and must not be cut.
        QString pasted;
        for (int i = 0; i < 40000; ++i)
            pasted += QChar(0x4e00 + i % 20000);
        QTest::newRow("longest") << QStringList{pasted} << QString() << encodePasswordString(pasted.left(maxPasswordLength)) << done;
    }

    void convert()
    {
        QFETCH(QStringList, converted);
        QFETCH(QString, edited);
        QFETCH(QString, output);
        QFETCH(QStringList, told);

        announced.clear();
        for (const QString &text : converted) {
            inputEdit->setText(text);
            QTest::mouseClick(convertButton, Qt::LeftButton);
        }
        if (!edited.isNull())
            inputEdit->setText(edited);
        QCOMPARE(outputEdit->text(), output);
        QCOMPARE(copyButton->isEnabled(), !output.isEmpty());
        QTest::mouseClick(copyButton, Qt::LeftButton); // what it copies: real_window.sh
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        QCOMPARE(announced, told);
#endif
    }

    void keptInside_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("window") << WINDOW;
        QTest::newRow("encoder") << ENCODER; // waiting for its input
    }

    // No other process of the user reads the password out of the programs (what
    // also keeps it out of core files). Linux only: wine does not enforce a DACL.
    void keptInside()
    {
#ifndef Q_OS_LINUX
        QSKIP("a process's DACL is enforced by Windows only");
#else
        QFETCH(QString, program);

        QProcess process;
        QTemporaryDir reachable;
        if (getuid() == 0) { // every process of root is root's: run it as nobody, from where nobody can reach
            const QString copy = reachable.filePath("program");
            QVERIFY(QFile::copy(program, copy) && chmod(qPrintable(reachable.path()), 0755) == 0);
            program = copy;
            process.setChildProcessModifier([] {
                if (setgid(65534) != 0 || setuid(65534) != 0)
                    _exit(127);
            });
        }
        process.start(program);
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY(!memoryReadable(process.processId()));
#endif
    }
};

QTEST_MAIN(tst_ProxyPassword)
#include "tst_proxypassword.moc"
