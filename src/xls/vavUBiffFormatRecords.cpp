#include "xls/vavUBiffFormatRecords.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "xls/vavUBiffCellRecords.h"
#include "xls/vavUBiffStrings.h"

namespace {
const char16_t* const BuiltIn[50] = {
    u"",         u"0",           u"0.00",       u"#,##0",     u"#,##0.00",  u"", u"", u"", u"",
    u"0%",       u"0.00%",       u"0.00E+00",   u"?/?",       u"# ?\?/?\?",   u"mm/dd/YYYY",
    u"DD-MMM-YY", u"DD-MMM",     u"MMM-YY",     u"h:mm AM/PM", u"h:mm:ss AM/PM", u"hh:mm", u"hh:mm:ss",
    u"mm/dd/YYYY hh:mm", u"",    u"",           u"",          u"",          u"", u"", u"", u"", u"", u"", u"",
    u"",         u"",            u"",           u"#,##0 _$;-#,##0 _$", u"#,##0 _$;[Red]-#,##0 _$",
    u"#,##0.00 _$;-#,##0.00 _$", u"#,##0.00 _$;[Red]-#,##0.00 _$", u"", u"", u"", u"", u"mm:ss",
    u"[h]:mm:ss", u"mm:ss,0",    u"##0.0E+0",   u"@"};

// Colour numbers of side borders: 8 .. 64.
Integer SideColor(Integer index) { return std::clamp((index + 7) & 0x7F, 8, 64); }
Integer Color7(Integer index) { return (index + 7) & 0x7F; }

Byte UnderlineCode(TWbkUnderline u) {
  switch (u) {
    case TWbkUnderline::fu_Single: return 1;
    case TWbkUnderline::fu_Double: return 2;
    case TWbkUnderline::fu_SingleAccounting: return 0x21;
    case TWbkUnderline::fu_DoubleAccounting: return 0x22;
    default: return 0;
  }
}

// The number an enumeration value is stored as.
template <typename E>
Cardinal Code(E e) {
  return static_cast<Cardinal>(e);
}
}  // namespace

WideString BuiltInFormat(Integer id) {
  if (id < 0 || id >= 50) return WideString();
  if (id == 14 || id == 22) {
    const String& shortDate = FormatSettings.ShortDateFormat;
    const WideString sep(1, static_cast<char16_t>(FormatSettings.DateSeparator));
    WideString s;
    for (char c : shortDate) {
      char l = static_cast<char>(c | 0x20);
      if (l == 'y') s = u"YYYY" + sep + u"mm" + sep + u"dd";
      else if (l == 'm') s = u"mm" + sep + u"dd" + sep + u"YYYY";
      else if (l == 'd') s = u"dd" + sep + u"mm" + sep + u"YYYY";
      if (!s.empty()) break;
    }
    if (s.empty()) return BuiltIn[id];
    if (id == 22) s += u" hh" + WideString(1, static_cast<char16_t>(FormatSettings.TimeSeparator)) + u"mm";
    return s;
  }
  return BuiltIn[id];
}

// ---------------------------------------------------------------------------------------------
// FONT

TFontRecord::TFontRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 14)) {}

std::unique_ptr<TFontRecord> TFontRecord::CreateFromWbkFont(const TWbkFont& aFont) {
  ArrayOfByte data(14, 0);
  SetWord(data, 0, static_cast<Word>(aFont.Size20));
  const bool italic = aFont.Style.Contains(flsItalic), strikeOut = aFont.Style.Contains(flsStrikeOut);
  SetWord(data, 2, static_cast<Word>((italic ? 0x02 : 0) | (strikeOut ? 0x08 : 0)));
  SetWord(data, 4, static_cast<Word>(aFont.ColorIndex + 7));
  SetWord(data, 6, aFont.Style.Contains(flsBold) ? 700 : 400);
  SetWord(data, 8, aFont.Style.Contains(flsSubscript) ? 2 : aFont.Style.Contains(flsSuperscript) ? 1 : 0);
  data[10] = UnderlineCode(aFont.Underline);
  data[11] = aFont.Family;
  data[12] = aFont.CharSet;
  TExcelString(1, aFont.Name).SaveToStream(data, true);
  return std::make_unique<TFontRecord>(Id_, std::move(data));
}

WideString TFontRecord::Name() const {
  const TBaseRecord* r = this;
  Integer ofs = 14;
  return TExcelString(1, r, ofs).Value();
}

TWbkFont TFontRecord::WbkFont() const {
  TWbkFont f;
  f.Name = Name();
  f.Size20 = Height();
  f.ColorIndex = GetWord(Data, 4) - 7;
  const Word options = GetWord(Data, 2);
  f.Style = {};
  if (options & 0x02) f.Style += flsItalic;
  if (GetWord(Data, 6) == 700) f.Style += flsBold;
  if (options & 0x08) f.Style += flsStrikeOut;
  const Word esc = GetWord(Data, 8);
  if (esc == 1) f.Style += flsSuperscript;
  else if (esc == 2) f.Style += flsSubscript;
  switch (Data[10]) {
    case 1: f.Underline = TWbkUnderline::fu_Single; break;
    case 2: f.Underline = TWbkUnderline::fu_Double; break;
    case 0x21: f.Underline = TWbkUnderline::fu_SingleAccounting; break;
    case 0x22: f.Underline = TWbkUnderline::fu_DoubleAccounting; break;
    default: f.Underline = TWbkUnderline::fu_None; break;
  }
  f.Family = Data[11];
  f.CharSet = Data[12];
  return f;
}

