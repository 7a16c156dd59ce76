#include "base/encoding.h"

#include <gtest/gtest.h>

namespace {

TEST(Big5, EncodesPerCharacterWithQuestionMarks)
{
    struct Case {
        const char *text;
        const char *hex;
        int unmappable;
    };
    const Case cases[] = {
        {"序號", "a7c7b8b9", 0},
        {"ABC, 1.5", "4142432c20312e35", 0},
        {"€", "a3e1", 0},
        {"这", "3f", 1},                // a simplified form
        {"A😀B这C", "413f423f43", 2},  // an emoji outside the basic plane
        {"", "", 0},
    };
    for (const Case &c : cases) {
        int unmappable = -1;
        EXPECT_EQ(toBig5(QString::fromUtf8(c.text), &unmappable).toHex(), QByteArray(c.hex)) << c.text;
        EXPECT_EQ(unmappable, c.unmappable) << c.text;
    }
}

TEST(Big5, DecodesAndMarksBrokenBytes)
{
    const QString text = QStringLiteral("工單號碼 TEMP 說明");
    EXPECT_EQ(fromBig5(toBig5(text)), text);
    EXPECT_EQ(fromBig5(QByteArray::fromHex("41ff42")), QStringLiteral("A\uFFFDB"));
    EXPECT_EQ(fromBig5(QByteArray::fromHex("41a4")), QStringLiteral("A\uFFFD"));  // cut inside a character
}

}  // namespace
