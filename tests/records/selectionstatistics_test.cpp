#include "records/selectionstatistics.h"

#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

#include "records/labelselection.h"

namespace {

struct Case {
    std::initializer_list<std::pair<int, double>> picked;  // tag, value
    const char *count, *maximum, *minimum, *mean, *deviation;  // deviation null: keeps its text
};

}  // namespace

TEST(SelectionStatisticsTest, CaptionsFollowThePickedValues)
{
    const Case cases[] = {
        {{}, "0", "0.0000", "0", "0.0000", nullptr},
        {{{0, 1.0}, {1, 2.0}, {2, 3.0}}, "3", "3.0000", "1.0000", "2.0000", "1.0000"},
        {{{7, 4.0}}, "1", "4.0000", "4.0000", "4.0000", "XXX"},
        // Equal values whose mean does not come out exact still have no spread.
        {{{0, 0.1}, {5, 0.1}, {999, 0.1}}, "3", "0.1000", "0.1000", "0.1000", "XXX"},
        {{{3, -2.0}, {4, -4.0}}, "2", "-2.0000", "-4.0000", "-3.0000", "1.4142"},
    };
    for (const Case &c : cases) {
        LabelSelection selection;
        for (auto [tag, value] : c.picked) {
            selection.LabelSelected[std::size_t(tag)] = 1;
            selection.LabelSelectedValue[std::size_t(tag)] = value;
            ++selection.SelectedCount;
        }
        const StatisticsTexts t = statisticsTexts(selectionStatistics(selection));
        EXPECT_EQ(t.count.toStdString(), c.count);
        EXPECT_EQ(t.maximum.toStdString(), c.maximum);
        EXPECT_EQ(t.minimum.toStdString(), c.minimum);
        EXPECT_EQ(t.mean.toStdString(), c.mean);
        EXPECT_EQ(t.deviation.has_value(), c.deviation != nullptr);
        if (t.deviation && c.deviation) {
            EXPECT_EQ(t.deviation->toStdString(), c.deviation);
        }
    }
}
