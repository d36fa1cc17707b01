// Copyright (C) 2026 The Proxy Password developers
// SPDX-License-Identifier: MIT

// proxy-password-encode: the password string of one password read from
// standard input, for scripts and provisioning. Never takes the password as an
// argument, since arguments end up in shell history and process lists.

#include "passwordstring.h"
#include "terminal.h"

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
        "Reads a password from standard input as UTF-8 (one trailing line end is dropped)\n"
        "and prints its password string, exactly as the Proxy Password window shows it.\n"
        "On a terminal it asks for the password without echoing it.\n"
        "\n"
        "The password string is an encoding, not encryption: anyone can reverse it.\n";

int fail(int status, const char *message)
{
    std::fprintf(stderr, "proxy-password-encode: %s\n", message);
    return status;
}

} // namespace

// C stdio rather than QFile, whose read of a pipe ended in an error under wine.
bool readInput(QByteArray *bytes, bool oneLine)
{
    int c;
    while ((c = std::getchar()) != EOF) {
        bytes->append(char(c));
        if (oneLine && c == '\n')
            break;
    }
    return !std::ferror(stdin);
}

int main(int argc, char *argv[])
{
#ifdef Q_OS_WIN
    // Text mode would end the input at byte 0x1a, drop a CR before a LF and
    // write CR LF: the bytes must be the same as on every other system.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc > 1) {
        const bool help = std::strcmp(argv[1], "--help") == 0;
        if (argc == 2 && (help || std::strcmp(argv[1], "--version") == 0)) {
            std::fputs(help ? usage : "proxy-password-encode " VERSION "\n", stdout);
            return std::fflush(stdout) == 0 ? 0 : 74;
        }
        std::fprintf(stderr, "proxy-password-encode: unexpected argument '%s'\n%s", argv[1], usage);
        return 64;
    }

    QByteArray input;
    if (!(isTerminal() ? readHiddenLine(&input) : readInput(&input)))
        return fail(74, "cannot read standard input");
    if (input.endsWith("\r\n"))
        input.chop(2);
    else if (input.endsWith('\n'))
        input.chop(1);

    if (input.isEmpty())
        return fail(1, "empty password");
    if (!input.isValidUtf8())
        return fail(2, "input is not valid UTF-8");
    // A leading U+FEFF is part of the password, as it would be in the window.
    QStringDecoder fromUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString password = fromUtf8(input);
    if (password.size() > 32767)
        return fail(2, "password longer than the window's limit of 32767 UTF-16 units");

    const QString passwordString = encodePasswordString(password);
    if (passwordString.isEmpty())
        return fail(1, "compression failed");
    const QByteArray line = passwordString.toLatin1() + '\n';
    if (std::fwrite(line.constData(), 1, size_t(line.size()), stdout) != size_t(line.size())
        || std::fflush(stdout) != 0)
        return fail(74, "cannot write standard output");
    return 0;
}
