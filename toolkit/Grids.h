// The string grid: a table of texts with fixed header rows and columns and a current cell.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "toolkit/Controls.h"

namespace toolkit {

using TSelectCellEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& CanSelect)>;

struct GridAccess;

// ColCount x RowCount cells of text, columns and rows numbered from 0. The first FixedCols columns and
// FixedRows rows are fixed: drawn in the button face, never current, never scrolled away. The other rows
// scroll vertically under the fixed ones.
//
// What it promises:
// - FixedRows stays below RowCount and FixedCols below ColCount. Setting a fixed count that is not
//   below the count raises EInvalidGridOperation "Fixed row count must be less than row count" (or
//   "... column count ...") and changes nothing. Lowering RowCount (ColCount) to the fixed count or
//   below lowers the fixed count to one less; a count is at least 1.
// - Setting FixedRows or FixedCols to a new value makes the first cell after the fixed ones current and
//   scrolls to the top. Growing the grid keeps the current cell; shrinking it below the current cell
//   makes the last row (column) current.
// - The player makes a cell current with a left mouse press on a cell that is not fixed, or with the
//   arrow keys, Page Up / Page Down, Home / End (first / last column) and Ctrl+Home / Ctrl+End (first /
//   last row). OnSelectCell runs first, with CanSelect true, and the current cell moves only when the
//   handler leaves it true. A press on the current cell asks again; a key that leads nowhere new asks
//   nothing. Changes made by the program never run OnSelectCell.
// - Texts stay with their cells when the grid grows; shrinking drops the texts of the rows and columns
//   removed. Reading a cell outside the grid gives ""; writing one raises EInvalidGridOperation
//   "Grid index out of range".
class TStringGrid : public TControl {
 public:
  explicit TStringGrid(TComponent* AOwner);
  ~TStringGrid() override;

  int ColCount() const { return FColCount; }
  void set_ColCount(int v);
  int RowCount() const { return FRowCount; }
  void set_RowCount(int v);
  int FixedCols() const { return FFixedCols; }
  void set_FixedCols(int v);
  int FixedRows() const { return FFixedRows; }
  void set_FixedRows(int v);

  // Setting a default size gives it to every column (row).
  int DefaultColWidth() const { return FDefaultColWidth; }
  void set_DefaultColWidth(int v);
  int DefaultRowHeight() const { return FDefaultRowHeight; }
  void set_DefaultRowHeight(int v);
  int ColWidths(int ACol) const;
  void set_ColWidths(int ACol, int v);

  std::string Cells(int ACol, int ARow) const;
  void set_Cells(int ACol, int ARow, const std::string& v);

  // The current cell.
  int Col() const { return FCol; }
  int Row() const { return FRow; }
  // The first row shown under the fixed ones.
  int TopRow() const { return FTopRow; }

  TSelectCellEvent OnSelectCell;

  // For screen readers the grid is a list of its rows below the fixed ones, each named by its cells
  // right of the fixed columns; the current row is the selected one.
  int AccessibleItemCount() const override { return FRowCount - FFixedRows; }
  TAccessibleItem AccessibleItem(int Index) const override;

 protected:
  // Asks OnSelectCell whether the cell may become current.
  virtual bool SelectCell(int ACol, int ARow);
  void CreateHandle() override;
  void ApplyProperties() override;
  void ApplyColor() override;
  void ApplyFont() override;

 private:
  friend struct GridAccess;
  // The player's move: asks, then moves and scrolls the cell into view.
  void MoveCurrent(int ACol, int ARow);
  void Resize(int cols, int rows);
  void Initialize();
  // How many rows below the fixed ones fit whole into the grid's view.
  int VisibleRows() const;
  void ScrollInView();
  void Changed();

  int FColCount = 5;
  int FRowCount = 5;
  int FFixedCols = 1;
  int FFixedRows = 1;
  int FDefaultColWidth = 64;
  int FDefaultRowHeight = 24;
  std::vector<int> FColWidths;
  std::vector<std::vector<std::string>> FCells;  // [row][col]
  int FCol = 1;
  int FRow = 1;
  int FTopRow = 1;
};

}  // namespace toolkit