Integer TFontRecordList::AddFont(const TWbkFont& aFont) {
  auto font = TFontRecord::CreateFromWbkFont(aFont);
  Integer index = -1;
  for (Integer i = 0; i < Count(); ++i)
    if ((*this)[i] && (*this)[i]->Data == font->Data) {
      index = i;
      break;
    }
  if (index < 0) index = Add(std::move(font));
  return index > 3 ? index + 1 : index;
}

// ---------------------------------------------------------------------------------------------
// FORMAT

TFormatRecord::TFormatRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 2)) {}

std::unique_ptr<TFormatRecord> TFormatRecord::CreateFromData(const WideString& Fmt, Word NewID) {
  ArrayOfByte data(2, 0);
  SetWord(data, 0, NewID);
  TExcelString(2, Fmt).SaveToStream(data, true);
  return std::make_unique<TFormatRecord>(Id_, std::move(data));
}

WideString TFormatRecord::Value() const {
  const TBaseRecord* r = this;
  Integer ofs = 2;
  return TExcelString(2, r, ofs).Value();
}

void TFormatRecordList::Sort() {
  std::stable_sort(FItems.begin(), FItems.end(), [](const auto& a, const auto& b) {
    return (a ? a->FormatId() : -1) < (b ? b->FormatId() : -1);
  });
  Sorted = true;
}

bool TFormatRecordList::Find(Integer aId, Integer& Index) {
  if (!Sorted) Sort();
  Integer lo = 0, hi = Count() - 1;
  while (lo <= hi) {
    Integer mid = lo + (hi - lo) / 2;
    const TFormatRecord* r = FItems[static_cast<size_t>(mid)].get();
    Integer id = r ? r->FormatId() : -1;
    if (id == aId) {
      Index = mid;
      return true;
    }
    if (id < aId) lo = mid + 1;
    else hi = mid - 1;
  }
  Index = lo;
  return false;
}

Integer TFormatRecordList::AddFormat(const WideString& Fmt) {
  for (const auto& r : FItems)
    if (r && r->Value() == Fmt) return r->FormatId();
  for (Integer id = 0; id < 50; ++id)
    if (BuiltInFormat(id) == Fmt) return id;
  if (!Sorted) Sort();
  Integer newId = 164;
  for (const auto& r : FItems)
    if (r) newId = std::max<Integer>(newId, r->FormatId() + 1);
  if (newId > 0xFFFF) RaiseXls(XlsMsg::TooManyEntries, {Int64{newId}, Int64{0xFFFF}});
  Add(TFormatRecord::CreateFromData(Fmt, static_cast<Word>(newId)));
  return newId;
}

WideString TFormatRecordList::GetFormat(Integer aId) const {
  for (const auto& r : FItems)
    if (r && r->FormatId() == aId) return r->Value();
  return BuiltInFormat(aId);
}

// ---------------------------------------------------------------------------------------------
// XF

TXFRecord::TXFRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, RequireDataSize(aId, std::move(aData), 20)) {}

std::unique_ptr<TXFRecord> TXFRecord::CreateFromFormat(const TWbkFormat& Fmt, TFontRecordList& FontList,
                                                       TFormatRecordList& FormatList) {
  ArrayOfByte d(20, 0);
  SetWord(d, 0, static_cast<Word>(FontList.AddFont(Fmt.Font)));
  SetWord(d, 2, static_cast<Word>(FormatList.AddFormat(Fmt.Format)));
  SetWord(d, 4, static_cast<Word>((Fmt.Locked ? 1 : 0) + (Fmt.Hidden ? 2 : 0)));
  SetWord(d, 6, static_cast<Word>(Code(Fmt.HAlignment) + (Fmt.WrapText ? 8 : 0) + Code(Fmt.VAlignment) * 16 +
                                  Fmt.Rotation * 256));
  SetWord(d, 8, static_cast<Word>((Fmt.Indent & 15) + (Fmt.ShrinkToFit ? 16 : 0) + 0xFC00));
  const TWbkBorders& b = Fmt.Borders;
  SetWord(d, 10, static_cast<Word>(Code(b.Left.Style) + Code(b.Right.Style) * 16 + Code(b.Top.Style) * 256 +
                                   Code(b.Bottom.Style) * 4096));
  SetWord(d, 12, static_cast<Word>(SideColor(b.Left.ColorIndex) + SideColor(b.Right.ColorIndex) * 128 +
                                   Code(b.DiagonalStyle) * 16384));
  const uint64_t word = static_cast<uint64_t>(SideColor(b.Top.ColorIndex)) +
                        static_cast<uint64_t>(SideColor(b.Bottom.ColorIndex)) * 128 +
                        static_cast<uint64_t>(Color7(b.Diagonal.ColorIndex)) * 16384 +
                        static_cast<uint64_t>(Code(b.Diagonal.Style)) * (1u << 21) +
                        static_cast<uint64_t>(static_cast<uint32_t>((Fmt.FillPattern.Pattern & 63) - 1)) * (1u << 26);
  SetCardinal(d, 14, static_cast<Cardinal>(word));
  SetWord(d, 18, static_cast<Word>(Color7(Fmt.FillPattern.FgColorIndex) + Color7(Fmt.FillPattern.BgColorIndex) * 128));
  return std::make_unique<TXFRecord>(Id_, std::move(d));
}

