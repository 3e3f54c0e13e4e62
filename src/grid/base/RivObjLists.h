// The grid's small non-visual support objects: integer lists for rows and columns, the list of
// sort columns, the list of controls embedded in cells, a picture kept as a file reference and
// a string list read and written line by line.
#pragma once

#include <functional>

#include "classlib/Lists.h"
#include "classlib/Messages.h"
#include "classlib/Persistent.h"
#include "classlib/StringList.h"

class TCanvas;
class TControl;

enum TSortStyle { ssAutomatic, ssAlphabetic, ssNumeric, ssDate, ssAlphaNoCase, ssAlphaCase, ssShortDateEU,
                  ssShortDateUS, ssCustom, ssFinancial, ssAnsiAlphaCase, ssAnsiAlphaNoCase, ssRaw, ssHTML,
                  ssImages, ssCheckBox, ssDateTime, ssTime, ssAlphaNumeric, ssAlphaNumericNoCase };

using TImageChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;

// A list of integers tagged with a column and a row, which every change event passes on.
// Writing an item, Add, Delete and DeleteValue fire OnChange; Insert does not.
class TIntList : public TList {
 public:
  TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

  int GetItem(int Index) const { return static_cast<int>(reinterpret_cast<intptr_t>(TList::Get(Index))); }
  void PutItem(int Index, int Value);
  int Items(int Index) const { return GetItem(Index); }
  int Add(int Value);
  void Insert(int Index, int Value);
  void Delete(int Index);
  void DeleteValue(int Value);
  bool HasValue(int Value) const;
  int Col() const { return FCol; }
  int Row() const { return FRow; }

  // The items joined by ","; writing replaces them (comma-text rules, one OnChange per item);
  // a piece that is not an integer raises EConvertError, keeping the items added before it.
  String StrValue() const;
  void SetStrValue(const String& Value);

  TImageChangeEvent OnChange;

 private:
  void Changed();
  int FCol;
  int FRow;
};

// The sort columns: a column per entry, bit 31 set for a descending one. Text form: entries
// "u<column>" or "d<column>" joined by ";".
class TSortIndexList : public TIntList {
 public:
  TSortIndexList() : TIntList(0, 0) {}
  void AddIndex(int ColumnIndex, bool Ascending);
  // Position of the column's entry, -1 when none.
  int FindIndex(int ColumnIndex) const;
  int ColumnAt(int Index) const { return GetItem(Index) & 0x7FFFFFFF; }
  bool AscendingAt(int Index) const { return GetItem(Index) >= 0; }
  void ToggleIndex(int ColumnIndex);
  String SaveToString() const;
  void LoadFromString(const String& S);
};

// A control embedded in a cell (not owned).
class TControlItem : public TObject {
 public:
  TControlItem(int X, int Y, TControl* AObject) : FX(X), FY(Y), FObject(AObject) {}
  int X() const { return FX; }
  int Y() const { return FY; }
  TControl* Control() const { return FObject; }

 private:
  int FX;
  int FY;
  TControl* FObject;
};

// The controls embedded in cells; owns its items, not the controls.
class TControlList : public TList {
 public:
  ~TControlList() override;
  void AddControl(int X, int Y, TControl* AObject);
  int ControlIndex(int X, int Y) const;
  TControlItem* ControlAt(int i) const { return static_cast<TControlItem*>(Get(i)); }
  bool HasHandle(HWND Handle) const;
  void RemoveControl(int i);
};

// A picture referred to by file name, read from the file whenever it is needed.
class TFilePicture : public TPersistent {
 public:
  const String& Filename() const { return FFilename; }
  // Stores the name and takes the picture's size from the file; a missing or unreadable file
  // raises the picture loader's error.
  void SetFilename(const String& Value);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Reads the file and stretches the picture into R; nothing without a file name.
  void DrawPicture(TCanvas* Canvas, const TRect& R) const;
  // Copies name and size, loading nothing.
  void Assign(TPersistent* Source) override;

 private:
  String FFilename;
  int FWidth = 0;
  int FHeight = 0;
};

// A string list read line by line from a position and written with a pending line.
class TFileStringList : public TStringList {
 public:
  void Reset();
  bool Eof() const { return fp >= Count(); }
  // The line at the read position (EStringListError past the end); the position advances.
  void ReadLn(String& S);
  void Write(const String& S) { cache += S; }
  void WriteLn(const String& S);

 private:
  int fp = 0;
  String cache;
};
