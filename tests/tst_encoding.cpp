#include "decodepasswordstring.h"
#include "passwordstring.h"

class tst_Encoding : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
};

void tst_Encoding::roundTrip_data()
{
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("expected"); // null: only the round trip is checked

    QTest::newRow("abc") << "abc" << "00000004789c8b0cf7ca0200036b0165";
    QTest::newRow("two UTF-8 bytes") << "é" << "00000004789c2b37cbb6050003950156";
    QTest::newRow("spaces only") << "   " << "00000004789cf374764c070002da0135";
    QTest::newRow("single space") << " " << QString();
    QTest::newRow("four ASCII") << "pass" << QString();
    QTest::newRow("outer spaces") << "  pass word\t " << QString();
    QTest::newRow("line breaks") << "a\nb\r\nc" << QString();
    QTest::newRow("Cyrillic and CJK") << "пароль密码" << QString();
    QTest::newRow("outside the BMP") << "🔑𝄞x" << QString();
    QTest::newRow("long varied") << variedText(32767) << QString();
}

void tst_Encoding::roundTrip()
{
    QFETCH(QString, password);
    QFETCH(QString, expected);

    const QString encoded = encodePasswordString(password);
    if (!expected.isNull())
        QCOMPARE(encoded, expected);
    QCOMPARE(encodePasswordString(password), encoded);

    QByteArray utf8;
    decodePasswordString(encoded, &utf8);
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(QString::fromUtf8(utf8), password);
}

QTEST_APPLESS_MAIN(tst_Encoding)
#include "tst_encoding.moc"
