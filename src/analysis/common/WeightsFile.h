// Weights files and weights grids, shared by the weights editors of the analyses: reading a
// weights file (or the size-overlap histogram file, which has the same layout) into cells, and
// the check of the weights in a grid's column 1.
#pragma once

#include <vector>

#include "classlib/Grids.h"
#include "classlib/Types.h"

// A weights file's cells: every blank ends a cell; a line end (CR LF, LF or a lone CR) ends a
// cell and a line. Text after the last line end is not a complete line and is dropped. Reading
// stops once MaxLines + 1 lines are complete: such a file has too many lines for the grid it is
// meant for, and the caller's count check refuses it. FirstLineBlanks counts the blanks before
// the first line end. The lines are a detached cell store, each allocated once at its cell count.
struct TWeightsFileCells {
  TStringGridRows Lines;
  int FirstLineBlanks = 0;
};
TWeightsFileCells ReadWeightsFileCells(const String& Bytes, size_t MaxLines);

// Gives Grid one row per line and Columns columns (at least 1); the grid takes the cells that
// fit without copying them.
void PutWeightsFileCells(TStringGrid* Grid, TWeightsFileCells&& Cells, int Columns);

// True when every weight of Grid (column 1, rows 1..) is a finite positive number; otherwise
// shows "Weights must be > 0 " and "error row: " + the first failing row, joined by
// LineBreak (each analysis's editor has its own), and returns false. The editors check their
// weights with it and a run checks them again before it starts.
bool CheckWeightsPositive(const TStringGrid* Grid, const char* LineBreak);
