// zellwerk-cli generate and booklet, end to end.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace zw {
namespace {

namespace fs = std::filesystem;

struct Result {
    int status = -1;
    std::string out, err;
};

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class GenerateCli : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zw-generate-cli-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    Result Exec(const std::string& args, const std::string& input = "") {
        const fs::path in = dir_ / "in.txt", err = dir_ / "err.txt";
        std::ofstream(in, std::ios::binary) << input;
        const std::string command =
            std::string(ZW_CLI_PATH) + " " + args + " <" + in.string() + " 2>" + err.string();
        Result r;
        FILE* pipe = popen(command.c_str(), "r");
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            r.out.append(buffer, n);
        const int status = pclose(pipe);
        r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        r.err = Slurp(err);
        return r;
    }

    fs::path dir_;
};

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST_F(GenerateCli, ASeedGivesTheSamePuzzlesOnAnyNumberOfThreads) {
    const Result one = Exec("generate --fields 30 --count 4 --seed 11 --threads 1");
    const Result two = Exec("generate --fields 30 --count 4 --seed 11 --threads 2");
    ASSERT_EQ(one.status, 0) << one.err;
    EXPECT_EQ(one.out, two.out);
    const auto puzzles = Lines(one.out);
    ASSERT_EQ(puzzles.size(), 4u);
    for (const std::string& p : puzzles) {
        ASSERT_EQ(p.size(), 81u);
        EXPECT_EQ(std::count(p.begin(), p.end(), '.'), 30) << p;
        EXPECT_EQ(p.find_first_not_of(".123456789"), std::string::npos) << p;
    }
    std::vector<std::string> distinct = puzzles;
    std::sort(distinct.begin(), distinct.end());
    EXPECT_EQ(std::unique(distinct.begin(), distinct.end()), distinct.end());
    EXPECT_NE(Exec("generate --fields 30 --count 4 --seed 12").out, one.out);
}

TEST_F(GenerateCli, HardPuzzlesHaveOneSolutionAndNormalOnesRateNormal) {
    const Result hard = Exec("generate --hard --fields 55 --count 3 --seed 5");
    ASSERT_EQ(hard.status, 0) << hard.err;
    EXPECT_EQ(Exec("count --limit 2", hard.out).out, "1\n1\n1\n");
    const Result normal = Exec("generate --fields 55 --count 3 --seed 5");
    EXPECT_EQ(Exec("rate", normal.out).out, "normal\nnormal\nnormal\n");
}

TEST_F(GenerateCli, BadArgumentsAreRefusedWithAMessage) {
    for (const char* args : {"generate --fields 82", "generate --fields x", "generate --count 0",
                             "generate --seed -1", "generate puzzles.txt", "generate --bogus",
                             "booklet", "booklet --count 501 --output b.pdf", "booklet --count 2",
                             "booklet --count 2 --levels leicht,easy --output b.pdf",
                             "booklet --count 1 --output b.pdf puzzles.txt"}) {
        const Result r = Exec(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_NE(r.err.find("zellwerk-cli"), std::string::npos) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }
}

TEST_F(GenerateCli, BookletWritesAPdfOrSaysThisBuildCannot) {
    const fs::path pdf = dir_ / "heft.pdf";
    const Result r =
        Exec("booklet --count 3 --levels leicht,schwer --solutions --output " + pdf.string());
    if (r.status == 2 && r.err.find("built without Qt") != std::string::npos)
        GTEST_SKIP() << "a build without Qt writes no PDF";
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string bytes = Slurp(pdf);
    EXPECT_EQ(bytes.rfind("%PDF", 0), 0u);
    // A title page, two puzzle pages, one page of solutions.
    FILE* info = popen(("pdfinfo '" + pdf.string() + "'").c_str(), "r");
    char buffer[4096];
    const std::size_t n = fread(buffer, 1, sizeof buffer, info);
    pclose(info);
    const std::string text(buffer, n);
    const std::size_t pages = text.find("Pages:");
    ASSERT_NE(pages, std::string::npos) << text;
    EXPECT_EQ(std::stoi(text.substr(pages + 6)), 4) << text;
}

TEST_F(GenerateCli, ABookletThatCannotBeWrittenFailsAndSaysWhy) {
    const fs::path pdf = dir_ / "fehlt" / "heft.pdf";
    const Result r = Exec("booklet --count 1 --output " + pdf.string());
    if (r.status == 2 && r.err.find("built without Qt") != std::string::npos)
        GTEST_SKIP() << "a build without Qt writes no PDF";
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("Das SuDoKu-Heft konnte nicht gespeichert werden. Die Datei \"" +
                         pdf.string() + "\" kann nicht geschrieben werden ("),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(pdf));
}

}  // namespace
}  // namespace zw
