#include "base/encoding.h"

#include <gtest/gtest.h>

TEST(EncodingTest, Big5BothWaysWithReplacements)
{
    struct Row {
        const char *Text;      // UTF-8
        QByteArray Big5;
        qsizetype Unmappable;  // characters that became "?"
    };
    const Row rows[] = {
        {"abc", "abc", 0},
        {"許功蓋", "\xb3\x5c\xa5\x5c\xbb\x5c", 0},  // trail bytes that are "\"
        {"設定]", "\xb3\x5d\xa9\x77]", 0},           // a trail byte that is "]"
        {"测试長度", "??\xaa\xf8\xab\xd7", 2},       // simplified forms have none
        {"A😀B", "A?B", 1},                         // one "?" per character, not per UTF-16 unit
        {"", "", 0},
    };
    for (const Row &row : rows) {
        const QString text = QString::fromUtf8(row.Text);
        qsizetype unmappable = -1;
        EXPECT_EQ(toBig5(text, &unmappable), row.Big5) << row.Text;
        EXPECT_EQ(unmappable, row.Unmappable) << row.Text;
        if (row.Unmappable == 0) {
            EXPECT_EQ(fromBig5(row.Big5), text) << row.Text;
        }
    }
    // A byte that starts no character becomes U+FFFD; ASCII after a broken lead byte stays.
    EXPECT_EQ(fromBig5("a\xff" "b\xa4!c\xa4"), QStringLiteral("a\uFFFDb\uFFFD!c\uFFFD"));
}

TEST(EncodingTest, Utf8IsToldFromBig5)
{
    EXPECT_TRUE(isUtf8("plain ASCII"));
    EXPECT_TRUE(isUtf8("\xE4\xB8\xAD\xE6\x96\x87"));       // 中文
    EXPECT_FALSE(isUtf8("\xa4\xa4\xa4\xe5"));               // 中文 in Big5
    EXPECT_FALSE(isUtf8("\xE4\xB8"));                       // cut off
    EXPECT_FALSE(isUtf8("\xC0\xAF"));                       // overlong "/"
    EXPECT_FALSE(isUtf8("\xED\xA0\x80"));                   // a surrogate
}
