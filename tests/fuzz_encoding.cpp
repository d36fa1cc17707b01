// Any bytes, read pairwise as UTF-16 units (NULs, unpaired surrogates, every
// plane), must encode to a well-formed password string that decodes back to
// the toolkit's UTF-8 of the password, and for well-formed text to the text.
// Built for libFuzzer with clang; elsewhere it runs over the seed corpus.

#include "decodepasswordstring.h"
#include "passwordstring.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString password(qsizetype(size / 2), Qt::Uninitialized);
    std::memcpy(password.data(), data, size / 2 * 2);
    if (password.isEmpty())
        return 0; // never encoded: Convert handles the empty input itself

    QByteArray utf8;
    QString problem = decodePasswordString(encodePasswordString(password), &utf8);
    // Decoded without QString::fromUtf8, which would drop a leading U+FEFF.
    QStringDecoder fromUtf8(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    if (problem.isEmpty() && (utf8 != password.toUtf8()
                              || (password.isValidUtf16() && QString(fromUtf8(utf8)) != password)))
        problem = "does not decode to the password";
    if (!problem.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(problem));
        std::abort();
    }
    return 0;
}

#ifndef USE_LIBFUZZER
// Without libFuzzer: every file in the given folders, once.
int main(int argc, char *argv[])
{
    int inputs = 0;
    for (int i = 1; i < argc; ++i) {
        const QDir dir(QString::fromLocal8Bit(argv[i]));
        for (const QString &name : dir.entryList(QDir::Files)) {
            QFile file(dir.filePath(name));
            if (!file.open(QIODevice::ReadOnly))
                return 1;
            const QByteArray bytes = file.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++inputs;
        }
    }
    std::printf("%d inputs checked\n", inputs);
    return inputs > 0 ? 0 : 1;
}
#endif
