#include "base/numberformat.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace {

struct FormatRow {
    const char *Pattern;
    double Value;
    const char *Expected;
};

void PrintTo(const FormatRow &row, std::ostream *os)
{
    *os << '"' << row.Pattern << "\" " << row.Value;
}

class FormatFloatTest : public ::testing::TestWithParam<FormatRow> {};

TEST_P(FormatFloatTest, MatchesExpectedText)
{
    const FormatRow &row = GetParam();
    EXPECT_EQ(formatFloat(QString::fromUtf8(row.Pattern), row.Value).toStdString(), row.Expected);
}

const double inf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatFloatTest,
    ::testing::Values(
        // Literal prefixes and suffixes, including non-ASCII and line breaks.
        FormatRow{"=0.000", 12.3456, "=12.346"}, FormatRow{"=0.000°", 30, "=30.000°"},
        FormatRow{"Area:0.00 mm", 2.5, "Area:2.50 mm"}, FormatRow{"R0.0", 3, "R3.0"},
        FormatRow{"\nCx:0.000,", 1234.5, "\nCx:1,234.500"}, FormatRow{"CL:0", 4, "CL:4"},
        // Quoted text is literal even when it holds placeholder characters.
        FormatRow{"0.0 \"#0.,\"", 1.25, "1.3 #0.,"}, FormatRow{"'x0'0", 5, "x05"},
        // Integer width: zeros pad, more digits than placeholders are never cut.
        FormatRow{"000", 7, "007"}, FormatRow{"000", 1234, "1234"}, FormatRow{"0000", 12, "0012"},
        FormatRow{"#", 42, "42"}, FormatRow{"#0", 0, "0"}, FormatRow{"#.00", 0.5, ".50"},
        // Literals between integer placeholders stay in place.
        FormatRow{"00-00", 1234, "12-34"}, FormatRow{"00-00", 123456, "1234-56"},
        // The decimal point only when a digit follows it.
        FormatRow{"0.", 12.6, "13"}, FormatRow{"0.##", 1, "1"}, FormatRow{"0.##", 1.5, "1.5"},
        FormatRow{"0.0#", 1.5, "1.5"}, FormatRow{"0.0#", 1.25, "1.25"}, FormatRow{"0.#0", 1, "1.00"},
        // Rounding on the 15-digit decimal form, halves away from zero.
        FormatRow{"0.00", 1.005, "1.01"}, FormatRow{"0.000", 2.0005, "2.001"}, FormatRow{"0.00", -1.005, "-1.01"},
        FormatRow{"0", 0.5, "1"}, FormatRow{"0", 2.5, "3"}, FormatRow{"0.0", 9.96, "10.0"},
        FormatRow{"0.000000", 1.0 / 3, "0.333333"}, FormatRow{"0.00", 0.004, "0.00"},
        FormatRow{"0.00", 0.005, "0.01"}, FormatRow{"0.0", 0.0001, "0.0"},
        // Signs: before the first digit, never on a zero result.
        FormatRow{"=0.000", -12.3456, "=-12.346"}, FormatRow{"0.00", -0.001, "0.00"}, FormatRow{"0", -0.0, "0"},
        FormatRow{"#.00", -0.5, "-.50"},
        // Grouping switched on by a comma anywhere.
        FormatRow{"0.000", 1234567.891, "1234567.891"}, FormatRow{"0,.000", 1234567.891, "1,234,567.891"},
        FormatRow{"#,##0", 999, "999"}, FormatRow{"#,##0", 1000, "1,000"}, FormatRow{"#,##0", -1234567, "-1,234,567"},
        FormatRow{"0000,", 12, "0,012"},
        // Digits beyond the 15 significant ones print as zeros.
        FormatRow{"0.000", 1e20, "100000000000000000000.000"},
        FormatRow{"0", 123456789012345678.0, "123456789012346000"},
        FormatRow{"0.00000000000000000000", 0.1, "0.10000000000000000000"},
        // An empty pattern falls back to the general form.
        FormatRow{"", 2.5, "2.5"},
        // A value without digits stands where the number would, between the same literals.
        FormatRow{"0.00", std::nan(""), "NAN"}, FormatRow{"0.00", inf, "INF"}, FormatRow{"0.00", -inf, "-INF"},
        FormatRow{"=0.000", inf, "=INF"}, FormatRow{"\nCx:0.000,", -inf, "\nCx:-INF"},
        FormatRow{"=0.000°", std::nan(""), "=NAN°"}, FormatRow{"\"x0\"0.0 mm", inf, "x0INF mm"}));

class FloatToTextTest : public ::testing::TestWithParam<std::pair<double, const char *>> {};

TEST_P(FloatToTextTest, ShortestOfFifteenDigits)
{
    EXPECT_EQ(floatToText(GetParam().first).toStdString(), GetParam().second) << GetParam().first;
}

INSTANTIATE_TEST_SUITE_P(
    Values, FloatToTextTest,
    ::testing::Values(std::pair{0.1, "0.1"}, std::pair{12.5, "12.5"}, std::pair{-3.0, "-3"}, std::pair{0.0, "0"},
                      std::pair{-0.0, "0"}, std::pair{1.0 / 3, "0.333333333333333"},
                      std::pair{2.0 / 3, "0.666666666666667"},
                      std::pair{123456789012345678.0, "1.23456789012346E17"}, std::pair{1e15, "1E15"},
                      std::pair{1e14, "100000000000000"}, std::pair{999999999999999.9, "1E15"},
                      std::pair{0.0001, "0.0001"}, std::pair{0.00001, "1E-5"}, std::pair{1.5e-7, "1.5E-7"},
                      std::pair{-2.5e-300, "-2.5E-300"}, std::pair{1e300, "1E300"}, std::pair{100.0, "100"},
                      std::pair{0.30000000000000004, "0.3"}, std::pair{std::nan(""), "NAN"},
                      std::pair{-inf, "-INF"}));

} // namespace
