#include "qt/main_window.h"

#include <QCloseEvent>
#include <QIcon>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QShowEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <algorithm>
#include <map>

#include "qt/grid_view.h"
#include "qt/log_view.h"
#include "qt/menu_table.h"
#include "qt/twips.h"

// The pictures are compiled into a static library; nothing else would pull them in before the
// window asks for its icon.
static void InitWindowResources() {
    Q_INIT_RESOURCE(zellwerk);
}

namespace zw {

namespace {
// The client area below the menu bar, in twips: the grid, the status line under it with room
// for two lines of text, and the margins around them.
constexpr int kStatusGap = 60;
constexpr int kStatusHeight = 465;
constexpr int kBottomMargin = 90;
constexpr int kClientHeight =
    kGridTop + kGridOuterSize + kStatusGap + kStatusHeight + kBottomMargin;
constexpr int kRightMargin = 210;  // right of the grid or the log, the frame included
constexpr int kLogGap = 105;       // between the grid and the log
constexpr int kLogMinWidth = 5535;
constexpr int kLogShorter = 30;       // the log ends this much above the grid's bottom
constexpr int kLogLabelIndent = 120;  // its heading, from the log's left edge
constexpr double kLabelPointSize = 8.25;

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}
}  // namespace

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            emit clicked();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

// The focus frame shows only while the keyboard is on the link; otherwise it looks as before.
void LinkLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

MainWindow::MainWindow(frmMain& form, QWidget* parent) : QMainWindow(parent), form_(form) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Zellwerk"));
    InitWindowResources();
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/zellwerk/icons/zellwerk-%1.png").arg(size));
    setWindowIcon(icon);
    dpi_ = screen() ? screen()->logicalDotsPerInchX() : 96.0;

    client_ = new QWidget(this);
    setCentralWidget(client_);
    client_->installEventFilter(this);

    QFont labelFont(QStringLiteral("DejaVu Sans"));
    labelFont.setStyleHint(QFont::SansSerif);
    labelFont.setPointSizeF(kLabelPointSize);

    label1_ = new QLabel(QStringLiteral("Ihr Spielfeld"), client_);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setFont(labelFont);
    Place(label1_, 240, 120, 6375, 255);

    grid_ = new GridView(form_, client_);
    Place(grid_, kGridLeft, kGridTop, kGridOuterSize, kGridOuterSize);

    label4_ = new LinkLabel(Q(form_.Label4Caption()), client_);
    label4_->setObjectName(QStringLiteral("Label4"));
    QFont linkFont = labelFont;
    linkFont.setUnderline(true);
    label4_->setFont(linkFont);
    QPalette linkPalette = label4_->palette();
    linkPalette.setColor(QPalette::WindowText, QColor(0, 0, 255));
    label4_->setPalette(linkPalette);
    label4_->setCursor(Qt::PointingHandCursor);
    Place(label4_, 5400, 120, 1215, 255);
    connect(label4_, &LinkLabel::clicked, this, [this] { form_.Label4_Click(); });

    label3_ = new QLabel(QStringLiteral("Log"), client_);
    label3_->setObjectName(QStringLiteral("Label3"));
    label3_->setFont(labelFont);
    Place(label3_, 6840, 120, 2895, 255);

    log_ = new LogView(form_, client_);
    Place(log_, 6720, 360, 5535, 6465);

    // With the log hidden, as at start-up, this is where a player sees what a command said.
    status_ = new QLabel(client_);
    status_->setObjectName(QStringLiteral("StatusLine"));
    status_->setFont(labelFont);
    status_->setTextFormat(Qt::PlainText);
    status_->setWordWrap(true);
    status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    status_->setFocusPolicy(Qt::NoFocus);

    // The grid comes first in the keyboard order and has the focus at start; Tab goes on to
    // the log toggle (a click does not take the focus from the grid) and the log list.
    label1_->setFocusPolicy(Qt::NoFocus);
    label3_->setFocusPolicy(Qt::NoFocus);
    label4_->setFocusPolicy(Qt::TabFocus);
    setTabOrder(grid_, label4_);
    setTabOrder(label4_, log_);
    grid_->setFocus();

    BuildMenus();
    form_.SetListener(this);
    LogVisibilityChanged();
    BusyChanged();
    ShowNewestLine();
}

MainWindow::~MainWindow() {
    form_.SetListener(nullptr);
}

int MainWindow::Px(int twips) const {
    return TwipsToPx(twips, dpi_);
}

void MainWindow::Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

void MainWindow::BuildMenus() {
    std::map<std::string, QMenu*> menus;
    for (const MenuHeading& heading : MenuHeadings()) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(heading.caption));
        menu->setObjectName(QString::fromUtf8(heading.name));
        menus[heading.name] = menu;
    }
    for (const MenuEntry& entry : MenuEntries()) {
        QMenu* menu = menus.at(entry.menu);
        QAction* action = entry.caption ? menu->addAction(QString::fromUtf8(entry.caption))
                                        : menu->addSeparator();
        action->setObjectName(QString::fromUtf8(entry.name));
        if (*entry.shortcut)
            action->setShortcuts(QKeySequence::listFromString(QString::fromUtf8(entry.shortcut)));
        if (entry.handler) {
            const auto handler = entry.handler;
            connect(action, &QAction::triggered, this, [this, handler] { (form_.*handler)(); });
        }
        if (entry.longCommand)
            longCommands_.push_back(action);
    }
}

