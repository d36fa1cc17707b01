#pragma once

// Reads a password string back step by step, with zlib itself rather than the
// toolkit's qUncompress, and checks every layer of the format on the way.
// Use QVERIFY-style: call, then bail out if QTest::currentTestFailed().

#include <QByteArray>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QString>
#include <QTest>

#include <zlib.h>

inline void decodePasswordString(const QString &passwordString, QByteArray *utf8)
{
    QVERIFY2(passwordString.size() % 2 == 0
                 && !passwordString.contains(QRegularExpression("[^0-9a-f]")),
             "not an even-length run of lower-case hex digits");
    const QByteArray buffer = QByteArray::fromHex(passwordString.toLatin1());
    QVERIFY(buffer.size() > 6);
    const auto byte = [&](int i) { return quint32(quint8(buffer[i])); };
    const quint32 length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);
    QCOMPARE(buffer.mid(4, 2), QByteArray("\x78\x9c"));

    QByteArray base64(int(length), '\0');
    uLongf inflated = length;
    uLong consumed = uLong(buffer.size() - 4);
    QCOMPARE(uncompress2(reinterpret_cast<Bytef *>(base64.data()), &inflated,
                         reinterpret_cast<const Bytef *>(buffer.constData() + 4), &consumed),
             Z_OK);
    QCOMPARE(inflated, uLongf(length));
    QCOMPARE(consumed, uLong(buffer.size() - 4)); // nothing trails the stream

    const auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    QVERIFY(decoded);
    QCOMPARE(qsizetype(length), 4 * ((decoded.decoded.size() + 2) / 3));
    QCOMPARE(decoded.decoded.toBase64(), base64); // standard alphabet, padding kept
    *utf8 = decoded.decoded;
}

// Text of `units` UTF-16 units that hardly compresses: ASCII, Latin, Cyrillic,
// CJK and characters outside the BMP, drawn from a fixed seed.
inline QString variedText(int units, quint32 seed = 1)
{
    static const char32_t starts[] = {0x21, 0xc0, 0x410, 0x4e00, 0x1f300};
    QRandomGenerator random(seed);
    QString text;
    while (text.size() < units) {
        const char32_t start = starts[random.bounded(text.size() + 1 < units ? 5 : 4)];
        const char32_t c = start + random.bounded(start == 0x4e00 ? 20000 : 64);
        text += QString::fromUcs4(&c, 1);
    }
    return text;
}
