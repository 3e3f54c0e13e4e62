#include "xls/vavUBiffPalette.h"

#include <algorithm>

namespace {
// Red, green, blue of the standard entries.
constexpr Cardinal StandardRGB[TPaletteRecord::StandardCount] = {
    0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF, 0x800000, 0x008000,
    0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080, 0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF,
    0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF, 0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000,
    0x008080, 0x0000FF, 0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
    0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696, 0x003366, 0x339966,
    0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333};

Cardinal RGBToColor(Cardinal rgb) { return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16); }
}  // namespace

Cardinal StandardPaletteColor(Integer Index) {
  if (Index < 0 || Index >= TPaletteRecord::StandardCount)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("Palette index"), Int64{0}, Int64{55}});
  return RGBToColor(StandardRGB[Index]);
}

TPaletteRecord::TPaletteRecord(Word aId, ArrayOfByte aData) : TRecordOf(aId, std::move(aData)) {
  if (Data.size() < 2) RaiseXls(XlsMsg::InvalidRecordId, {Int64{aId}});
}

std::unique_ptr<TPaletteRecord> TPaletteRecord::CreateStandard() {
  ArrayOfByte data(2 + 4 * StandardCount, 0);
  SetWord(data, 0, StandardCount);
  for (Integer i = 0; i < StandardCount; ++i) SetCardinal(data, 2 + 4 * static_cast<size_t>(i), StandardPaletteColor(i));
  return std::make_unique<TPaletteRecord>(Id_, std::move(data));
}

Integer TPaletteRecord::Count() const {
  // A count from the file larger than the data is cut to the entries present.
  return std::min<Integer>(GetWord(Data, 0), static_cast<Integer>((Data.size() - 2) / 4));
}

Cardinal TPaletteRecord::GetColor(Integer Index) const {
  if (Index < 0 || Index >= Count())
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("Palette Color Index"), Int64{0}, Int64{Count() - 1}});
  return GetCardinal(Data, 2 + 4 * static_cast<size_t>(Index));
}

void TPaletteRecord::SetColor(Integer Index, Cardinal Color) {
  if (Index < 0 || Index >= Count()) RaiseXls(XlsMsg::TooManyEntries, {Int64{Index}, Int64{Count() - 1}});
  SetCardinal(Data, 2 + 4 * static_cast<size_t>(Index), Color & 0x00FFFFFF);
}
