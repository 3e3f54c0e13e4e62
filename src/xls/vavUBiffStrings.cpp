#include "xls/vavUBiffStrings.h"

namespace {
// Data bytes from Ofs of aRecord to the end of its CONTINUE chain: nothing larger can be read,
// so no block is sized beyond it.
Int64 RemainingBytes(const TBaseRecord* aRecord, Integer Ofs) {
  Int64 remaining = static_cast<Int64>(aRecord->DataSize()) - Ofs;
  for (const TContinueRecord* c = aRecord->Continue.get(); c; c = c->Continue.get()) remaining += c->DataSize();
  return remaining;
}

Byte ReadByte(const TBaseRecord*& aRecord, Integer& Ofs) {
  Byte b = 0;
  ReadContinuedMem(aRecord, Ofs, 1, &b);
  return b;
}


ArrayOfByte ReadBlock(const TBaseRecord*& aRecord, Integer& Ofs, Int64 Count) {
  if (Count > RemainingBytes(aRecord, Ofs)) RaiseXls(XlsMsg::ReadingRecord);
  ArrayOfByte block(static_cast<size_t>(Count));
  ReadContinuedMem(aRecord, Ofs, static_cast<Integer>(Count), block.data());
  return block;
}
}  // namespace

void ReadContinuedStr(const TBaseRecord*& aRecord, Integer& Ofs, Word CharCount, Byte& OptionFlags, String& ShortData,
                      WideString& WideData) {
  bool wide = (OptionFlags & 0x01) != 0;
  int incoming = wide ? 2 : 1;  // width of the characters in the current record
  ShortData.clear();
  WideData.clear();
  if (wide) WideData.reserve(CharCount);
  else ShortData.reserve(CharCount);
  size_t read = 0;
  while (read < CharCount) {
    if (Ofs < 0 || Ofs > aRecord->DataSize()) RaiseXls(XlsMsg::ReadingRecord);
    if (Ofs == aRecord->DataSize()) {
      if (!aRecord->Continue || aRecord->Continue->DataSize() == 0) RaiseXls(XlsMsg::ReadingRecord);
      aRecord = aRecord->Continue.get();
      Byte options = aRecord->Data[0];
      Ofs = 1;
      incoming = (options & 0x01) ? 2 : 1;
      if (incoming == 2 && !wide) {
        WideData = WidenString(ShortData);
        ShortData.clear();
        OptionFlags |= 0x01;
        wide = true;
      }
    }
    Integer left = aRecord->DataSize() - Ofs;
    size_t n = std::min<size_t>(CharCount - read, static_cast<size_t>(left / incoming));
    if (n == 0) RaiseXls(XlsMsg::ReadingRecord);  // a 16-bit character split between records
    const Byte* p = aRecord->Data.data() + Ofs;
    for (size_t i = 0; i < n; ++i) {
      char16_t c = incoming == 2 ? static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8)) : p[i];
      if (wide) WideData += c;
      else ShortData += static_cast<char>(c);
    }
    Ofs += static_cast<Integer>(n * incoming);
    read += n;
  }
}

TExcelString::TExcelString(TStrLenLength aStrLenLength, const TBaseRecord*& aRecord, Integer& Ofs)
    : StrLenLength(aStrLenLength) {
  if (StrLenLength != 1 && StrLenLength != 2) RaiseXls(XlsMsg::StrLenLengthInvalid);
  StrLen = StrLenLength == 1 ? ReadByte(aRecord, Ofs) : ReadContinuedWord(aRecord, Ofs);
  OptionFlags = ReadByte(aRecord, Ofs);
  if (HasRichText()) NumberRichTextFormats = ReadContinuedWord(aRecord, Ofs);
  if (HasFarInfo()) {
    Byte b[4] = {};
    ReadContinuedMem(aRecord, Ofs, 4, b);
    FarEastDataSize = static_cast<Cardinal>(b[0] | (b[1] << 8) | (b[2] << 16)) | (static_cast<Cardinal>(b[3]) << 24);
  }
  if (StrLen > 0) ReadContinuedStr(aRecord, Ofs, StrLen, OptionFlags, ShortData, WideData);
  if (NumberRichTextFormats > 0) RichTextFormats = ReadBlock(aRecord, Ofs, 4 * static_cast<Int64>(NumberRichTextFormats));
  if (FarEastDataSize > 0) FarEastData = ReadBlock(aRecord, Ofs, FarEastDataSize);
}