Integer TXFRecord::GetActualFontIndex(const TFontRecordList& FontList) const {
  Integer index = FontIndex();
  if (index > 3) --index;
  return index < FontList.Count() ? index : 0;
}

TWbkFormat TXFRecord::WbkFormat(const TFontRecordList& FontList, const TFormatRecordList& FormatList) const {
  TWbkFormat f;
  const Integer font = GetActualFontIndex(FontList);
  if (font < FontList.Count() && FontList[font]) f.Font = FontList[font]->WbkFont();
  TWbkBorders& b = f.Borders;
  b.Left.Style = GetBorderStyle(10, 0);
  b.Right.Style = GetBorderStyle(10, 4);
  b.Top.Style = GetBorderStyle(11, 0);
  b.Bottom.Style = GetBorderStyle(11, 4);
  b.Left.ColorIndex = GetBorderColorIndex(12, 0);
  b.Right.ColorIndex = GetBorderColorIndex(12, 7);
  b.Top.ColorIndex = GetBorderColorIndex(14, 0);
  b.Bottom.ColorIndex = GetBorderColorIndex(14, 7);
  b.Diagonal.Style = GetBorderStyleExt(14, 21);
  b.Diagonal.ColorIndex = GetBorderColorIndexExt(14, 14);
  b.DiagonalStyle = DiagonalStyle();
  f.Format = FormatList.GetFormat(FormatIndex());
  f.FillPattern.Pattern = static_cast<TWbkPatternStyle>(CellPattern() + 1);
  f.FillPattern.FgColorIndex = CellFgColorIndex();
  f.FillPattern.BgColorIndex = CellBgColorIndex();
  f.HAlignment = HAlign();
  f.VAlignment = VAlign();
  f.WrapText = WrapText();
  f.ShrinkToFit = (Data[8] & 0x10) != 0;
  f.Rotation = Rotation();
  f.Indent = static_cast<Byte>(Data[8] & 0x0F);
  const Word prot = GetWord(Data, 4);
  f.Locked = (prot & 1) != 0;
  f.Hidden = (prot & 2) != 0;
  f.Parent = prot & 0xFFF0;
  return f;
}

void TXFRecord::FillUsedColors(std::vector<bool>& UsedColors, const TFontRecordList& FontList) const {
  auto mark = [&](Integer index) {
    if (index >= 0 && index < static_cast<Integer>(UsedColors.size())) UsedColors[static_cast<size_t>(index)] = true;
  };
  constexpr TWbkBorderStyle none = TWbkBorderStyle::fbs_None;
  if (GetBorderStyle(10, 0) != none) mark(GetBorderColorIndex(12, 0));
  if (GetBorderStyle(10, 4) != none) mark(GetBorderColorIndex(12, 7));
  if (GetBorderStyle(11, 0) != none) mark(GetBorderColorIndex(14, 0));
  if (GetBorderStyle(11, 4) != none) mark(GetBorderColorIndex(14, 7));
  if (GetBorderStyleExt(14, 21) != none) mark(GetBorderColorIndexExt(14, 14));
  if (CellPattern() != 0) {
    mark(CellFgColorIndex());
    if (CellPattern() != 1) mark(CellBgColorIndex());
  }
  const Integer font = GetActualFontIndex(FontList);
  if (font < FontList.Count() && FontList[font]) mark(GetWord(FontList[font]->Data, 4) - 7);
}

bool TXFRecordList::FindFormat(const TXFRecord& XF, Integer& Index) const {
  for (Integer i = 0; i < Count(); ++i) {
    const TXFRecord* r = (*this)[i];
    // A stored XF shorter than the given one cannot match: it is never read past its end.
    if (r && r->Data.size() >= XF.Data.size() && std::equal(XF.Data.begin(), XF.Data.end(), r->Data.begin())) {
      Index = i;
      return true;
    }
  }
  Index = -1;
  return false;
}

std::vector<bool> TXFRecordList::GetUsedColors(Integer ColorCount, const TFontRecordList& FontList) const {
  std::vector<bool> used(static_cast<size_t>(std::max(0, ColorCount)), false);
  for (const auto& r : FItems)
    if (r) r->FillUsedColors(used, FontList);
  return used;
}
