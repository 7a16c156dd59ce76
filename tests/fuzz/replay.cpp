// Feeds every kept input to its fuzz target's entry function:
//   quillmont_fuzz_replay ROOT...   runs ROOT/<target>/* for every target and every ROOT
// A crash, a sanitizer report or a failed expectation ends the program, naming the file first.
#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "fuzz/fuzzentry.h"

namespace {

int replayFolder(const FuzzEntry &entry, const QString &folder)
{
    int count = 0;
    const QFileInfoList files = QDir(folder).entryInfoList(QDir::Files, QDir::Name);
    for (const QFileInfo &info : files) {
        QFile file(info.filePath());
        if (!file.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(info.filePath()), qPrintable(file.errorString()));
            return -1;
        }
        const QByteArray bytes = file.readAll();
        std::fprintf(stderr, "%s\n", qPrintable(info.filePath()));
        entry.run(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size()));
        ++count;
    }
    return count;
}

}  // namespace

int main(int argc, char **argv)
{
    prepareFuzzing(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: quillmont_fuzz_replay ROOT...\n");
        return 2;
    }
    int total = 0;
    for (int i = 1; i < argc; ++i) {
        const QString root = QString::fromLocal8Bit(argv[i]);
        if (!QFileInfo(root).isDir()) {
            std::fprintf(stderr, "no folder %s\n", argv[i]);
            return 1;
        }
        for (const FuzzEntry &entry : fuzzEntries()) {
            const int count = replayFolder(entry, root + u'/' + QString::fromLatin1(entry.name));
            if (count < 0)
                return 1;
            std::printf("%-14s %4d inputs from %s\n", entry.name, count, argv[i]);
            total += count;
        }
    }
    std::printf("%d inputs replayed\n", total);
    return total > 0 ? 0 : 1;
}
