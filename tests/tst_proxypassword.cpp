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

#include <fcntl.h>
#include <memory>

#ifdef Q_OS_LINUX
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// An ordinary user's: root may read any process.
const uid_t user = getuid() == 0 ? 65534 : getuid();
bool becomeUser()
{
    return getuid() == user || (setgroups(0, nullptr) == 0 && setgid(user) == 0 && setuid(user) == 0);
}
// Whether another process of the user can read the memory of process pid.
bool memoryReadable(qint64 pid)
{
    const QByteArray mem = "/proc/" + QByteArray::number(pid) + "/mem";
    const pid_t reader = fork();
    if (reader == 0)
        _exit(becomeUser() && open(mem.constData(), O_RDONLY) >= 0 ? 0 : 1);
    int status = 0;
    waitpid(reader, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace
#elif defined(Q_OS_WIN)
#include <windows.h>
#include <aclapi.h>

namespace {
// wine does not enforce a process's DACL, so it is read back: whether no one but
// SYSTEM may read or write the memory of process pid, make a thread in it,
// take its handles or change the DACL.
bool memoryReadable(qint64 pid)
{
    const DWORD denied = PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_VM_OPERATION | PROCESS_CREATE_THREAD
            | PROCESS_DUP_HANDLE | WRITE_DAC | WRITE_OWNER | GENERIC_ALL | GENERIC_WRITE;
    HANDLE process = OpenProcess(READ_CONTROL, FALSE, DWORD(pid));
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!process || GetSecurityInfo(process, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                    nullptr, &descriptor) != ERROR_SUCCESS)
        return true;
    CloseHandle(process);
    bool readable = !dacl;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE *ace;
        if (GetAce(dacl, i, reinterpret_cast<void **>(&ace)) && ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE
            && !IsWellKnownSid(&ace->SidStart, WinLocalSystemSid))
            readable |= (ace->Mask & denied) != 0;
    }
    LocalFree(descriptor);
    return readable;
}
} // namespace
#endif

class tst_ProxyPassword : public QObject
{
    Q_OBJECT
    std::unique_ptr<QDialog> dialog; // a fresh window for every test, as main() builds it
    QLineEdit *inputEdit = nullptr, *outputEdit = nullptr;
    QPushButton *convertButton = nullptr, *copyButton = nullptr;

private slots:
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
        QCOMPARE(dialog->size(), QSize(600, 150));
        // What screen readers speak: each field is named by its label.
        QStringList texts{inputEdit->placeholderText()};
        for (QWidget *widget : dialog->findChildren<QWidget *>())
            texts << QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
        QCOMPARE(texts, QStringList({"Enter text to convert...", "Input password:", "Input password:",
                                     "Password string:", "Password string:", "Convert", "Copy Output"}));
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

        // Exact strings, worked out with zlib at its default level. The Base64 of
        // U+1F511 is "8J+UkQ==": the standard alphabet with its padding.
        QTest::newRow("spaces only") << QStringList{"   "} << QString() << "00000004789cf374764c070002da0135";
        QTest::newRow("empty clears") << QStringList{"abc", ""} << QString() << "";
        QTest::newRow("twice") << QStringList{"abc", "abc"} << QString() << "00000004789c8b0cf7ca0200036b0165";
        QTest::newRow("edit after") << QStringList{"🔑"} << "xyz" << "00000008789cb3f0d20ecd0eb4b5050009cf0239";

        // The input keeps its 32767 limit; the string of CJK text that long,
        // which hardly compresses, outgrows it, and must not be cut.
        QString pasted;
        for (int i = 0; i < 40000; ++i)
            pasted += QChar(0x4e00 + i % 20000);
        QTest::newRow("longest") << QStringList{pasted} << QString() << encodePasswordString(pasted.left(32767));
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
        QCOMPARE(copyButton->isEnabled(), !output.isEmpty()); // what it copies: real_window.sh
    }

    // What a screen reader is told after each action: one fixed text, so never
    // the password or its string.
    void announcements_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("copy"); // Copy Output after a conversion, else Convert
        QTest::addColumn<QString>("announced");
        QTest::newRow("converted") << "abc" << false << "Password string ready.";
        QTest::newRow("cleared") << "" << false << "Password string cleared.";
        QTest::newRow("copied") << "abc" << true << "Password string copied.";
    }

    void announcements()
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 8, 0)
        QSKIP("Qt announces from 6.8 on");
