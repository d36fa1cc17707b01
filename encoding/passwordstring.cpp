// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#include "passwordstring.h"

#include <QByteArray>

QString encodePasswordString(const QString &password)
{
    const QByteArray compressed = qCompress(password.toUtf8().toBase64(), -1);
    // Hex digits are ASCII, so the cheap Latin-1 conversion is exact.
    return QString::fromLatin1(compressed.toHex());
}
