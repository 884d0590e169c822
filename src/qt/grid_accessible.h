// The grid for assistive technology: a table of 9 x 9 cells, each with its row, column and text,
// the current cell as the focused one, the selected range as the selected cells.
#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

namespace zw {

class GridView;

// Qt's accessibility factory for the grid view (objects of other classes get nullptr).
QAccessibleInterface* GridAccessibleFactory(const QString& className, QObject* object);

// The announcements a screen reader needs: `view`'s current cell took the focus, or cell
// (row, col) changed its text.
void AnnounceCurrentCell(GridView* view);
void AnnounceCellText(GridView* view, int row, int col);

}  // namespace zw