#else
        QFETCH(QString, input);
        QFETCH(bool, copy);
        QFETCH(QString, announced);

        inputEdit->setText(input);
        if (copy)
            convertButton->click();
        static QStringList heard;
        heard.clear();
        QAccessible::setActive(true);
        const auto screenReader = QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
            if (event->type() == QAccessible::Announcement)
                heard << static_cast<QAccessibleAnnouncementEvent *>(event)->message();
        });
        (copy ? copyButton : convertButton)->click();
        QAccessible::installUpdateHandler(screenReader);
        QCOMPARE(heard, QStringList{announced});
#endif
    }

    void encoderProgram_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output"); // all of standard output
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("endless"); // the input never ends: the encoder must stop by itself
        const QStringList none;
        const auto line = [](const QString &password) { return encodePasswordString(password).toLatin1() + '\n'; };
        QTest::newRow("all but the CRLF at the end") << QByteArray("a\x1a" "b\r\nc\r\n") << 0 << line("a\x1a" "b\r\nc") << none << false;
        QTest::newRow("one line end only") << QByteArray(" abc \n\n") << 0 << line(" abc \n") << none << false;
        QTest::newRow("one BOM dropped") << QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "Pässwörd 🔑") << 0
                                         << line(QChar(0xfeff) + QString("Pässwörd 🔑")) << none << false;
        const QString longest(32767, QChar(0x4e2d)); // three UTF-8 bytes each
        QTest::newRow("longest") << "\xef\xbb\xbf" + longest.toUtf8() + "\r\n" << 0 << line(longest) << none << false;
        QTest::newRow("too long") << QByteArray(32768, 'x') << 2 << QByteArray() << none << false;
        QTest::newRow("endless") << QByteArray(1 << 20, 'x') << 2 << QByteArray() << none << true;
        QTest::newRow("empty") << QByteArray("\xef\xbb\xbf\n") << 1 << QByteArray() << none << false;
        QTest::newRow("not UTF-8") << QByteArray("ab\xff" "c") << 2 << QByteArray() << none << false;
        QTest::newRow("argument") << QByteArray("abc") << 64 << QByteArray() << QStringList{"hunter2"} << false;
        QTest::newRow("version") << QByteArray("abc") << 0 << QByteArray("proxy-password-encode " VERSION "\n")
                                 << QStringList{"--version"} << false;
    }

    void encoderProgram()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QByteArray, output);
        QFETCH(QStringList, arguments);
        QFETCH(bool, endless);

        QProcess encoder;
#ifdef Q_OS_UNIX // and non-blocking, with the input only later: it must wait for it
        encoder.setChildProcessModifier([] { fcntl(0, F_SETFL, O_NONBLOCK); });
#endif
        encoder.start(ENCODER, arguments);
        QVERIFY(encoder.waitForStarted());
        QTest::qSleep(100);
        encoder.write(input);
        if (!endless)
            encoder.closeWriteChannel();
        QVERIFY(encoder.waitForFinished());
        QCOMPARE(encoder.exitCode(), status);
        QCOMPARE(encoder.readAllStandardOutput(), output);
        const QByteArray error = encoder.readAllStandardError();
        QCOMPARE(error.isEmpty(), status == 0); // one line when it fails
        QVERIFY(!error.contains("hunter2"));    // and never what might be the password
    }

    void keptInside_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QStringList>("arguments");
#ifdef Q_OS_WIN
        QTest::newRow("window") << WINDOW << QStringList();
#else
        QTest::newRow("window") << WINDOW << QStringList{"-platform", "offscreen"};
#endif
        QTest::newRow("encoder") << ENCODER << QStringList(); // waiting for its input
    }

    // No other process of the user reads the password out of the programs (what
    // also keeps it out of core files on Linux).
    void keptInside()
    {
        QFETCH(QString, program);
        QFETCH(QStringList, arguments);

        QProcess process;
#ifdef Q_OS_LINUX
        process.setChildProcessModifier([] {
            if (!becomeUser())
                _exit(127);
        });
#endif
        process.start(program, arguments);
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY(!memoryReadable(process.processId()));
    }
};

QTEST_MAIN(tst_ProxyPassword)
#include "tst_proxypassword.moc"
