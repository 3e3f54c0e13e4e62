#include "classlib/RichEdit.h"

#include <algorithm>

#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Streams.h"

// ---- Lines ----

std::vector<String> TRichEditStrings::Paragraphs() const {
  std::vector<String> lines(1);
  for (const TRichRun& run : FEdit->Document())
    for (char c : run.Text) {
      if (c == '\n') lines.emplace_back();
      else lines.back() += c;
    }
  if (lines.size() == 1 && lines[0].empty()) lines.clear();
  return lines;
}

void TRichEditStrings::SetParagraphs(const std::vector<String>& Lines) {
  TRichRun run = FEdit->DefaultLook();
  run.Text.clear();
  for (size_t i = 0; i < Lines.size(); ++i) {
    if (i > 0) run.Text += '\n';
    run.Text += Lines[i];
  }
  TRichDocument doc;
  if (!run.Text.empty()) doc.push_back(run);
  FEdit->SetDocument(std::move(doc));
}

String TRichEditStrings::Get(Integer Index) const {
  const std::vector<String> lines = Paragraphs();
  return Index >= 0 && static_cast<size_t>(Index) < lines.size() ? lines[static_cast<size_t>(Index)] : String();
}

Integer TRichEditStrings::GetCount() const { return static_cast<Integer>(Paragraphs().size()); }

void TRichEditStrings::Put(Integer Index, const String& S) {
  std::vector<String> lines = Paragraphs();
  if (Index < 0 || static_cast<size_t>(Index) >= lines.size()) return;
  lines[static_cast<size_t>(Index)] = S;
  SetParagraphs(lines);
}

void TRichEditStrings::Insert(Integer Index, const String& S) {
  std::vector<String> lines = Paragraphs();
  const size_t at = std::clamp<size_t>(static_cast<size_t>(std::max(0, Index)), 0, lines.size());
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), S);
  SetParagraphs(lines);
}

void TRichEditStrings::Delete(Integer Index) {
  std::vector<String> lines = Paragraphs();
  if (Index < 0 || static_cast<size_t>(Index) >= lines.size()) return;
  lines.erase(lines.begin() + Index);
  SetParagraphs(lines);
}

void TRichEditStrings::Clear() { FEdit->SetDocument({}); }

void TRichEditStrings::LoadFromStream(TStream& Stream) {
  String bytes;
  char buffer[4096];
  for (Integer n; (n = Stream.Read(buffer, sizeof buffer)) > 0;) bytes.append(buffer, static_cast<size_t>(n));
  if (!FEdit->PlainText && IsRTFText(bytes)) {
    FEdit->SetDocument(ReadRTF(bytes, FEdit->DefaultLook()));
    return;
  }
  TStringList lines;
  lines.SetTextStr(bytes);
  std::vector<String> paragraphs;
  for (Integer i = 0; i < lines.Count(); ++i) paragraphs.push_back(lines.Strings(i));
  SetParagraphs(paragraphs);
}

void TRichEditStrings::SaveToStream(TStream& Stream) const {
  String bytes = FEdit->PlainText ? FEdit->Text() : WriteRTF(FEdit->Document());
  if (!bytes.empty()) Stream.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
}

// ---- Selection attributes ----

const TRichRun& TTextAttributes::First() const {
  int pos = 0;
  for (const TRichRun& run : FEdit->FDoc) {
    if (pos + static_cast<int>(run.Text.size()) > FEdit->FSelStart) return run;
    pos += static_cast<int>(run.Text.size());
  }
  return FEdit->FDoc.empty() ? FEdit->FDefault : FEdit->FDoc.back();
}

template <typename F>
void TTextAttributes::Apply(F Change) {
  const int from = FEdit->FSelStart, to = std::min(FEdit->TextLength(), from + FEdit->FSelLength);
  if (to <= from) {
    Change(FEdit->FDefault);
    return;
  }
  FEdit->SplitAt(from);
  FEdit->SplitAt(to);
  int pos = 0;
  for (TRichRun& run : FEdit->FDoc) {
    if (pos >= from && pos < to) Change(run);
    pos += static_cast<int>(run.Text.size());
  }
  FEdit->Invalidate();
}

TColor TTextAttributes::Color() const { return First().Color; }
void TTextAttributes::SetColor(TColor Value) { Apply([&](TRichRun& r) { r.Color = Value; }); }
String TTextAttributes::Name() const { return First().FontName; }
void TTextAttributes::SetName(const String& Value) { Apply([&](TRichRun& r) { r.FontName = Value; }); }
int TTextAttributes::Size() const { return First().FontSize; }
void TTextAttributes::SetSize(int Value) { Apply([&](TRichRun& r) { r.FontSize = Value; }); }
TFontStyles TTextAttributes::Style() const { return First().Style; }
void TTextAttributes::SetStyle(TFontStyles Value) { Apply([&](TRichRun& r) { r.Style = Value; }); }
int TTextAttributes::Offset() const { return First().Offset; }
void TTextAttributes::SetOffset(int Value) { Apply([&](TRichRun& r) { r.Offset = Value; }); }