TExcelString::TExcelString(TStrLenLength aStrLenLength, const WideString& s, bool ForceWide) : StrLenLength(aStrLenLength) {
  size_t limit = aStrLenLength == 1 ? 255 : 65535;
  if (s.size() > limit) RaiseXls(XlsMsg::InvalidString);
  StrLen = static_cast<Word>(s.size());
  OptionFlags = (ForceWide || IsWide(s)) ? 0x01 : 0x00;
  if (OptionFlags & 0x01) WideData = s;
  else ShortData = CompressString(s);
}

WideString TExcelString::Value() const { return (OptionFlags & 0x01) ? WideData : WidenString(ShortData); }

int TExcelString::Compare(const TExcelString& Str2) const {
  auto sign = [](auto a, auto b) { return a < b ? -1 : (a > b ? 1 : 0); };
  if (int c = sign(StrLenLength, Str2.StrLenLength)) return c;
  if (int c = sign(OptionFlags, Str2.OptionFlags)) return c;
  if (GetCharSize() == 1) {
    if (int c = sign(ShortData.size(), Str2.ShortData.size())) return c;
    for (size_t i = 0; i < ShortData.size(); ++i)
      if (int c = sign(static_cast<Byte>(ShortData[i]), static_cast<Byte>(Str2.ShortData[i]))) return c;
    return 0;
  }
  return sign(WideData, Str2.WideData);
}

Int64 TExcelString::TotalSize() const {
  Int64 size = StrLenLength + 1 + static_cast<Int64>(StrLen) * GetCharSize();
  if (HasRichText()) size += 2 + 4 * static_cast<Int64>(NumberRichTextFormats);
  if (HasFarInfo()) size += 4 + static_cast<Int64>(FarEastDataSize);
  return size;
}

void TExcelString::SaveToStream(std::vector<Byte>& DataStream, bool IncludeLen) const {
  auto put16 = [&](Word v) { DataStream.insert(DataStream.end(), {static_cast<Byte>(v), static_cast<Byte>(v >> 8)}); };
  if (IncludeLen) {
    if (StrLenLength == 1) DataStream.push_back(static_cast<Byte>(StrLen));
    else if (StrLenLength == 2) put16(StrLen);
    else RaiseXls(XlsMsg::StrLenLengthInvalid);
  }
  DataStream.push_back(OptionFlags);
  if (HasRichText()) put16(NumberRichTextFormats);
  if (HasFarInfo()) {
    put16(static_cast<Word>(FarEastDataSize));
    put16(static_cast<Word>(FarEastDataSize >> 16));
  }
  if (GetCharSize() == 1) {
    DataStream.insert(DataStream.end(), ShortData.begin(), ShortData.end());
  } else {
    for (char16_t c : WideData) put16(c);
  }
  if (HasRichText()) DataStream.insert(DataStream.end(), RichTextFormats.begin(), RichTextFormats.end());
  if (HasFarInfo()) DataStream.insert(DataStream.end(), FarEastData.begin(), FarEastData.end());
}

void TExcelString::CopyToPtr(std::span<Byte> Ptr, size_t aPos, bool IncludeLen) const {
  std::vector<Byte> bytes;
  SaveToStream(bytes, IncludeLen);
  if (aPos > Ptr.size() || bytes.size() > Ptr.size() - aPos) RaiseXls(XlsMsg::ReadingRecord);
  std::copy(bytes.begin(), bytes.end(), Ptr.begin() + aPos);
}
