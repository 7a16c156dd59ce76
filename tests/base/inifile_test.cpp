#include "base/inifile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "base/encoding.h"
#include "lockedfolder.h"

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void putFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

IniFile parsed(const QByteArray &bytes)
{
    IniParse p = IniFile::parse(bytes);
    EXPECT_TRUE(p.ok()) << p.error.toStdString();
    return p.file;
}

// A file as the Windows station writes it: Big5, CRLF, sections and keys in its own letter case,
// a comment and an unknown section whose name holds a Big5 character ending in "]" (0x5D), a
// company name whose characters end in "\" (0x5C), and a comment with bytes that are no Big5.
const QByteArray WindowsFile =
    "; \xb6\x71\xb4\xfa\xaf\xb8\xb3\x5d\xa9\x77\r\n"      // ; 量測站設定
    "[COMPANY]\r\n"
    "name=\xb3\x5c\xa5\x5c\xbb\x5c\xba\xeb\xb1\x4b\r\n"  // 許功蓋精密
    "\r\n"
    "[\xb3\x5d\xa9\x77]\r\n"                             // [設定]
    "\xb3\xc6\xb5\xf9=\xb4\xfa\xb8\xd5\x5c\xa5\x5c\r\n"  // 備註=測試\功
    "; \x80\xff broken\r\n"
    "[Option]\r\n"
    "RedPoint = 0\r\n";

} // namespace

struct ReadRow {
    const char *Document;
    const char *Key;       // in section "S"
    const char *String;    // readString with fallback "<none>"
    int Integer;           // readInteger with fallback -1
    double Float;          // readFloat with fallback -1.5
};

class IniReadTest : public ::testing::TestWithParam<ReadRow> {};

TEST_P(IniReadTest, FollowsThePlatformReaders)
{
    const ReadRow &row = GetParam();
    const IniFile ini = parsed(QByteArray(row.Document));
    const QString key = QString::fromUtf8(row.Key);
    EXPECT_EQ(ini.readString(u"S", key, QStringLiteral("<none>")).toStdString(), row.String);
    EXPECT_EQ(ini.readInteger(u"S", key, -1), row.Integer);
    // Every row whose integer is -1 reads the fallback.
    EXPECT_EQ(ini.readBool(u"S", key, false), row.Integer != -1 && row.Integer != 0);
    EXPECT_DOUBLE_EQ(ini.readFloat(u"S", key, -1.5), row.Float);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniReadTest,
    ::testing::Values(
        // Letter case of sections and keys does not matter; blanks around key and value go.
        ReadRow{"[s]\nZOOM=2\n", "Zoom", "2", 2, 2}, ReadRow{"  [ S ]  \r\n  cx =  3.5  \r\n", "CX", "3.5", -1, 3.5},
        // Missing: the fallback; present but empty: "" and the number fallbacks.
        ReadRow{"[S]\nOther=1\n", "Zoom", "<none>", -1, -1.5}, ReadRow{"[S]\nZoom=\n", "Zoom", "", -1, -1.5},
        // Integers: decimal with sign, hexadecimal; anything else or beyond 32 bits is no number.
        ReadRow{"[S]\nk=-7\n", "k", "-7", -7, -7}, ReadRow{"[S]\nk=+5\n", "k", "+5", 5, 5},
        ReadRow{"[S]\nk=0x1F\n", "k", "0x1F", 31, -1.5}, ReadRow{"[S]\nk=12abc\n", "k", "12abc", -1, -1.5},
        ReadRow{"[S]\nk=2147483648\n", "k", "2147483648", -1, 2147483648.0},
        ReadRow{"[S]\nk=-2147483648\n", "k", "-2147483648", -2147483647 - 1, -2147483648.0},
        ReadRow{"[S]\nk=0x-1\n", "k", "0x-1", -1, -1.5}, ReadRow{"[S]\nk=1 2\n", "k", "1 2", -1, -1.5},
        // Floats: "." and an exponent; a comma, "inf", "nan" or an overflow are no number.
        ReadRow{"[S]\nk=1E20\n", "k", "1E20", -1, 1e20}, ReadRow{"[S]\nk=.5\n", "k", ".5", -1, 0.5},
        ReadRow{"[S]\nk=1,5\n", "k", "1,5", -1, -1.5}, ReadRow{"[S]\nk=inf\n", "k", "inf", -1, -1.5},
        ReadRow{"[S]\nk=nan\n", "k", "nan", -1, -1.5}, ReadRow{"[S]\nk=1e999\n", "k", "1e999", -1, -1.5},
        ReadRow{"[S]\nk=36.9\n", "k", "36.9", -1, 36.9}, ReadRow{"[S]\nk=1e\n", "k", "1e", -1, -1.5},
        // One pair of matching quotes is dropped; a lone quote stays.
        ReadRow{"[S]\nk=\"  a \"\n", "k", "  a ", -1, -1.5}, ReadRow{"[S]\nk='3'\n", "k", "3", 3, 3},
        ReadRow{"[S]\nk=\"3\n", "k", "\"3", -1, -1.5},
        // The first key wins, also from a later section of the same name; keys before any section
        // and comment lines are no keys.
        ReadRow{"[S]\nk=1\nk=2\n", "k", "1", 1, 1}, ReadRow{"[S]\na=1\n[T]\nk=9\n[s]\nk=2\n", "k", "2", 2, 2},
        ReadRow{"k=1\n[S]\n", "k", "<none>", -1, -1.5}, ReadRow{"[S]\n;k=1\n", ";k", "<none>", -1, -1.5}));

