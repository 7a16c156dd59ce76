#include "output/ziparchive.h"

#include <cstring>
#include <functional>

#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// A package with one uncompressed part, so its bytes can be changed where they lie.
QByteArray storedPackage(const QByteArray &data)
{
    ZipArchive archive;
    archive.put(QStringLiteral("xl/workbook.xml"), data, true);
    QString error;
    const QByteArray bytes = archive.write(&error);
    EXPECT_TRUE(error.isEmpty()) << error.toStdString();
    return bytes;
}

// Sets a 32-bit field of the local header and of the central directory entry of the only part.
void setHeaderField(QByteArray &zip, int localOffset, int centralOffset, quint32 value)
{
    const qsizetype central = zip.indexOf("PK\x01\x02");
    ASSERT_GE(central, 0);
    qToLittleEndian(value, zip.data() + localOffset);
    qToLittleEndian(value, zip.data() + central + centralOffset);
}

constexpr int LocalCrc = 14, CentralCrc = 16;
constexpr int LocalSize = 22, CentralSize = 24;

}  // namespace

TEST(ZipArchiveTest, PartsThatLieAboutThemselvesAreRefused)
{
    const QByteArray content("<workbook>0123456789</workbook>");
    struct Case {
        const char *name;
        std::function<void(QByteArray &)> damage;
        const char *errorPart;  // a piece of the expected error text; empty: any error
    };
    const Case cases[] = {
        // A few bytes that claim four gigabytes must not make the reader take them.
        {"declared 4 GB", [](QByteArray &zip) { setHeaderField(zip, LocalSize, CentralSize, 0xFFFFFF00u); }, "too large"},
        {"declared 300 MB", [](QByteArray &zip) { setHeaderField(zip, LocalSize, CentralSize, 300u << 20); }, "too large"},
        {"declared larger than held", [&](QByteArray &zip) { setHeaderField(zip, LocalSize, CentralSize, quint32(content.size() + 40)); }, ""},
        {"data changed", [&](QByteArray &zip) { zip[zip.indexOf("0123456789")] = '9'; }, ""},
        {"checksum changed", [](QByteArray &zip) { setHeaderField(zip, LocalCrc, CentralCrc, 0x12345678u); }, ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray zip = storedPackage(content);
        c.damage(zip);
        QString error;
        const ZipArchive archive = ZipArchive::read(zip, &error);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_TRUE(error.contains(QLatin1String(c.errorPart))) << error.toStdString();
        EXPECT_TRUE(archive.parts().empty());
    }
}

TEST(ZipArchiveTest, PartsLongerThanOneReadComeBackWhole)
{
    // Parts are read in pieces of 64 KB; sizes around a piece's end must not lose or add a byte.
    for (const qsizetype size : {qsizetype(0), qsizetype(65535), qsizetype(65536), qsizetype(65537), qsizetype(300000)}) {
        SCOPED_TRACE(size);
        QByteArray data(size, Qt::Uninitialized);
        for (qsizetype i = 0; i < size; ++i)
            data[i] = char(i * 7 % 251);
        for (const bool stored : {true, false}) {
            ZipArchive archive;
            archive.put(QStringLiteral("xl/media/image1.png"), data, stored);
            QString error;
            const ZipArchive back = ZipArchive::read(archive.write(&error), &error);
            ASSERT_TRUE(error.isEmpty()) << error.toStdString();
            ASSERT_EQ(back.parts().size(), 1u);
            EXPECT_EQ(back.parts()[0].data, data);
        }
    }
}
