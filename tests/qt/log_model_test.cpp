#include "qt/log_model.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

#include "platform/memory_platform.h"

namespace zw {
namespace {

struct LogModelFixture {
    LogModelFixture() {
        form.Form_Load();
        // Fatal: any broken model contract aborts the test.
        tester = std::make_unique<QAbstractItemModelTester>(
            &model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    MemoryPlatform mp;
    frmMain form{mp.platform};
    LogModel model{form.List1};
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST(LogModel, AnnouncesManyAppendsAsOneInsertionWhenFlushed) {
    LogModelFixture f;
    QSignalSpy inserted(&f.model, &QAbstractItemModel::rowsInserted);
    for (int i = 0; i < 1000; ++i) {
        f.form.AddLog("Eingabe ok.");
        f.model.NoteAppended();
    }
    EXPECT_EQ(f.model.rowCount(), 0);  // nothing announced yet
    EXPECT_TRUE(f.model.Pending());
    f.model.Flush();
    ASSERT_EQ(inserted.size(), 1);
    EXPECT_EQ(inserted[0][1].toInt(), 0);
    EXPECT_EQ(inserted[0][2].toInt(), 999);
    EXPECT_EQ(f.model.rowCount(), 1000);
    EXPECT_FALSE(f.model.Pending());
    f.model.Flush();  // nothing new: no signal
    EXPECT_EQ(inserted.size(), 1);
}

TEST(LogModel, ShowsLinesAsUnicodeTextAndFlushesFromTheEventLoop) {
    LogModelFixture f;
    f.mp.clock.timeOfDay = "09:15:00";
    f.form.AddLog("Gesamtes Zahlenfeld löschen.");
    f.model.NoteAppended();
    QCoreApplication::processEvents();
    ASSERT_EQ(f.model.rowCount(), 1);
    EXPECT_EQ(f.model.data(f.model.index(0), Qt::DisplayRole).toString(),
              QStringLiteral("09:15:00\tGesamtes Zahlenfeld löschen."));
    EXPECT_FALSE(f.model.data(f.model.index(0), Qt::DecorationRole).isValid());
}

TEST(LogModel, ResetFollowsAReplacedList) {
    LogModelFixture f;
    for (int i = 0; i < 5; ++i)
        f.form.AddLog("Eingabe ok.");
    f.model.Flush();
    QSignalSpy reset(&f.model, &QAbstractItemModel::modelReset);
    f.form.List1.lines.Clear();
    f.form.List1.lines.Append("12:00:00\tEingabe ok.");
    f.model.Reset();
    EXPECT_EQ(reset.size(), 1);
    EXPECT_EQ(f.model.rowCount(), 1);
    // A list that shrank without a reset is caught at the next flush.
    f.form.List1.lines.Clear();
    f.model.Flush();
    EXPECT_EQ(f.model.rowCount(), 0);
}

}  // namespace
}  // namespace zw