TEST(IniFileTest, WindowsFileRoundTripsAndKeepsEveryOtherLineByteForByte)
{
    IniFile ini = parsed(WindowsFile);
    EXPECT_EQ(ini.encoding(), IniFile::Encoding::Big5);
    EXPECT_EQ(ini.lineEnd(), IniFile::LineEnd::CrLf);
    EXPECT_EQ(ini.readString(u"Company", u"Name", QString()), QStringLiteral("許功蓋精密"));
    EXPECT_EQ(ini.readString(u"設定", u"備註", QString()), QStringLiteral("測試\\功"));
    EXPECT_FALSE(ini.readBool(u"option", u"redpoint", true));

    // Unchanged, and values written as they already are, give the file back as it was.
    ini.writeString(QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("許功蓋精密"));
    ini.writeBool(QStringLiteral("Option"), QStringLiteral("RedPoint"), false);
    EXPECT_EQ(ini.serialize().bytes, WindowsFile);

    // A changed key keeps the file's spelling of its name; a new key follows the section's last
    // key; a new section goes at the end; all in Big5 with CRLF.
    ini.writeString(QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("影像"));
    ini.writeInteger(QStringLiteral("Option"), QStringLiteral("CrossLine"), 1);
    ini.writeString(QStringLiteral("Company"), QStringLiteral("Phone"), QStringLiteral(" 02 "));
    ini.writeFloat(QStringLiteral("Brinell"), QStringLiteral("cx"), 3.2);
    const QByteArray expected =
        "; \xb6\x71\xb4\xfa\xaf\xb8\xb3\x5d\xa9\x77\r\n"
        "[COMPANY]\r\n"
        "name=\xbc\x76\xb9\xb3\r\n"
        "Phone=\" 02 \"\r\n"
        "\r\n"
        "[\xb3\x5d\xa9\x77]\r\n"
        "\xb3\xc6\xb5\xf9=\xb4\xfa\xb8\xd5\x5c\xa5\x5c\r\n"
        "; \x80\xff broken\r\n"
        "[Option]\r\n"
        "RedPoint = 0\r\n"
        "CrossLine=1\r\n"
        "[Brinell]\r\n"
        "cx=3.2\r\n";
    const IniBytes out = ini.serialize();
    ASSERT_TRUE(out.ok()) << out.error.toStdString();
    EXPECT_EQ(out.bytes, expected);
    const IniFile again = parsed(out.bytes);
    EXPECT_EQ(again.readString(u"company", u"phone", QString()), QStringLiteral(" 02 "));
    EXPECT_EQ(again.readString(u"Company", u"Name", QString()), QStringLiteral("影像"));
}

