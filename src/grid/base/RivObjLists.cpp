#include "grid/base/RivObjLists.h"

#include "classlib/Canvas.h"
#include "classlib/Controls.h"
#include "classlib/Picture.h"
#include "classlib/SysUtils.h"

namespace {
void* AsItem(int Value) { return reinterpret_cast<void*>(static_cast<intptr_t>(Value)); }
constexpr int kDescending = static_cast<int>(0x80000000u);
}  // namespace

// ---- TIntList ----

void TIntList::Changed() {
  if (OnChange) OnChange(this, FCol, FRow);
}

void TIntList::PutItem(int Index, int Value) {
  TList::Put(Index, AsItem(Value));
  Changed();
}

int TIntList::Add(int Value) {
  int index = TList::Add(AsItem(Value));
  Changed();
  return index;
}

void TIntList::Insert(int Index, int Value) { TList::Insert(Index, AsItem(Value)); }

void TIntList::Delete(int Index) {
  TList::Delete(Index);
  Changed();
}

void TIntList::DeleteValue(int Value) {
  int index = IndexOf(AsItem(Value));
  if (index >= 0) Delete(index);
}

bool TIntList::HasValue(int Value) const { return IndexOf(AsItem(Value)) >= 0; }

String TIntList::StrValue() const {
  String result;
  for (int i = 0; i < Count(); ++i) result += (i > 0 ? "," : "") + IntToStr(GetItem(i));
  return result;
}

void TIntList::SetStrValue(const String& Value) {
  TList::Clear();
  TStringList pieces;
  pieces.SetCommaText(Value);
  for (int i = 0; i < pieces.Count(); ++i) Add(StrToInt(pieces.Strings(i)));
}

// ---- TSortIndexList ----

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending) {
  Add(Ascending ? ColumnIndex : (ColumnIndex | kDescending));
}

int TSortIndexList::FindIndex(int ColumnIndex) const {
  for (int i = 0; i < Count(); ++i)
    if (ColumnAt(i) == ColumnIndex) return i;
  return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex) {
  int i = FindIndex(ColumnIndex);
  if (i >= 0) PutItem(i, GetItem(i) ^ kDescending);
}

String TSortIndexList::SaveToString() const {
  String result;
  for (int i = 0; i < Count(); ++i)
    result += (i > 0 ? ";" : "") + String(AscendingAt(i) ? "u" : "d") + IntToStr(GetItem(i) & 0xFFFF);
  return result;
}

void TSortIndexList::LoadFromString(const String& S) {
  TList::Clear();
  String rest = S;
  for (;;) {
    size_t semi = rest.find(';');
    String entry = rest.substr(0, semi);
    if (entry.size() >= 2) AddIndex(LeadingInt(entry.substr(1)), entry[0] == 'u');
    if (semi == String::npos) break;
    rest.erase(0, semi + 1);
  }
}

// ---- TControlList ----

TControlList::~TControlList() {
  while (Count() > 0) RemoveControl(Count() - 1);
}

void TControlList::AddControl(int X, int Y, TControl* AObject) { Add(new TControlItem(X, Y, AObject)); }

int TControlList::ControlIndex(int X, int Y) const {
  for (int i = 0; i < Count(); ++i)
    if (ControlAt(i)->X() == X && ControlAt(i)->Y() == Y) return i;
  return -1;
}

bool TControlList::HasHandle(HWND Handle) const {
  for (int i = 0; i < Count(); ++i) {
    auto* win = dynamic_cast<TWinControl*>(ControlAt(i)->Control());
    if (win != nullptr && win->HandleAllocated() && win->Handle() == Handle) return true;
  }
  return false;
}

void TControlList::RemoveControl(int i) {
  TControlItem* item = ControlAt(i);
  Delete(i);
  delete item;
}

// ---- TFilePicture ----

void TFilePicture::SetFilename(const String& Value) {
  FFilename = Value;
  TPicture picture;
  picture.LoadFromFile(Value);
  FWidth = picture.Width();
  FHeight = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R) const {
  if (FFilename.empty()) return;
  TPicture picture;
  picture.LoadFromFile(FFilename);
  Canvas->StretchDraw(R, picture.Graphic());
}

void TFilePicture::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TFilePicture*>(Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  FFilename = source->FFilename;
  FWidth = source->FWidth;
  FHeight = source->FHeight;
}

// ---- TFileStringList ----

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

void TFileStringList::ReadLn(String& S) {
  S = Strings(fp);
  ++fp;
}

void TFileStringList::WriteLn(const String& S) {
  Add(cache + S);
  cache.clear();
}
