// Count-all in the real window, cancelled through the real menu action.
#include <gtest/gtest.h>

#include "board/board_string.h"
#include "support/main_window_fixture.h"

namespace zw {
namespace {

TEST(SolveWidget, CountAllOnAnEmptyBoardEndsWithTheCancelAction) {
    test::MainWindowFixture f;
    QAction* countAll = f.Action("mSuDoKuSearchAll");
    QAction* cancel = f.Action("mSuDoKuBeak");
    ASSERT_NE(countAll, nullptr);
    ASSERT_NE(cancel, nullptr);
    bool cancelEnabled = false, countEnabled = true;
    f.mp.events.actAt = 400;
    f.mp.events.action = [&] {
        test::MainWindowFixture::Settle();
        cancelEnabled = cancel->isEnabled();
        countEnabled = countAll->isEnabled();
        cancel->trigger();
    };
    countAll->trigger();
    EXPECT_TRUE(cancelEnabled);
    EXPECT_FALSE(countEnabled);
    EXPECT_TRUE(countAll->isEnabled());

    const std::vector<std::string> log = f.LogMessages();
    long found = 0;
    for (const std::string& line : log)
        found += line.rfind("Lösen... Lösung gefunden (", 0) == 0 ? 1 : 0;
    ASSERT_GT(found, 0);
    EXPECT_NE(std::find(log.begin(), log.end(), "Abbruch"), log.end());
    const std::string n = std::to_string(found);
    EXPECT_EQ(log.back().rfind("Lösen fertig (" + n + " Lösungen in ", 0), 0u) << log.back();
    ASSERT_FALSE(f.mp.messages.shown.empty());
    const std::string& box = f.mp.messages.shown.back().text;
    EXPECT_EQ(box.rfind("Für dieses SuDoKu wurden in ", 0), 0u) << box;
    EXPECT_NE(box.find(" Sekunden " + n + " Lösungen gefunden."), std::string::npos) << box;
    EXPECT_EQ(CountOpenCells(f.form.Matrix), 81);
}

}  // namespace
}  // namespace zw
