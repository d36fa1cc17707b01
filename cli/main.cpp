// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

// proxy-password-encode: the password string of one password read from
// standard input, for scripts and provisioning. Never takes the password as an
// argument, since arguments end up in shell history and process lists.

#include "input.h"
#include "passwordstring.h"
#include "protection.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char usage[] =
        "Usage: proxy-password-encode [--help | --version]\n"
        "Reads a password from standard input as UTF-8 (one leading byte-order mark and\n"
        "one trailing line end are dropped) and prints its password string, exactly as\n"
        "the Proxy Password window shows it.\n"
        "On a terminal it asks for the password without echoing it.\n"
        "\n"
        "The password string is an encoding, not encryption: anyone can reverse it.\n";
const QByteArray tooLong = "password longer than the window's limit of " + QByteArray::number(maxPasswordLength)
                           + " UTF-16 units";

int fail(int status, const QByteArray &message)
{
    std::fprintf(stderr, "proxy-password-encode: %s\n", message.constData());
    return status;
}

// Each UTF-16 unit takes at most three UTF-8 bytes (a pair for four); a
// byte-order mark and a CRLF may come besides.
constexpr qsizetype maxInput = 3 + 3 * maxPasswordLength + 2;

} // namespace

int main(int argc, char *argv[])
{
    protectProcess();
#ifdef Q_OS_WIN
    // Text mode would end the input at byte 0x1a, drop a CR before a LF and
    // write CR LF: the bytes must be the same as on every other system.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    const bool help = argc == 2 && std::strcmp(argv[1], "--help") == 0;
    if (help || (argc == 2 && std::strcmp(argv[1], "--version") == 0)) {
        std::fputs(help ? usage : "proxy-password-encode " VERSION "\n", stdout);
        return std::fflush(stdout) == 0 ? 0 : 74;
    }
    if (argc > 1) {
        // Never repeated: a mistaken argument is most likely the password itself.
        std::fprintf(stderr, "proxy-password-encode: the password is read from standard input, "
                             "never from an argument\n%s", usage);
        return 64;
    }

    QByteArray input;
    switch (readPassword(&input, maxInput)) {
    case Input::Failed:
        return fail(74, "cannot read standard input");
    case Input::TooLong:
        return fail(2, tooLong);
    case Input::MaybeCut:
        return fail(2, "the line reached the terminal's limit and may have been cut; pass a password this long "
                       "from a file or a pipe (proxy-password-encode < FILE)");
    case Input::Read:
        break;
    }
    if (input.endsWith("\r\n"))
        input.chop(2);
    else if (input.endsWith('\n'))
        input.chop(1);

    if (!input.isValidUtf8())
        return fail(2, "input is not valid UTF-8");
    // One leading byte-order mark is dropped, as text decoders do (Notepad's
    // "UTF-8 with BOM", PowerShell set to UTF-8); a second one is content.
    QStringDecoder fromUtf8(QStringDecoder::Utf8);
    const QString password = fromUtf8(input);
    if (password.isEmpty())
        return fail(1, "empty password");
    if (password.size() > maxPasswordLength)
        return fail(2, tooLong);

    const QString passwordString = encodePasswordString(password);
    if (passwordString.isEmpty())
        return fail(1, "compression failed");
    const QByteArray line = passwordString.toLatin1() + '\n';
    if (std::fwrite(line.constData(), 1, size_t(line.size()), stdout) != size_t(line.size())
        || std::fflush(stdout) != 0)
        return fail(74, "cannot write standard output");
    return 0;
}
