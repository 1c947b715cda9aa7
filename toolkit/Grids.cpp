// TStringGrid over a painted QAbstractScrollArea: the layer keeps cells, sizes and the current cell.
#include "toolkit/Grids.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <algorithm>

#include "toolkit/SysUtils.h"
#include "toolkit/qt_p.h"

namespace toolkit {

namespace {
// The classic sunken edge around the grid.
constexpr int Border = 2;
constexpr int GridLine = 1;
}  // namespace

struct GridAccess {
  static void MoveCurrent(TStringGrid* g, int ACol, int ARow) { g->MoveCurrent(ACol, ARow); }
  static int VisibleRows(const TStringGrid* g) { return g->VisibleRows(); }
  static void SetTopRow(TStringGrid* g, int v) { g->FTopRow = v; }
};

namespace {

class GridWidget : public QAbstractScrollArea {
 public:
  GridWidget(TStringGrid* grid, QWidget* parent) : QAbstractScrollArea(parent), grid_(grid) {
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  }
  void Detach() { grid_ = nullptr; }

  // Takes the grid's size and top row into the scroll bar, and repaints.
  void Refresh() {
    if (!grid_) return;
    QScrollBar* bar = verticalScrollBar();
    syncing_ = true;
    int page = std::max(1, GridAccess::VisibleRows(grid_));
    bar->setRange(0, std::max(0, grid_->RowCount() - grid_->FixedRows() - page));
    bar->setPageStep(page);
    bar->setValue(grid_->TopRow() - grid_->FixedRows());
    syncing_ = false;
    viewport()->update();
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (!grid_) return;
    QPainter p(viewport());
    const TStringGrid& g = *grid_;
    QPalette pal = palette();
    p.fillRect(viewport()->rect(), ToQColor(g.Color()));
    p.setFont(ToQFont(*g.Font()));
    int pitch = g.DefaultRowHeight() + GridLine;
    int y = 0;
    for (int row = 0; row < g.RowCount() && y < viewport()->height(); ++row) {
      if (row >= g.FixedRows() && row < g.TopRow()) continue;
      int x = 0;
      for (int col = 0; col < g.ColCount() && x < viewport()->width(); ++col) {
        int w = g.ColWidths(col);
        QRect cell(x, y, w, g.DefaultRowHeight());
        bool fixed = row < g.FixedRows() || col < g.FixedCols();
        bool current = row == g.Row() && col == g.Col();
        QColor text = ToQColor(g.Font()->Color());
        if (fixed) {
          p.fillRect(cell, ToQColor(clBtnFace));
          p.setPen(ToQColor(clBtnHighlight));
          p.drawLine(cell.topLeft(), cell.topRight());
          p.drawLine(cell.topLeft(), cell.bottomLeft());
          p.setPen(ToQColor(clBlack));
        } else if (current) {
          p.fillRect(cell, pal.color(QPalette::Highlight));
          text = pal.color(QPalette::HighlightedText);
          p.setPen(ToQColor(clSilver));
        } else {
          p.setPen(ToQColor(clSilver));
        }
        p.drawLine(x + w, y, x + w, y + g.DefaultRowHeight());
        p.drawLine(x, y + g.DefaultRowHeight(), x + w, y + g.DefaultRowHeight());
        p.setPen(text);
        p.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine,
                   ToQString(g.Cells(col, row)));
        if (current && hasFocus()) {
          p.setPen(QPen(text, 1, Qt::DotLine));
          p.drawRect(cell.adjusted(1, 1, -2, -2));
        }
        x += w + GridLine;
      }
      y += pitch;
    }
  }

  void mousePressEvent(QMouseEvent* e) override {
    if (!grid_ || e->button() != Qt::LeftButton) return;
    if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
    int col = -1, row = -1;
    CellAt(e->position().toPoint(), col, row);
    if (col < grid_->FixedCols() || row < grid_->FixedRows()) return;
    TStringGrid* g = grid_;
    Deliver([&] { GridAccess::MoveCurrent(g, col, row); });
  }