TEST(IniFileTest, EncodingMarkAndLineEndsOfTheFileAreKept)
{
    struct Row {
        QByteArray Before;
        IniFile::Encoding Encoding;
        QByteArray After;  // after writing S/k = 中
    };
    const Row rows[] = {
        // UTF-8 with its mark, no line end at the end: the last line gets one when lines follow.
        {"\xEF\xBB\xBF[S]\r\na=1", IniFile::Encoding::Utf8WithBom, "\xEF\xBB\xBF[S]\r\na=1\r\nk=\xE4\xB8\xAD\r\n"},
        // Plain ASCII counts as UTF-8; LF stays LF.
        {"[S]\na=1\n", IniFile::Encoding::Utf8, "[S]\na=1\nk=\xE4\xB8\xAD\n"},
        // A new document: UTF-8, LF.
        {"", IniFile::Encoding::Utf8, "[S]\nk=\xE4\xB8\xAD\n"},
        // Big5 (the bytes of 中 are no UTF-8); a key's old value is replaced in place.
        {"[S]\nk=\xa4\xa4\xa4\xe5\nz=1\n", IniFile::Encoding::Big5, "[S]\nk=\xa4\xa4\nz=1\n"},
    };
    for (const Row &row : rows) {
        IniFile ini = parsed(row.Before);
        EXPECT_EQ(ini.encoding(), row.Encoding) << row.Before.toStdString();
        ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("中"));
        EXPECT_EQ(ini.serialize().bytes, row.After) << row.Before.toStdString();
    }
}

TEST(IniFileTest, RefusesWhatItCannotStore)
{
    EXPECT_FALSE(IniFile::parse(QByteArray("\xFF\xFE[\0S\0]\0", 8)).ok()) << "UTF-16 is refused, not misread";

    IniFile ini;
    EXPECT_THROW(ini.writeString(QStringLiteral("S"), QStringLiteral("k"), QStringLiteral("a\nb=1")), std::invalid_argument);
    EXPECT_THROW(ini.writeString(QStringLiteral("S]"), QStringLiteral("k"), QStringLiteral("1")), std::invalid_argument);
    EXPECT_THROW(ini.writeString(QStringLiteral("S"), QStringLiteral("k=j"), QStringLiteral("1")), std::invalid_argument);
    EXPECT_THROW(ini.writeFloat(QStringLiteral("S"), QStringLiteral("k"), std::nan("")), std::invalid_argument);

    // A simplified character has no Big5 form: saving fails and the old file stays.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillmont.ini"));
    putFile(path, WindowsFile);
    IniFile big5 = parsed(WindowsFile);
    big5.writeString(QStringLiteral("Company"), QStringLiteral("Name"), QStringLiteral("测量"));
    const FileWriteResult saved = big5.save(path);
    EXPECT_FALSE(saved.ok());
    EXPECT_TRUE(saved.error.contains(QStringLiteral("测量"))) << saved.error.toStdString();
    EXPECT_EQ(fileBytes(path), WindowsFile);
}

TEST(IniFileTest, FailedSaveLeavesTheOldFileAndNoTemporary)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quillmont.ini"));
    putFile(path, WindowsFile);
    IniFile ini = parsed(WindowsFile);
    ini.writeString(QStringLiteral("Company"), QStringLiteral("Name"), QString(5000, u'x'));

    // A full disk: the write stops part-way.
    FileWriteResult full;
    withFileSizeLimit(1000, [&] { full = ini.save(path); });
    EXPECT_FALSE(full.ok());
    EXPECT_EQ(fileBytes(path), WindowsFile);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("Quillmont.ini")});

    // A folder that takes no new file.
    {
        LockedFolder lock(dir.path());
        if (lock.locked()) {
            const FileWriteResult refused = ini.save(path);
            EXPECT_FALSE(refused.ok());
            EXPECT_TRUE(refused.error.contains(QDir::toNativeSeparators(path))) << refused.error.toStdString();
        }
    }
    EXPECT_EQ(fileBytes(path), WindowsFile);

    // And the same document saves once the folder can be written.
    ASSERT_TRUE(ini.save(path).ok());
    EXPECT_EQ(IniFile::load(path).file.readString(u"Company", u"Name", QString()), QString(5000, u'x'));
}

TEST(IniFileTest, MissingFileIsAnEmptyDocument)
{
    const IniParse missing = IniFile::load(QStringLiteral("/nonexistent/Quillmont.ini"));
    EXPECT_TRUE(missing.ok());
    EXPECT_FALSE(missing.file.valueExists(u"Company", u"Name"));
}
