// TRivErodovOzar: the program's data grid, on the base grid. This is its first shape: counts
// with their bookkeeping, the current row, clearing and the delimited-text reader.
#pragma once

#include "grid/base/BaseGrid.h"

class TRivErodovOzar : public TBaseGrid {
 public:
  explicit TRivErodovOzar(TComponent* AOwner);

  // The counts. Every row count given is also the row below which the display hooks apply.
  void SetRowCount(int Value) override;
  void SetColCount(int Value) override;

  // Makes ARow the current row; first moves to the first scrolling column when the current
  // column lies outside the grid.
  void SetRowEx(int ARow);
  // Empties the text of every cell, fixed cells and cells beyond the counts included; the
  // counts stay.
  void Clear();

  char Delimiter() const { return FDelimiter; }
  void SetDelimiter(char Value) { FDelimiter = Value; }

  // Fills the grid from a delimited text file: line k to row k, fields to columns 0, 1, ...
  // (fixed cells too). The row count becomes the number of lines read (at most MaxRows when it
  // is above 0); the column count grows to the widest line and never shrinks. Cells the file
  // does not reach keep their text. Raises Exception "File is empty" for a file without lines
  // (the grid unchanged) and EFOpenError for a file that cannot be opened.
  void LoadFromCSV(const String& FileName, int MaxRows = 0);

  // The field separator of the delimited-text reader; 0 makes the reader guess it from the
  // file's first two lines (the guess is not kept).
  char FDelimiter = '\0';

 protected:
  // Stores a text read by a loader into exactly that cell.
  virtual void SetLoadedCellText(int ACol, int ARow, const String& Value);

  // The largest row count the grid has had.
  int FMaxRowCount = 0;
};

// The reader's rules, exposed for the grid's tests and other readers of delimited text.
namespace GridCSV {
// The lines of a text file's bytes: a byte-order mark selects UTF-8 or UTF-16 (either byte
// order, converted to UTF-8); without one the bytes are kept as they are. Lines end at CR LF,
// CR or LF; a line end at the very end adds no empty line.
std::vector<String> SplitTextLines(const String& Bytes);
// The separator guessed from a file's first two lines, or 0 when no candidate occurs.
char DetectDelimiter(const String& Line1, const String& Line2);
// The fields of a line. An empty last field is left out (it stores nothing).
std::vector<String> SplitFields(const String& Line, char Delimiter);

// The fields of a whole file, row by row, as the reader places them.
struct TCellTexts {
  std::vector<std::vector<String>> Rows;
  size_t Widest = 0;       // the most fields of a line
  bool TooLarge = false;   // reading stopped at the cell limit
};
// Reads the fields of a file's bytes in one pass (Delimiter 0 guesses it). At most MaxRows lines
// when MaxRows is above 0. With CellLimit above 0, reading stops as soon as the data cells (rows
// and columns beyond the first) would exceed it: false, with TooLarge set.
bool ReadCells(const String& Bytes, char Delimiter, int MaxRows, int64_t CellLimit, TCellTexts& Cells);
}  // namespace GridCSV
