// The main window's logic: the board grid `Matrix`, the log `List1` with its snapshots, the
// window fields every command shares, and the handlers of the window's menus and controls.
// The Qt window forwards its events here and shows what this class holds.
#pragma once

#include <cstdint>
#include <functional>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "board/grid.h"
#include "board/grid_painter.h"
#include "files/text_list.h"
#include "platform/platform.h"
#include "techniques/tip.h"

namespace zw {

// The log list: one line per log entry and the selected line.
struct LogList {
    TextList lines;
    std::int32_t listIndex = -1;  // the selected line, -1 for none
    bool visible = false;
    std::size_t ListCount() const { return lines.Count(); }
};

// What the Qt window needs to hear about; every call is cheap and may come very often.
class WindowListener {
public:
    virtual ~WindowListener() = default;
    virtual void LogAppended() = 0;         // lines were added at the end of the log
    virtual void LogReset() = 0;            // the log was emptied or replaced
    virtual void LogSelected(int row) = 0;  // the core selected a line (-1: none)
    virtual void LogVisibilityChanged() = 0;
    virtual void BusyChanged() = 0;
    // The native window's handle (an HWND on Windows), the owner of what the window opens.
    virtual std::uintptr_t WindowHandle() const { return 0; }
};

// Window layout values, in twips.
constexpr int kOuterWidthLogHidden = 6825;
constexpr int kOuterWidthLogShown = 12465;

class frmMain {
public:
    explicit frmMain(Platform& platform);
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    void SetListener(WindowListener* listener) { listener_ = listener; }

    // --- the window fields ---
    bool gCancel = false;
    std::string myFileName;
    bool mySaved = false;
    TextList mySnapshots;  // the board string of log line i is mySnapshots[i]

    Grid Matrix;
    LogList List1;

    // --- start-up, closing, log ---
    void Form_Load();
    void Form_Unload();
    void mFileExit_Click();
    void AddLog(std::string_view strLog);
    void List1_Click();
    // The user selected line `row` in the log view.
    void SelectLogLine(int row);
    // Undo and Redo: select the line before / after the selected one, as a click on it does,
    // passing over refused digits.
    void mEditUndo_Click();
    void mEditRedo_Click();
    void Label4_Click();
    void mEditKillAll_Click();
    std::string Label4Caption() const;
    int OuterWidthTwips() const;

    // --- editing ---
    void Matrix_KeyPress(int keyAscii);
    void Matrix_MouseDown(int shift);
    void mSuDoKu_Statistik_Click();

    // --- puzzle files ---
    // The save question; false when the command asking it may not go on (the user answered
    // "Abbrechen", or chose to save and the save failed or was cancelled).
    bool QuestSave();
    void mFileNew_Click();
    void mFileOpen_Click();
    void mFileSave_Click();
    void mFileSaveAs_Click();
    void LoadPuzzleFile(std::string path);

    // --- clipboard ---
    void mEditCopy_Click();
    void mEditCut_Click();
    void mEditPaste_Click();

    // --- printing, help, about ---
    void mPrint_Click();
    void mHelpHelp_Click();
    void mAbout_Click();

    // --- solving ---
    void mSuDoKu_Loesen_Click();
    void mSuDoKuSearchAll_Click();
    void mSuDoKuBeak_Click();

    // --- tip and error search ---
    void mSuDoKu_Tipp_Click();
    void mSuDoKu_Schwierigkeit_Click();
    void mSuDoKu_FehlerSuchen_Click();
    // Gives the cells the last tip or error search marked their own backgrounds back, and
    // takes the tip's candidates off them.
    void ClearMarks();
    // The candidates the shown tip draws over the cells it marks; display only.
    const PencilMarks& TipPencilMarks() const;

    // --- generating ---
    void mSuDoKu_Generate_Click();
    void mSuDoKuNewHeft_Click();
    void GenerateNewSuDoKu(int Degree = -1, int Fields = -1, bool showBusy = false);

    // True while a long command (solve, count-all, generate, booklet, load, save) runs; input
    // that would change the board or the log under it is ignored meanwhile.
    bool Busy() const { return busyDepth_ > 0; }
    bool Quitting() const { return quitting_; }

    void DoEvents() { platform_.events.DoEvents(); }

protected:
    // Marks a long command for its lifetime.
    class BusyScope {
    public:
        explicit BusyScope(frmMain& form);
        ~BusyScope();
        BusyScope(const BusyScope&) = delete;
        BusyScope& operator=(const BusyScope&) = delete;

    private:
        frmMain& form_;
    };

private:
    void EndProgram();
    // Undo (-1) and Redo (+1).
    void StepThroughLog(int step);
    // GenerateNewSuDoKu that says whether the run made its puzzle (false: dialog cancelled or
    // run cancelled before its end).
    bool GenerateSuDoKu(int Degree, int Fields, bool showBusy);

    // Puzzle files: how a save ended.
    enum class SaveResult { Saved, Cancelled, Failed };
    SaveResult SavePuzzle();
    SaveResult SavePuzzleAs();
    void ReplaceLog(TextList lines, TextList snapshots);
    void Mark(const std::vector<int>& cells);
    bool SearchTip(std::function<Tip()> search);
    // Runs `work` beside the window, which keeps taking its events meanwhile, as a long command
    // that "A&bbrechen" ends. False when cancelled: the work then finishes unseen, so it must
    // own what it writes.
    bool RunBeside(std::function<void()> work);
    // Logs the board's score and level, or why it has none. False when cancelled.
    bool LogDifficulty();

    Platform& platform_;
    WindowListener* listener_ = nullptr;
    int busyDepth_ = 0;
    bool closeRequested_ = false;  // the window was closed while a long command ran
    bool quitting_ = false;
    // The booklet dialog is one instance: a cancel keeps what the user left in it.
    NewHeftOptions newHeftOptions_;
    // The last tip and the board it spoke of: the next tip there answers it, and after a step
    // that only removed candidates goes on from that step.
    std::optional<std::array<CellValue, kCellCount>> tipBoard_;  // none: no tip to answer
    Tip tip_;
    bool tipAnswered_ = false;
    PencilMarks pencil_;  // drawn while the board is still tipBoard_
    std::future<void> abandoned_;  // a cancelled search, still running to its end
    std::vector<std::pair<int, Colour>> marks_;  // marked cells and their own backgrounds
};

}  // namespace zw
