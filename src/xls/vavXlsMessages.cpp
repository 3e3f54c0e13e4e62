#include "xls/vavXlsMessages.h"

#include <cstring>

String FormatXlsMessage(std::string_view text, std::initializer_list<TXlsMsgArg> args) {
  static const char* const kHex = "0123456789ABCDEF";
  String out;
  auto arg = args.begin();
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '%' || i + 1 >= text.size()) {
      out += c;
      continue;
    }
    size_t conv = i + 1;
    int width = 0;
    while (conv < text.size() && text[conv] >= '0' && text[conv] <= '9') width = width * 10 + (text[conv++] - '0');
    if (conv >= text.size() || arg == args.end() || std::string_view("sdx").find(text[conv]) == std::string_view::npos) {
      out += c;
      continue;
    }
    String piece;
    char kind = text[conv];
    if (kind == 's') {
      piece = std::holds_alternative<String>(*arg) ? std::get<String>(*arg) : std::to_string(std::get<Int64>(*arg));
    } else {
      Int64 v = std::holds_alternative<Int64>(*arg) ? std::get<Int64>(*arg) : 0;
      if (kind == 'd') {
        piece = std::to_string(v);
      } else {
        uint64_t u = static_cast<uint64_t>(v);
        do {
          piece.insert(piece.begin(), kHex[u & 15]);
          u >>= 4;
        } while (u != 0);
        while (static_cast<int>(piece.size()) < width) piece.insert(piece.begin(), '0');
      }
    }
    out += piece;
    ++arg;
    i = conv;
  }
  return out;
}

void RaiseXls(std::string_view text, std::initializer_list<TXlsMsgArg> args) {
  throw Exception(FormatXlsMessage(text, args));
}

namespace {
void CheckRange(size_t size, size_t pos, size_t width) {
  if (pos > size || width > size - pos) RaiseXls(XlsMsg::ReadingRecord);
}
}  // namespace

Word GetWord(std::span<const Byte> Data, size_t Pos) {
  CheckRange(Data.size(), Pos, 2);
  return static_cast<Word>(Data[Pos] | (Data[Pos + 1] << 8));
}

Cardinal GetCardinal(std::span<const Byte> Data, size_t Pos) {
  CheckRange(Data.size(), Pos, 4);
  return static_cast<Cardinal>(Data[Pos]) | (static_cast<Cardinal>(Data[Pos + 1]) << 8) |
         (static_cast<Cardinal>(Data[Pos + 2]) << 16) | (static_cast<Cardinal>(Data[Pos + 3]) << 24);
}

Double GetDouble(std::span<const Byte> Data, size_t Pos) {
  CheckRange(Data.size(), Pos, 8);
  uint64_t bits = 0;
  for (int i = 7; i >= 0; --i) bits = (bits << 8) | Data[Pos + i];
  Double v;
  std::memcpy(&v, &bits, sizeof v);
  return v;
}

void SetWord(std::span<Byte> Data, size_t Pos, Word Value) {
  CheckRange(Data.size(), Pos, 2);
  Data[Pos] = static_cast<Byte>(Value);
  Data[Pos + 1] = static_cast<Byte>(Value >> 8);
}

void SetCardinal(std::span<Byte> Data, size_t Pos, Cardinal Value) {
  CheckRange(Data.size(), Pos, 4);
  for (int i = 0; i < 4; ++i) Data[Pos + i] = static_cast<Byte>(Value >> (8 * i));
}

void SetDouble(std::span<Byte> Data, size_t Pos, Double Value) {
  CheckRange(Data.size(), Pos, 8);
  uint64_t bits;
  std::memcpy(&bits, &Value, sizeof bits);
  for (int i = 0; i < 8; ++i) Data[Pos + i] = static_cast<Byte>(bits >> (8 * i));
}

void IncWordMax(std::span<Byte> Data, size_t Pos, Integer Delta, Integer Max) {
  Int64 result = static_cast<Int64>(GetWord(Data, Pos)) + Delta;
  if (result > Max || result < 0) RaiseXls(XlsMsg::TooManyEntries, {result, Int64{Max}});
  SetWord(Data, Pos, static_cast<Word>(result));
}

void IncByteMax(std::span<Byte> Data, size_t Pos, Integer Delta, Integer Max) {
  CheckRange(Data.size(), Pos, 1);
  Int64 result = static_cast<Int64>(Data[Pos]) + Delta;
  if (result > Max || result < 0) RaiseXls(XlsMsg::TooManyEntries, {result, Int64{Max}});
  Data[Pos] = static_cast<Byte>(result);
}