// ---- The edit ----

TRichEdit::TRichEdit(TComponent* AOwner) : TCustomControl(AOwner), FLines(std::make_unique<TRichEditStrings>(this)) {}

TRichEdit::~TRichEdit() = default;

void TRichEdit::SetDocument(TRichDocument Doc) {
  FDoc = std::move(Doc);
  Invalidate();
}

int TRichEdit::TextLength() const {
  int n = 0;
  for (const TRichRun& run : FDoc) n += static_cast<int>(run.Text.size());
  return n;
}

void TRichEdit::SetSelStart(int Value) {
  FSelStart = std::clamp(Value, 0, TextLength());
  FSelLength = 0;
}

void TRichEdit::SetSelLength(int Value) { FSelLength = std::clamp(Value, 0, TextLength() - FSelStart); }

void TRichEdit::SplitAt(int Position) {
  int pos = 0;
  for (size_t i = 0; i < FDoc.size(); ++i) {
    const int len = static_cast<int>(FDoc[i].Text.size());
    if (Position > pos && Position < pos + len) {
      TRichRun tail = FDoc[i];
      tail.Text = FDoc[i].Text.substr(static_cast<size_t>(Position - pos));
      FDoc[i].Text.resize(static_cast<size_t>(Position - pos));
      FDoc.insert(FDoc.begin() + static_cast<std::ptrdiff_t>(i) + 1, tail);
      return;
    }
    pos += len;
  }
}

void TRichEdit::SetWordWrap(bool Value) {
  FWordWrap = Value;
  MeasureRequiredSize();
}

namespace {

void SelectRunFont(TCanvas* Canvas, const TRichRun& Run) {
  TFont* font = Canvas->Font();
  font->SetName(Run.FontName);
  font->SetSize(Run.FontSize);
  font->SetStyle(Run.Style);
  font->SetColor(Run.Color);
}

// Lays the runs out from R's top-left corner, breaking lines at paragraph ends and, with Wrap,
// between words that pass R's right edge. Draw is called for every piece; the extent used
// comes back.
template <typename DrawFn>
TSize LayOut(TCanvas* Canvas, const TRichDocument& Doc, const TRect& R, bool Wrap, DrawFn Draw) {
  int x = R.Left, y = R.Top, lineHeight = 0, widest = 0;
  auto newLine = [&]() {
    widest = std::max(widest, x - R.Left);
    y += lineHeight > 0 ? lineHeight : Canvas->TextHeight("gh");
    x = R.Left;
    lineHeight = 0;
  };
  for (const TRichRun& run : Doc) {
    SelectRunFont(Canvas, run);
    size_t start = 0;
    while (start <= run.Text.size()) {
      const size_t end = run.Text.find('\n', start);
      const String part = run.Text.substr(start, end == String::npos ? String::npos : end - start);
      // Words keep their following blanks so that a line ends where the text had a blank.
      size_t w = 0;
      while (w < part.size()) {
        size_t next = part.find(' ', w);
        next = next == String::npos ? part.size() : part.find_first_not_of(' ', next);
        if (next == String::npos) next = part.size();
        const String word = part.substr(w, next - w);
        const int width = Canvas->TextWidth(word);
        if (Wrap && x > R.Left && x + width > R.Right) newLine();
        lineHeight = std::max(lineHeight, Canvas->TextHeight(word));
        Draw(x, y, word);
        x += width;
        w = next;
      }
      if (end == String::npos) break;
      lineHeight = std::max(lineHeight, Canvas->TextHeight("gh"));
      newLine();
      start = end + 1;
    }
  }
  widest = std::max(widest, x - R.Left);
  if (x > R.Left || lineHeight > 0) y += lineHeight;
  return TSize{widest, y - R.Top};
}

}  // namespace

void TRichEdit::Render(TCanvas* ACanvas, const TRect& R) {
  TCanvasStateSaver saver(ACanvas);
  ACanvas->IntersectClipRect(R);
  ACanvas->Brush()->SetStyle(bsClear);
  LayOut(ACanvas, FDoc, R, FWordWrap, [&](int X, int Y, const String& S) { ACanvas->TextOut(X, Y, S); });
}

void TRichEdit::MeasureRequiredSize() {
  TBitmap bitmap(1, 1);
  const TRect r = Rect(0, 0, FWordWrap ? std::max(1, Width()) : 1 << 20, 1 << 20);
  const TSize size = LayOut(bitmap.Canvas(), FDoc, r, FWordWrap, [](int, int, const String&) {});
  FReqWidth = size.cx;
  FReqHeight = size.cy;
  if (OnResizeRequest) OnResizeRequest(this);
}

void TRichEdit::Paint() {
  Canvas()->Brush()->SetStyle(bsSolid);
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
  Render(Canvas(), ClientRect());
}
