// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QRandomGenerator>
#include <QString>

// Text of `units` UTF-16 units that hardly compresses: ASCII, Latin, Cyrillic,
// CJK and characters outside the BMP, the same for the same seed.
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
