#include "files/text_list.h"

#include <gtest/gtest.h>

namespace zw {
namespace {

TEST(TextList, KeepsEveryTextAcrossChunksIncludingHugeAndEmptyOnes) {
    TextList list;
    list.Append("");
    const std::string huge(3 << 20, 'h');
    std::vector<std::string> expected{""};
    for (int i = 0; i < 50000; ++i) {
        expected.push_back(std::to_string(i) + std::string(static_cast<std::size_t>(i % 97), 'x'));
        if (i == 20000)
            expected.push_back(huge);
        if (i == 20001)
            expected.push_back("");
    }
    for (std::size_t i = 1; i < expected.size(); ++i)
        list.Append(expected[i]);
    ASSERT_EQ(list.Count(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(list[i], expected[i]) << i;
    list.Clear();
    EXPECT_TRUE(list.Empty());
    list.Append("a");
    EXPECT_EQ(list[0], "a");
}

}  // namespace
}  // namespace zw
