#pragma once

// Reads a password string back step by step, with zlib itself rather than the
// toolkit's qUncompress, checking every layer of the format on the way.
// Shared by the QtTest tests and the fuzz target, so it reports instead of asserting.

#include <QByteArray>
#include <QRandomGenerator>
#include <QString>

#include <zlib.h>

// Returns what is wrong with passwordString, or an empty text and the UTF-8 bytes it holds.
inline QString decodePasswordString(const QString &passwordString, QByteArray *utf8)
{
    if (passwordString.size() % 2 != 0)
        return "odd length";
    for (QChar c : passwordString) {
        if (!(c >= '0' && c <= '9') && !(c >= 'a' && c <= 'f'))
            return QString("not a lower-case hex digit: %1").arg(c);
    }
    const QByteArray buffer = QByteArray::fromHex(passwordString.toLatin1());
    if (buffer.size() <= 6 || !buffer.mid(4).startsWith("\x78\x9c"))
        return "no 4-byte length followed by the zlib header 78 9c";
    const auto byte = [&](int i) { return quint32(quint8(buffer[i])); };
    const quint32 length = byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3);

    QByteArray base64(int(length), '\0');
    uLongf inflated = length;
    uLong consumed = uLong(buffer.size() - 4);
    const int status = uncompress2(reinterpret_cast<Bytef *>(base64.data()), &inflated,
                                   reinterpret_cast<const Bytef *>(buffer.constData() + 4), &consumed);
    if (status != Z_OK || inflated != length)
        return QString("zlib stream does not inflate to the %1 bytes of the header").arg(length);
    if (consumed != uLong(buffer.size() - 4))
        return "bytes left over after the zlib stream";

    const auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.toBase64() != base64) // standard alphabet, padding kept
        return "not canonical Base64: " + QString::fromLatin1(base64.left(80));
    if (qsizetype(length) != 4 * ((decoded.decoded.size() + 2) / 3))
        return "length header is not 4 x ceil(U / 3)";
    *utf8 = decoded.decoded;
    return {};
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
