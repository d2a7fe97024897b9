#include "core/rules/OptionRules.h"

#include <gtest/gtest.h>

TEST(OptionRules, RowCountFromText) {
    const struct {
        const char* Text;
        int32_t Rows;
    } cases[] = {
        {"", 15},
        {"  ", 15},
        {"abc", 15},
        {"1x", 15},
        {"-", 15},
        {"+", 15},
        {" 7 ", 7},
        {"25", 20},
        {"20", 20},
        {"0", 1},
        {"-3", 1},
        {"1", 1},
        {"+12", 12},
        {"99999999999999999999", 20},
        {"-99999999999999999999", 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RowCountFromText(c.Text), c.Rows) << '"' << c.Text << '"';
}