void MainWindow::ApplyMinimumSize(bool fit) {
    // The core gives the outer width; the frame the window system adds comes off the client.
    frameWidth_ = std::max(0, frameGeometry().width() - geometry().width());
    const int menuHeight = menuBar()->sizeHint().height();
    const QSize minimum(Px(form_.OuterWidthTwips()) - frameWidth_, Px(kClientHeight) + menuHeight);
    setMinimumSize(minimum);
    if (!fit || isMaximized() || isFullScreen())
        return;
    // The grid keeps its size; the window grows by the log or shrinks to the grid.
    const int right = grid_->geometry().right() + 1;
    const int logWidth = std::max(Px(kLogMinWidth), log_->width());
    const int width = form_.List1.visible ? right + Px(kLogGap) + logWidth + Px(kRightMargin)
                                          : right + Px(kRightMargin);
    resize(std::max(minimum.width(), width - frameWidth_), std::max(minimum.height(), height()));
}

void MainWindow::LayOut() {
    const int width = client_->width(), height = client_->height();
    const bool logShown = form_.List1.visible;
    const int fitsHeight =
        height - Px(kGridTop) - Px(kStatusGap) - Px(kStatusHeight) - Px(kBottomMargin);
    const int besideGrid =
        Px(kRightMargin) - frameWidth_ + (logShown ? Px(kLogGap) + Px(kLogMinWidth) : 0);
    const int fitsWidth = width - Px(kGridLeft) - besideGrid;
    const int side = std::max(Px(kGridOuterSize), std::min(fitsHeight, fitsWidth));
    grid_->setGeometry(Px(kGridLeft), Px(kGridTop), side, side);
    const int right = Px(kGridLeft) + side;
    label4_->move(right - label4_->width(), label4_->y());
    status_->setGeometry(Px(kGridLeft), Px(kGridTop) + side + Px(kStatusGap), side,
                         Px(kStatusHeight));
    // The log takes the rest of the width, its top and bottom as the design has them.
    const int logLeft = right + Px(kLogGap);
    label3_->move(logLeft + Px(kLogLabelIndent), label3_->y());
    log_->setGeometry(logLeft, Px(kGridTop),
                      std::max(Px(kLogMinWidth), width - logLeft - Px(kRightMargin) + frameWidth_),
                      side - Px(kLogShorter));
}

void MainWindow::ShowNewestLine() {
    statusPending_ = false;
    const TextList& lines = form_.List1.lines;
    std::string line = lines.Count() > 0 ? std::string(lines[lines.Count() - 1]) : std::string();
    std::replace(line.begin(), line.end(), '\t', ' ');
    status_->setText(Q(line));
}

void MainWindow::FlushLog() {
    log_->Flush();
    if (statusPending_)
        ShowNewestLine();
}

void MainWindow::closeEvent(QCloseEvent* event) {
    form_.Form_Unload();
    // A close during a long command is deferred by the core: it quits once the run unwinds.
    if (form_.Quitting())
        event->accept();
    else
        event->ignore();
}

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    ApplyMinimumSize(!event->spontaneous());
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    // A window manager frames the window only after it is shown.
    if (frameGeometry().width() - geometry().width() != frameWidth_)
        ApplyMinimumSize(true);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        LayOut();
    return QMainWindow::eventFilter(watched, event);
}

// This comes once per log line, thousands of times in a solver run: the status line follows at
// most once per pass of the event loop, or when the core lets events run.
void MainWindow::LogAppended() {
    log_->NoteAppended();
    if (!statusPending_) {
        statusPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (statusPending_)
                ShowNewestLine();
        });
    }
}

void MainWindow::LogReset() {
    log_->NoteReset();
    ShowNewestLine();
}

void MainWindow::LogSelected(int row) {
    log_->NoteSelected(row);
}

std::uintptr_t MainWindow::WindowHandle() const {
    return static_cast<std::uintptr_t>(winId());
}

void MainWindow::LogVisibilityChanged() {
    const bool visible = form_.List1.visible;
    label3_->setVisible(visible);
    log_->setVisible(visible);
    label4_->setText(Q(form_.Label4Caption()));
    // The design width fits the caption in Tahoma; a wider substitute face may need more.
    label4_->resize(std::max(Px(1215), label4_->sizeHint().width()), label4_->height());
    ApplyMinimumSize(true);
    LayOut();
}

void MainWindow::BusyChanged() {
    const bool idle = !form_.Busy();
    for (QAction* action : longCommands_)
        action->setEnabled(idle);
}

}  // namespace zw
