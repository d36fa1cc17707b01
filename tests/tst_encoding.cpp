#include "passwordstring.h"

#include <QTest>

// Exact strings, worked out with zlib at its default level. The round trip
// of arbitrary text is the fuzz target's job.
class tst_Encoding : public QObject
{
    Q_OBJECT
private slots:
    void exact_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("expected");
        QTest::newRow("abc") << "abc" << "00000004789c8b0cf7ca0200036b0165";
        QTest::newRow("two UTF-8 bytes") << "é" << "00000004789c2b37cbb6050003950156";
        QTest::newRow("spaces only") << "   " << "00000004789cf374764c070002da0135";
    }

    void exact()
    {
        QFETCH(QString, password);
        QFETCH(QString, expected);
        QCOMPARE(encodePasswordString(password), expected);
    }
};

QTEST_APPLESS_MAIN(tst_Encoding)
#include "tst_encoding.moc"
