// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QRandomGenerator>
#include <QString>

// Random CJK text, which hardly compresses: the longest password strings.
inline QString variedText(int length)
{
    QRandomGenerator random(1); // the same text every run
    QString text(length, Qt::Uninitialized);
    for (QChar &c : text)
        c = QChar(char16_t(0x4e00 + random.bounded(20000)));
    return text;
}
