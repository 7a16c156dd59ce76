#include "base/gridlayout.h"
#include "fuzz/fuzzentry.h"

// A grid's ".pos" file: whatever it holds is either refused with a message and no columns, or
// gives columns that are written and read back unchanged.
int fuzzGridLayout(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString name = QStringLiteral("grdMeasure.pos");
    const GridLayoutResult parsed = parseGridLayout(bytes, name);
    FUZZ_REQUIRE(parsed.exists);
    if (!parsed.ok()) {
        FUZZ_REQUIRE(parsed.columns.empty());
        FUZZ_REQUIRE(parsed.error.startsWith(name));
        return 0;
    }
    const GridLayoutResult back = parseGridLayout(gridLayoutText(parsed.columns), name);
    FUZZ_REQUIRE(back.ok());
    FUZZ_REQUIRE(back.columns == parsed.columns);
    return 0;
}
