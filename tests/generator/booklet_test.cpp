#include "generator/booklet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "board/board_string.h"
#include "support/test_board.h"

namespace zw {
namespace {

using test::FormFixture;

TEST(Booklet, ReadsTheNumberOfPuzzles) {
    const std::pair<const char*, long long> rows[] = {
        {"3", 3},
        {" 1 2 ", 12},
        {"\t7\n", 7},
        {"2 Rätsel", 2},
        {"2.9", 2},
        {"2,9", 2},
        {"", 0},
        {"abc", 0},
        {".", 0},
        {".5", 0},
        {"-1", -1},
        {"-0.5", -1},
        {"+4", 4},
        {"5.", 5},
        {"1e2", 100},
        {"1d2", 100},
        {"1e", 1},
        {"1e+", 1},
        {"e5", 0},
        {"1 e 2", 100},
        {"7\r", 7},
        {"1e999", 1000000000000000000},
        {"99999999999999999999999", 1000000000000000000},
    };
    for (const auto& [text, count] : rows)
        EXPECT_EQ(ReadPuzzleCount(text), count) << '"' << text << '"';
}

TEST(Booklet, CheckedLevelsTakeTurnsAndNoneMeansMittel) {
    NewHeftOptions o;
    auto names = [](const NewHeftOptions& options) {
        std::string out;
        for (const BookletLevel& l : BookletLevels(options))
            out += l.name + "(" + std::to_string(l.degree) + "," + std::to_string(l.fields) + ") ";
        return out;
    };
    EXPECT_EQ(names(o), "Mittel(1,55) ");
    o.schwer = o.leicht = true;
    EXPECT_EQ(names(o), "Leicht(1,45) Schwer(2,55) ");
    o.mittel = true;
    EXPECT_EQ(names(o), "Leicht(1,45) Mittel(1,55) Schwer(2,55) ");
}

bool HasOp(const std::vector<std::string>& ops, const std::string& part) {
    return std::any_of(ops.begin(), ops.end(),
                       [&](const std::string& op) { return op.find(part) != std::string::npos; });
}

long Count(const std::vector<std::string>& lines, const std::string& prefix) {
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

// Runs `action` at the k-th pump call after the log receives a line starting with `line` for
// the nth time.
struct ActAfterLine final : WindowListener {
    ActAfterLine(FormFixture& form, std::string start, int time, long long calls,
                 std::function<void()> action)
        : f(form), line(std::move(start)), nth(time), k(calls) {
        f.mp.events.action = std::move(action);
        f.form.SetListener(this);
    }
    ~ActAfterLine() override { f.form.SetListener(nullptr); }
    void LogAppended() override {
        if (f.LogMessages().back().rfind(line, 0) == 0 && ++seen == nth)
            f.mp.events.actAt = f.mp.events.calls + k;
    }
    void LogReset() override {}
    void LogSelected(int) override {}
    void LogVisibilityChanged() override {}
    void BusyChanged() override {}
    FormFixture& f;
    std::string line;
    int nth, seen = 0;
    long long k;
};

void AskFor(FormFixture& f, const char* count) {
    f.mp.dialogs.newHeft = [count](NewHeftOptions& o) {
        o.count = count;
        return true;
    };
}

TEST(Booklet, OutOfRangeNumbersAreRefusedAndTheDialogRemembersOnlyAfterCancel) {
    FormFixture f;
    std::vector<std::string> seen;
    std::string type;
    bool ok = false;
    f.mp.dialogs.newHeft = [&](NewHeftOptions& o) {
        seen.push_back(o.count);
        o.count = type;
        o.mittel = true;
        return ok;
    };
    type = "7";
    f.form.mSuDoKuNewHeft_Click();  // cancelled
    ok = true;
    type = "0";
    f.form.mSuDoKuNewHeft_Click();
    type = "501";
    f.form.mSuDoKuNewHeft_Click();
    EXPECT_EQ(seen, (std::vector<std::string>{"3", "7", "0"}));
    ASSERT_EQ(f.mp.messages.shown.size(), 2u);
    EXPECT_EQ(f.mp.messages.shown[0].text,
              "Bitte geben Sie als Anzahl Rätsel eine Zahl von 1 bis 500 ein.");
    EXPECT_EQ(f.form.List1.ListCount(), 0u) << "nothing generated";
    EXPECT_TRUE(f.mp.wait.titles.empty());

    type = "1";
    f.mp.fileDialog.answers.push_back(std::nullopt);  // and no booklet saved
    f.form.mSuDoKuNewHeft_Click();
    EXPECT_EQ(seen.back(), "501");
    EXPECT_TRUE(f.mp.printer.documents.empty());
    ASSERT_EQ(f.mp.fileDialog.shown.size(), 1u);
    EXPECT_EQ(f.mp.fileDialog.shown[0].title, "SuDoKu-Heft speichern unter ...");
    EXPECT_EQ(f.mp.fileDialog.shown[0].filter, "PDF-Datei|*.pdf");
    f.mp.dialogs.newHeft = [&](NewHeftOptions& o) {
        EXPECT_EQ(o.count, "3");
        EXPECT_FALSE(o.mittel || o.leicht || o.schwer || o.solutions);
        return false;
    };
    f.form.mSuDoKuNewHeft_Click();  // after OK the dialog opens afresh
}

TEST(Booklet, CancelStopsOnlyTheRunInProgressAndThePdfHoldsTheFinishedPuzzles) {
    FormFixture f;
    f.mp.dialogs.newHeft = [](NewHeftOptions& o) {
        o.count = "3";
        o.leicht = o.schwer = true;
        o.solutions = true;
        return true;
    };
    f.mp.fileDialog.answers.push_back("/tmp/heft.pdf");
    {
        // The wait window's button while the second puzzle searches for its grid.
        ActAfterLine cancel(f, "Generierung... SuDoKu suchen ...", 2, 2, [&] {
            f.form.gCancel = true;
            f.mp.wait.visible = false;
        });
        f.form.mSuDoKuNewHeft_Click();
    }

    EXPECT_EQ(f.mp.wait.titles,
              (std::vector<std::string>{"SuDoKu erstellen 1/3 ...", "SuDoKu erstellen 2/3 ...",
                                        "SuDoKu erstellen 3/3 ..."}));
    EXPECT_FALSE(f.mp.wait.loaded);
    const auto lines = f.LogMessages();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Generierung..."), 3);
    EXPECT_EQ(Count(lines, "Generierung fertig"), 2);
    // The third puzzle, a "Leicht" one, is on the board.
    EXPECT_LE(CountOpenCells(f.form.Matrix), 45);
    EXPECT_GT(CountOpenCells(f.form.Matrix), 30);

    ASSERT_EQ(f.mp.printer.documents.size(), 1u);
    const auto& doc = f.mp.printer.documents[0];
    EXPECT_TRUE(doc.pdf);
    EXPECT_EQ(doc.target, "/tmp/heft.pdf");
    EXPECT_TRUE(doc.ended);
    // Title, one page with the two finished puzzles, one page of solutions.
    ASSERT_EQ(doc.pages.size(), 3u);
    EXPECT_TRUE(HasOp(doc.pages[0], "\"SuDoKu-Heft\""));
    EXPECT_TRUE(HasOp(doc.pages[0], "\"erstellt am 05.12.2026\""));
    EXPECT_TRUE(HasOp(doc.pages[0], "\"2 Rätsel mit Lösungen\""));
    EXPECT_TRUE(HasOp(doc.pages[1], "\"Rätsel 1 – Leicht\""));
    EXPECT_TRUE(HasOp(doc.pages[1], "\"Rätsel 2 – Leicht\""));
    EXPECT_FALSE(HasOp(doc.pages[1], "Schwer"));
    EXPECT_TRUE(HasOp(doc.pages[2], "\"Lösungen\""));
    EXPECT_TRUE(HasOp(doc.pages[2], "\"Rätsel 2 – Leicht\""));
    // Large puzzles (27.75 pt digits), small solutions with the filled-in digits in blue.
    EXPECT_TRUE(HasOp(doc.pages[1], "Tahoma 27.75 bold 000000"));
    EXPECT_TRUE(HasOp(doc.pages[2], "Tahoma 11.655 bold A00000"));
}

TEST(Booklet, APuzzleCancelledWhileItIsThinnedStaysOutOfTheBooklet) {
    FormFixture f;
    AskFor(f, "2");
    f.mp.fileDialog.answers.push_back("/tmp/heft.pdf");
    {
        ActAfterLine cancel(f, "Generierung... Überflüssige Zahlen löschen ...", 1, 3,
                            [&] { f.form.mSuDoKuBeak_Click(); });
        f.form.mSuDoKuNewHeft_Click();
    }
    const auto lines = f.LogMessages();
    EXPECT_EQ(Count(lines, "Generierung fertig"), 1);
    EXPECT_EQ(Count(lines, "Abbruch"), 1);
    ASSERT_EQ(f.mp.printer.documents.size(), 1u);
    const auto& pages = f.mp.printer.documents[0].pages;
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_TRUE(HasOp(pages[0], "\"1 Rätsel\""));
    EXPECT_TRUE(HasOp(pages[1], "\"Rätsel 1 – Mittel\""));
    EXPECT_FALSE(HasOp(pages[1], "\"Rätsel 2"));
}

TEST(Booklet, ClosingTheWindowEndsTheSeriesAndSavesNoBooklet) {
    // Closed inside the first run, or between the first and the second: the first pump after
    // a run's last line is that line's own, the next one the series'.
    for (const bool between : {false, true}) {
        FormFixture f;
        AskFor(f, "4");
        const auto close = [&] { f.form.Form_Unload(); };
        std::optional<ActAfterLine> after;
        if (between) {
            after.emplace(f, "Generierung fertig", 1, 2, close);
        } else {
            f.mp.events.actAt = 30;
            f.mp.events.action = close;
        }
        f.form.mSuDoKuNewHeft_Click();
        const auto lines = f.LogMessages();
        EXPECT_EQ(std::count(lines.begin(), lines.end(), "Generierung..."), 1) << between;
        EXPECT_TRUE(f.mp.fileDialog.shown.empty()) << between;
        EXPECT_EQ(f.mp.app.quits, 1) << between;
        EXPECT_FALSE(f.mp.wait.loaded) << between;
    }
}

TEST(Booklet, AFailedWriteOffersTheSaveDialogAgainUntilItIsCancelled) {
    FormFixture f;
    AskFor(f, "1");
    f.mp.printer.failBegin = "Zugriff verweigert.";
    f.mp.fileDialog.answers = {"/nur-lesen/heft.pdf", "/nur-lesen/heft.pdf", "/tmp/heft.pdf"};
    int failures = 0;
    f.mp.messages.onShow = [&] {
        if (++failures == 2)
            f.mp.printer.failBegin.clear();
    };
    f.form.mSuDoKuNewHeft_Click();
    EXPECT_EQ(f.mp.fileDialog.shown.size(), 3u);
    ASSERT_EQ(f.mp.messages.shown.size(), 2u);
    EXPECT_EQ(f.mp.messages.shown[0].text,
              "Das SuDoKu-Heft konnte nicht gespeichert werden. Zugriff verweigert.");
    ASSERT_EQ(f.mp.printer.documents.size(), 1u);
    EXPECT_EQ(f.mp.printer.documents[0].target, "/tmp/heft.pdf");
    EXPECT_TRUE(f.mp.printer.documents[0].ended);

    // Only a cancel in the dialog drops the booklet.
    f.mp.printer.failBegin = "Datenträger voll.";
    f.mp.fileDialog.answers = {"/voll/heft.pdf", std::nullopt};
    f.form.mSuDoKuNewHeft_Click();
    EXPECT_EQ(f.mp.fileDialog.shown.size(), 5u);
    EXPECT_EQ(f.mp.messages.shown.size(), 3u);
    EXPECT_EQ(f.mp.printer.documents.size(), 1u);
}

TEST(Booklet, ManyPuzzlesFillTwoAPageAndTwelveSolutionsAPage) {
    BookletContent b;
    b.date = "01.02.2027";
    b.withSolutions = true;
    for (int i = 1; i <= 13; ++i)
        b.puzzles.push_back({i, "Mittel", std::string(81, ' '), std::string(81, '1')});
    RecordingPrinter printer;
    std::string error;
    ASSERT_TRUE(printer.BeginPdf("/tmp/b.pdf", "t", error));
    LayOutBooklet(printer, b);
    ASSERT_TRUE(printer.End(error));
    const auto& pages = printer.documents[0].pages;
    ASSERT_EQ(pages.size(), 1u + 7u + 2u);
    EXPECT_TRUE(HasOp(pages[7], "\"Rätsel 13 – Mittel\""));
    EXPECT_TRUE(HasOp(pages[7], "\"Seite 8\""));
    EXPECT_TRUE(HasOp(pages[8], "\"Rätsel 12 – Mittel\""));
    EXPECT_TRUE(HasOp(pages[9], "\"Rätsel 13 – Mittel\""));
    EXPECT_FALSE(HasOp(pages[9], "\"Rätsel 12 – Mittel\""));
}

}  // namespace
}  // namespace zw