void IncWordVarMax(Word& W, Integer Delta, Integer Max) {
  Int64 result = static_cast<Int64>(W) + Delta;
  if (result > Max || result < 0) RaiseXls(XlsMsg::TooManyEntries, {result, Int64{Max}});
  W = static_cast<Word>(result);
}

void IncCardinal(std::span<Byte> Data, size_t Pos, Int64 Delta) {
  SetCardinal(Data, Pos, static_cast<Cardinal>(GetCardinal(Data, Pos) + Delta));
}

void IncWordClamped(Word& W, Integer Delta, Integer Max, Integer Min) {
  Int64 result = static_cast<Int64>(W) + Delta;
  if (result > Max) result = Max;
  if (result < Min) result = Min;
  W = static_cast<Word>(result);
}

namespace {
// The parts of a string stored in a byte block, found without reading past the block.
struct TStringLayout {
  size_t CharsPos = 0;   // where the characters start
  Int64 Count = 0;       // character count
  Int64 CharSize = 1;
  Int64 ByteLength = 0;  // whole string, header to far-east data
};

TStringLayout MeasureString(bool Len16, std::span<const Byte> Data, size_t Pos, Integer GivenCount,
                            bool UseGivenCount) {
  TStringLayout l;
  size_t p = Pos;
  if (UseGivenCount) {
    l.Count = GivenCount;
  } else if (Len16) {
    l.Count = GetWord(Data, p);
    p += 2;
  } else {
    CheckRange(Data.size(), p, 1);
    l.Count = Data[p++];
  }
  CheckRange(Data.size(), p, 1);
  Byte options = Data[p++];
  Int64 runs = 0, farEast = 0;
  if (options & 0x08) {
    runs = GetWord(Data, p);
    p += 2;
  }
  if (options & 0x04) {
    farEast = GetCardinal(Data, p);
    p += 4;
  }
  l.CharSize = (options & 0x01) ? 2 : 1;
  l.CharsPos = p;
  l.ByteLength = static_cast<Int64>(p - Pos) + l.Count * l.CharSize + 4 * runs + farEast;
  return l;
}
}  // namespace

Int64 StrByteLength(bool Len16, std::span<const Byte> Data, size_t Pos, Integer GivenCount, bool UseGivenCount) {
  return MeasureString(Len16, Data, Pos, GivenCount, UseGivenCount).ByteLength;
}

void DecodeStringAt(bool Len16, std::span<const Byte> Data, size_t Pos, Int64& ByteLength, WideString& Text,
                    Integer GivenCount, bool UseGivenCount) {
  TStringLayout l = MeasureString(Len16, Data, Pos, GivenCount, UseGivenCount);
  if (l.Count < 0) RaiseXls(XlsMsg::ReadingRecord);
  CheckRange(Data.size(), l.CharsPos, static_cast<size_t>(l.Count * l.CharSize));
  WideString text(static_cast<size_t>(l.Count), u'\0');
  for (Int64 i = 0; i < l.Count; ++i) {
    size_t at = l.CharsPos + static_cast<size_t>(i * l.CharSize);
    text[i] = l.CharSize == 2 ? static_cast<char16_t>(Data[at] | (Data[at + 1] << 8)) : static_cast<char16_t>(Data[at]);
  }
  ByteLength = l.ByteLength;
  Text = std::move(text);
}

bool IsWide(const WideString& s) {
  for (char16_t c : s)
    if (c > 255) return true;
  return false;
}

String CompressString(const WideString& s) {
  String out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<char>(s[i] & 0xFF);
  return out;
}

void CompressStringTo(const WideString& s, std::span<Byte> Data, size_t Pos) {
  CheckRange(Data.size(), Pos, s.size());
  for (size_t i = 0; i < s.size(); ++i) Data[Pos + i] = s[i] > 255 ? Byte('?') : static_cast<Byte>(s[i]);
}

WideString WidenString(const String& s) {
  WideString out(s.size(), u'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<char16_t>(static_cast<unsigned char>(s[i]));
  return out;
}

void AppendWord(ArrayOfByte& Data, Word Value) {
  Data.push_back(static_cast<Byte>(Value));
  Data.push_back(static_cast<Byte>(Value >> 8));
}

void AppendCardinal(ArrayOfByte& Data, Cardinal Value) {
  AppendWord(Data, static_cast<Word>(Value & 0xFFFF));
  AppendWord(Data, static_cast<Word>(Value >> 16));
}