  void keyPressEvent(QKeyEvent* e) override {
    if (!grid_) return;
    const TStringGrid& g = *grid_;
    int col = g.Col(), row = g.Row();
    int page = std::max(1, GridAccess::VisibleRows(grid_));
    bool ctrl = e->modifiers() & Qt::ControlModifier;
    switch (e->key()) {
      case Qt::Key_Up: --row; break;
      case Qt::Key_Down: ++row; break;
      case Qt::Key_Left: --col; break;
      case Qt::Key_Right: ++col; break;
      case Qt::Key_PageUp: row -= page; break;
      case Qt::Key_PageDown: row += page; break;
      case Qt::Key_Home:
        if (ctrl)
          row = 0;
        else
          col = 0;
        break;
      case Qt::Key_End:
        if (ctrl)
          row = g.RowCount() - 1;
        else
          col = g.ColCount() - 1;
        break;
      default: return QAbstractScrollArea::keyPressEvent(e);
    }
    row = std::clamp(row, g.FixedRows(), g.RowCount() - 1);
    col = std::clamp(col, g.FixedCols(), g.ColCount() - 1);
    if (row == g.Row() && col == g.Col()) return;
    TStringGrid* grid = grid_;
    Deliver([&] { GridAccess::MoveCurrent(grid, col, row); });
  }

  void scrollContentsBy(int, int) override {
    if (!grid_ || syncing_) return;
    GridAccess::SetTopRow(grid_, grid_->FixedRows() + verticalScrollBar()->value());
    viewport()->update();
  }

  void focusInEvent(QFocusEvent* e) override {
    QAbstractScrollArea::focusInEvent(e);
    viewport()->update();
    // After the platform has told of the grid's own focus, which would otherwise come last.
    QTimer::singleShot(0, this, [this] {
      if (grid_ && hasFocus()) TellItemFocused(this, grid_->Row() - grid_->FixedRows());
    });
  }
  void focusOutEvent(QFocusEvent* e) override {
    QAbstractScrollArea::focusOutEvent(e);
    viewport()->update();
  }

 private:
  // The cell under a point of the viewport; -1 where there is none.
  void CellAt(QPoint at, int& col, int& row) const {
    int pitch = grid_->DefaultRowHeight() + GridLine;
    int line = at.y() / pitch;
    row = line < grid_->FixedRows() ? line : grid_->TopRow() + line - grid_->FixedRows();
    if (at.y() < 0 || row >= grid_->RowCount()) row = -1;
    col = -1;
    for (int c = 0, x = 0; c < grid_->ColCount(); ++c) {
      x += grid_->ColWidths(c) + GridLine;
      if (at.x() >= 0 && at.x() < x) {
        col = c;
        break;
      }
    }
  }

  TStringGrid* grid_;
  bool syncing_ = false;
};

GridWidget* WidgetOf(ControlHandle* h) { return static_cast<GridWidget*>(h->widget); }

}  // namespace

TStringGrid::TStringGrid(TComponent* AOwner) : TControl(AOwner) {
  SetBounds(0, 0, 320, 120);
  set_Color(clWindow);
  set_TabStop(true);
  set_AccessibleRole(arList);
  Resize(FColCount, FRowCount);
}

TAccessibleItem TStringGrid::AccessibleItem(int Index) const {
  const int row = FFixedRows + Index;
  TAccessibleItem item;
  for (int col = FFixedCols; col < FColCount; ++col)
    item.Name += (item.Name.empty() ? "" : " ") + FCells[row][col];
  int pitch = FDefaultRowHeight + GridLine;
  item.Top = Border + (FFixedRows + row - FTopRow) * pitch;
  item.Left = Border;
  item.Width = std::max(0, Width() - 2 * Border);
  item.Height = FDefaultRowHeight;
  item.Selected = row == FRow;
  return item;
}

TStringGrid::~TStringGrid() {
  if (FHandle) WidgetOf(FHandle)->Detach();
}

void TStringGrid::CreateHandle() {
  FHandle = new ControlHandle;
  auto* w = new GridWidget(this, Parent() ? Parent()->Handle()->client : nullptr);
  FHandle->widget = FHandle->client = w;
  FHandle->input = w->viewport();
  Bridge(this, FHandle);
}

void TStringGrid::ApplyProperties() {
  TControl::ApplyProperties();
  FHandle->widget->setFocusPolicy(TabStop() ? Qt::StrongFocus : Qt::ClickFocus);
  WidgetOf(FHandle)->Refresh();
}

void TStringGrid::ApplyColor() { Changed(); }

void TStringGrid::ApplyFont() {
  SetFont(FHandle->widget, *Font());
  Changed();
}

