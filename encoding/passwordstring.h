// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>

// The longest password, in UTF-16 units: what the window's input field holds
// and the encoder takes.
constexpr qsizetype maxPasswordLength = 32767;

// The password string: the password's UTF-8 bytes as Base64, compressed with
// qCompress (4-byte big-endian length + zlib stream), spelled as lower-case hex.
// An encoding, not an encryption: anyone can reverse it.
// Returns an empty string only if compression fails.
QString encodePasswordString(const QString &password);
