// The main window `frmMain` on screen: menus built from the menu table, the grid view, the log
// view, the labels and a status line under the grid with the newest log line, laid out from
// twips at the screen's real DPI. The design size is the smallest; a larger window gets a larger
// grid, as far as its height allows, and the log takes the rest of the width. Every event goes
// to the core's frmMain; the window shows what the core holds.
#pragma once

#include <QLabel>
#include <QMainWindow>
#include <vector>

#include "mainwindow/frm_main.h"

class QAction;

namespace zw {

class GridView;
class LogView;

// Label4: looks and acts like a link; Tab reaches it, and Enter or Space follow it.
class LinkLabel final : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

class MainWindow final : public QMainWindow, private WindowListener {
    Q_OBJECT
public:
    explicit MainWindow(frmMain& form, QWidget* parent = nullptr);
    ~MainWindow() override;

    frmMain& Form() { return form_; }
    GridView& Grid() { return *grid_; }
    LogView& Log() { return *log_; }
    // The pixel size of a length in twips on this window's screen.
    int Px(int twips) const;
    // Announces pending log rows and the core's selection now (the event pump calls this).
    void FlushLog();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // A new size of the client area lays it out anew.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void Place(QWidget* widget, int left, int top, int width, int height);
    // The design size for the log's visibility becomes the minimum; `fit` also sizes the window
    // to the grid it has now, with or without the log beside it.
    void ApplyMinimumSize(bool fit);
    // Places the grid, the labels, the log and the status line in the client area.
    void LayOut();
    void ShowNewestLine();

    void LogAppended() override;
    void LogReset() override;
    void LogSelected(int row) override;
    void LogVisibilityChanged() override;
    void BusyChanged() override;
    std::uintptr_t WindowHandle() const override;

    frmMain& form_;
    double dpi_;
    int frameWidth_ = 0;  // what the window system adds around the client area
    QWidget* client_ = nullptr;
    GridView* grid_ = nullptr;
    LogView* log_ = nullptr;
    QLabel* label1_ = nullptr;
    LinkLabel* label4_ = nullptr;
    QLabel* label3_ = nullptr;
    QLabel* status_ = nullptr;
    bool statusPending_ = false;
    std::vector<QAction*> longCommands_;
};

}  // namespace zw
