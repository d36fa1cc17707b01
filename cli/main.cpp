// proxy-password-encode: the password string of one password read from
// standard input, for scripts and provisioning. Never takes the password as an
// argument, since arguments end up in shell history and process lists.

#include "passwordstring.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cstdio>
#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <termios.h>
#include <unistd.h>
#endif

namespace {

const char usage[] =
        "Usage: proxy-password-encode [--help]\n"
        "Reads a password from standard input as UTF-8 (one trailing line end is dropped)\n"
        "and prints its password string, exactly as the Proxy Password window shows it.\n"
        "On a terminal it asks for the password without echoing it.\n"
        "\n"
        "The password string is an encoding, not encryption: anyone can reverse it.\n";

int fail(int status, const char *message, long long number = -1)
{
    std::fprintf(stderr, "proxy-password-encode: %s", message);
    if (number >= 0)
        std::fprintf(stderr, "%lld", number);
    std::fputc('\n', stderr);
    return status;
}

// Offset of the first byte that is not part of well-formed UTF-8, or -1.
qsizetype invalidUtf8Offset(const QByteArray &bytes)
{
    const auto *s = reinterpret_cast<const unsigned char *>(bytes.constData());
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const unsigned char c = s[i];
        int extra; // continuation bytes that the lead byte announces
        if (c < 0x80)
            extra = 0;
        else if (c >= 0xc2 && c <= 0xdf)
            extra = 1;
        else if (c >= 0xe0 && c <= 0xef)
            extra = 2;
        else if (c >= 0xf0 && c <= 0xf4)
            extra = 3;
        else
            return i;
        if (size - i <= extra)
            return i;
        // The second byte's range rules out overlong forms, surrogates and code points past U+10FFFF.
        const unsigned char lo = c == 0xe0 ? 0xa0 : c == 0xf0 ? 0x90 : 0x80;
        const unsigned char hi = c == 0xed ? 0x9f : c == 0xf4 ? 0x8f : 0xbf;
        for (int k = 1; k <= extra; ++k) {
            if (s[i + k] < (k == 1 ? lo : 0x80) || s[i + k] > (k == 1 ? hi : 0xbf))
                return i;
        }
        i += 1 + extra;
    }
    return -1;
}

#ifdef Q_OS_UNIX
termios savedTerminal;

void restoreTerminalAndDie(int signalNumber)
{
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

// Prompts on standard error and reads one line with echo off, as passwd does.
bool readHiddenLine(QByteArray *line)
{
    std::fputs("Password: ", stderr);
    std::fflush(stderr);
    if (tcgetattr(STDIN_FILENO, &savedTerminal) != 0)
        return false;
    for (int s : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        std::signal(s, restoreTerminalAndDie);
    termios hidden = savedTerminal;
    hidden.c_lflag &= ~tcflag_t(ECHO);
    hidden.c_lflag |= ECHONL;
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    int c;
    while ((c = std::getchar()) != EOF && c != '\n')
        line->append(char(c));
    if (c == '\n')
        line->append('\n');
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &savedTerminal);
    for (int s : {SIGINT, SIGTERM, SIGQUIT, SIGHUP})
        std::signal(s, SIG_DFL);
    return !std::ferror(stdin);
}
#endif

bool readAll(QByteArray *bytes)
{
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0)
        bytes->append(buffer, qsizetype(n));
    return !std::ferror(stdin);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc > 1) {
        if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
            std::fputs(usage, stdout);
            return std::fflush(stdout) == 0 ? 0 : 74;
        }
        std::fprintf(stderr, "proxy-password-encode: unexpected argument '%s'\n%s", argv[1], usage);
        return 64;
    }

    QByteArray input;
    bool read;
#ifdef Q_OS_UNIX
    read = isatty(STDIN_FILENO) ? readHiddenLine(&input) : readAll(&input);
#else
    read = readAll(&input);
#endif
    if (!read)
        return fail(74, "cannot read standard input");
    if (input.endsWith("\r\n"))
        input.chop(2);
    else if (input.endsWith('\n'))
        input.chop(1);

    if (input.isEmpty())
        return fail(1, "empty password");
    if (const qsizetype offset = invalidUtf8Offset(input); offset >= 0)
        return fail(2, "input is not valid UTF-8 at byte offset ", offset);
    // A leading U+FEFF is part of the password, as it would be in the window.
    QStringDecoder fromUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString password = fromUtf8(input);
    if (password.size() > 32767)
        return fail(2, "password longer than the window's limit of 32767 UTF-16 units: ", password.size());

    const QString passwordString = encodePasswordString(password);
    if (passwordString.isEmpty())
        return fail(1, "compression failed");
    const QByteArray line = passwordString.toLatin1() + '\n';
    if (std::fwrite(line.constData(), 1, size_t(line.size()), stdout) != size_t(line.size())
        || std::fflush(stdout) != 0)
        return fail(74, "cannot write standard output");
    return 0;
}
