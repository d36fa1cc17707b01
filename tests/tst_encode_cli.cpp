#include "passwordstring.h"

#include <QProcess>
#include <QTest>

// The command-line encoder, run as a program with its standard input piped.
class tst_EncodeCli : public QObject
{
    Q_OBJECT
private slots:
    void run_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("output");
        QTest::addColumn<QString>("message"); // expected in standard error

        const auto line = [](const QString &password) { return encodePasswordString(password).toLatin1() + '\n'; };
        const QByteArray abcLine = "00000004789c8b0cf7ca0200036b0165\n";
        QTest::newRow("abc") << QStringList() << QByteArray("abc\n") << 0 << abcLine << "";
        QTest::newRow("CRLF") << QStringList() << QByteArray("abc\r\n") << 0 << abcLine << "";
        QTest::newRow("no line end") << QStringList() << QByteArray("abc") << 0 << abcLine << "";
        QTest::newRow("one line end only") << QStringList() << QByteArray(" abc \n\n") << 0 << line(" abc \n") << "";
        QTest::newRow("non-ASCII") << QStringList() << QByteArray("Pässwörd €🔑\n") << 0
                                   << line("Pässwörd €🔑") << "";
        QTest::newRow("leading BOM kept") << QStringList() << QByteArray("\xef\xbb\xbf" "abc") << 0
                                          << line(QChar(0xfeff) + QString("abc")) << "";
        QTest::newRow("--help") << QStringList{"--help"} << QByteArray() << 0
                                << QByteArray("Usage: proxy-password-encode [--help]\n") << "";

        QTest::newRow("empty") << QStringList() << QByteArray() << 1 << QByteArray() << "empty password";
        QTest::newRow("line end only") << QStringList() << QByteArray("\r\n") << 1 << QByteArray() << "empty password";
        QTest::newRow("bad byte") << QStringList() << QByteArray("ab\xff" "c") << 2 << QByteArray() << "byte offset 2";
        QTest::newRow("cut sequence") << QStringList() << QByteArray("abc\xe2\x82") << 2 << QByteArray() << "byte offset 3";
        QTest::newRow("overlong") << QStringList() << QByteArray("\xc0\xaf") << 2 << QByteArray() << "byte offset 0";
        QTest::newRow("surrogate") << QStringList() << QByteArray("a\xed\xa0\x80") << 2 << QByteArray() << "byte offset 1";
        QTest::newRow("past U+10FFFF") << QStringList() << QByteArray("\xf4\x90\x80\x80") << 2 << QByteArray() << "byte offset 0";
        QTest::newRow("too long") << QStringList() << QByteArray(32768, 'x') << 2 << QByteArray() << "32767";
        QTest::newRow("argument") << QStringList{"hunter2"} << QByteArray("abc") << 64 << QByteArray() << "Usage:";
        QTest::newRow("--help and more") << QStringList{"--help", "x"} << QByteArray() << 64 << QByteArray() << "Usage:";
    }

    void run()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, input);
        QFETCH(int, status);
        QFETCH(QByteArray, output);
        QFETCH(QString, message);

        QProcess encoder;
        encoder.start(ENCODER, arguments);
        QVERIFY(encoder.waitForStarted());
        encoder.write(input);
        encoder.closeWriteChannel();
        QVERIFY(encoder.waitForFinished());
        QCOMPARE(encoder.exitStatus(), QProcess::NormalExit);
        QCOMPARE(encoder.exitCode(), status);
        const QByteArray out = encoder.readAllStandardOutput();
        QCOMPARE(status == 0 ? out.left(output.size()) : out, output);
        const QByteArray err = encoder.readAllStandardError();
        QVERIFY2(message.isEmpty() ? err.isEmpty() : err.contains(message.toUtf8()), err.constData());
    }
};

QTEST_APPLESS_MAIN(tst_EncodeCli)
#include "tst_encode_cli.moc"