void TStringGrid::Changed() {
  if (FHandle) WidgetOf(FHandle)->Refresh();
}

// Keeps the texts that still fit and gives new columns the default width. Only a change of the column
// count touches every row: a grid grown one row at a time, as a list is filled, stays linear in size.
void TStringGrid::Resize(int cols, int rows) {
  bool colsChanged = cols != FColCount;
  FColCount = cols;
  FRowCount = rows;
  FColWidths.resize(cols, FDefaultColWidth);
  FCells.resize(rows, std::vector<std::string>(cols));
  if (colsChanged)
    for (auto& line : FCells) line.resize(cols);
  FCol = std::clamp(FCol, FFixedCols, FColCount - 1);
  FRow = std::clamp(FRow, FFixedRows, FRowCount - 1);
  FTopRow = std::clamp(FTopRow, FFixedRows, FRowCount - 1);
  Changed();
}

void TStringGrid::set_ColCount(int v) {
  v = std::max(v, 1);
  if (v == FColCount) return;
  if (v <= FFixedCols) FFixedCols = v - 1;
  Resize(v, FRowCount);
}

void TStringGrid::set_RowCount(int v) {
  v = std::max(v, 1);
  if (v == FRowCount) return;
  if (v <= FFixedRows) FFixedRows = v - 1;
  Resize(FColCount, v);
}

void TStringGrid::set_FixedCols(int v) {
  if (v == FFixedCols) return;
  if (v < 0) throw EInvalidGridOperation("Grid index out of range");
  if (v >= FColCount) throw EInvalidGridOperation("Fixed column count must be less than column count");
  FFixedCols = v;
  Initialize();
}

void TStringGrid::set_FixedRows(int v) {
  if (v == FFixedRows) return;
  if (v < 0) throw EInvalidGridOperation("Grid index out of range");
  if (v >= FRowCount) throw EInvalidGridOperation("Fixed row count must be less than row count");
  FFixedRows = v;
  Initialize();
}

void TStringGrid::Initialize() {
  FCol = FFixedCols;
  FRow = FFixedRows;
  FTopRow = FFixedRows;
  Changed();
}

void TStringGrid::set_DefaultColWidth(int v) {
  FDefaultColWidth = v;
  FColWidths.assign(FColCount, v);
  Changed();
}

void TStringGrid::set_DefaultRowHeight(int v) {
  FDefaultRowHeight = std::max(v, 1);
  FTopRow = std::clamp(FTopRow, FFixedRows, FRowCount - 1);
  Changed();
}

int TStringGrid::ColWidths(int ACol) const {
  return ACol >= 0 && ACol < FColCount ? FColWidths[ACol] : FDefaultColWidth;
}

void TStringGrid::set_ColWidths(int ACol, int v) {
  if (ACol < 0 || ACol >= FColCount) throw EInvalidGridOperation("Grid index out of range");
  FColWidths[ACol] = v;
  Changed();
}

std::string TStringGrid::Cells(int ACol, int ARow) const {
  if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount) return {};
  return FCells[ARow][ACol];
}

void TStringGrid::set_Cells(int ACol, int ARow, const std::string& v) {
  if (ACol < 0 || ACol >= FColCount || ARow < 0 || ARow >= FRowCount)
    throw EInvalidGridOperation("Grid index out of range");
  FCells[ARow][ACol] = v;
  Changed();
}

bool TStringGrid::SelectCell(int ACol, int ARow) {
  bool CanSelect = true;
  if (OnSelectCell) OnSelectCell(this, ACol, ARow, CanSelect);
  return CanSelect;
}

void TStringGrid::MoveCurrent(int ACol, int ARow) {
  if (!SelectCell(ACol, ARow)) return;
  FCol = ACol;
  FRow = ARow;
  ScrollInView();
  Changed();
  if (FHandle && FHandle->widget->hasFocus()) TellItemFocused(FHandle->widget, FRow - FFixedRows);
}

int TStringGrid::VisibleRows() const {
  int pitch = FDefaultRowHeight + GridLine;
  int inside = Height() - 2 * Border - FFixedRows * pitch;
  return std::max(1, inside / pitch);
}

void TStringGrid::ScrollInView() {
  int page = VisibleRows();
  if (FRow < FTopRow) FTopRow = FRow;
  if (FRow >= FTopRow + page) FTopRow = FRow - page + 1;
}

}  // namespace toolkit
