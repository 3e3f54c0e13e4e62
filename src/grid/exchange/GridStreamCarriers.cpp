#include "grid/exchange/GridStreamCarriers.h"

#include <cstring>

namespace GridStream {

namespace {

const char kSignature[] = "TPF0";

[[noreturn]] void Invalid() { throw EReadError("Invalid stream format"); }

void PutByte(String& Out, uint8_t B) { Out += static_cast<char>(B); }

void PutInt32(String& Out, int32_t V) {
  const auto u = static_cast<uint32_t>(V);
  for (int i = 0; i < 4; ++i) PutByte(Out, static_cast<uint8_t>(u >> (8 * i)));
}

void PutShortString(String& Out, const String& S) {
  if (S.size() > 255) throw EWriteError("Stream write error");
  PutByte(Out, static_cast<uint8_t>(S.size()));
  Out += S;
}

void PutLString(String& Out, const String& S) {
  if (S.size() > 0x7FFFFFFF) throw EWriteError("Stream write error");
  PutInt32(Out, static_cast<int32_t>(S.size()));
  Out += S;
}

void PutValue(String& Out, const TValue& V) {
  if (const auto* i = std::get_if<int32_t>(&V)) {
    PutByte(Out, vaInt32);
    PutInt32(Out, *i);
  } else if (const auto* b = std::get_if<bool>(&V)) {
    PutByte(Out, *b ? vaTrue : vaFalse);
  } else if (const auto* s = std::get_if<String>(&V)) {
    PutByte(Out, vaLString);
    PutLString(Out, *s);
  } else if (const auto* d = std::get_if<double>(&V)) {
    PutByte(Out, vaDouble);
    char raw[8];
    std::memcpy(raw, d, 8);
    Out.append(raw, 8);
  } else if (const auto* bin = std::get_if<TBinary>(&V)) {
    PutByte(Out, vaBinary);
    PutLString(Out, bin->Bytes);
  } else {
    PutByte(Out, vaList);
    for (const String& item : std::get<std::vector<String>>(V)) {
      PutByte(Out, vaLString);
      PutLString(Out, item);
    }
    PutByte(Out, vaNull);
  }
}

template <typename T>
const T* Typed(const TRecord& R, const String& Name) {
  const TValue* v = R.Find(Name);
  if (v == nullptr) return nullptr;
  const T* t = std::get_if<T>(v);
  if (t == nullptr) Invalid();
  return t;
}

}  // namespace

const TValue* TRecord::Find(const String& Name) const {
  for (const auto& [name, value] : Properties)
    if (name == Name) return &value;
  return nullptr;
}

int32_t TRecord::Int(const String& Name, int32_t Default) const {
  const auto* v = Typed<int32_t>(*this, Name);
  return v != nullptr ? *v : Default;
}
bool TRecord::Bool(const String& Name, bool Default) const {
  const auto* v = Typed<bool>(*this, Name);
  return v != nullptr ? *v : Default;
}
String TRecord::Str(const String& Name) const {
  const auto* v = Typed<String>(*this, Name);
  return v != nullptr ? *v : String();
}
double TRecord::Dbl(const String& Name, double Default) const {
  const auto* v = Typed<double>(*this, Name);
  return v != nullptr ? *v : Default;
}
String TRecord::Bin(const String& Name) const {
  const auto* v = Typed<TBinary>(*this, Name);
  return v != nullptr ? v->Bytes : String();
}
std::vector<String> TRecord::List(const String& Name) const {
  const auto* v = Typed<std::vector<String>>(*this, Name);
  return v != nullptr ? *v : std::vector<String>();
}

void WriteRecord(TStream& Stream, const TRecord& Record) {
  String out(kSignature, 4);
  PutShortString(out, Record.ClassName);
  PutShortString(out, String());
  for (const auto& [name, value] : Record.Properties) {
    if (const auto* s = std::get_if<String>(&value); s != nullptr && s->empty()) continue;
    PutShortString(out, name);
    PutValue(out, value);
  }
  PutByte(out, 0);  // end of the properties
  PutByte(out, 0);  // end of the (absent) children
  Stream.WriteString(out);
}

uint8_t TRecordReader::Byte() {
  if (Remaining() < 1) throw EReadError("Stream read error");
  return static_cast<uint8_t>(FBytes[FPos++]);
}

int32_t TRecordReader::Int32() {
  uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<uint32_t>(Byte()) << (8 * i);
  return static_cast<int32_t>(u);
}

String TRecordReader::Bytes(size_t Count) {
  if (Count > Remaining()) throw EReadError("Stream read error");
  String s = FBytes.substr(FPos, Count);
  FPos += Count;
  return s;
}

String TRecordReader::ShortString() { return Bytes(Byte()); }

TValue TRecordReader::Value() {
  switch (Byte()) {
    case vaInt32: return Int32();
    case vaFalse: return false;
    case vaTrue: return true;
    case vaLString: {
      const int32_t n = Int32();
      if (n < 0) Invalid();
      return Bytes(static_cast<size_t>(n));
    }
    case vaBinary: {
      const int32_t n = Int32();
      if (n < 0) Invalid();
      return TBinary{Bytes(static_cast<size_t>(n))};
    }
    case vaDouble: {
      const String raw = Bytes(8);
      double d = 0;
      std::memcpy(&d, raw.data(), 8);
      return d;
    }
    case vaList: {
      std::vector<String> items;
      for (;;) {
        const uint8_t tag = Byte();
        if (tag == vaNull) break;
        if (tag != vaLString) Invalid();
        const int32_t n = Int32();
        if (n < 0) Invalid();
        items.push_back(Bytes(static_cast<size_t>(n)));
      }
      return items;
    }
    default: Invalid();
  }
}

TRecord TRecordReader::Read(const String& ClassName) {
  if (Bytes(4) != String(kSignature, 4)) Invalid();
  TRecord record;
  record.ClassName = ShortString();
  if (record.ClassName != ClassName) Invalid();
  ShortString();  // the component's name, empty
  for (;;) {
    String name = ShortString();
    if (name.empty()) break;
    record.Properties.emplace_back(std::move(name), Value());
  }
  if (Byte() != 0) Invalid();
  return record;
}

}  // namespace GridStream

using GridStream::TRecord;

TRecord TGridPropIO::ToRecord() const {
  TRecord r{"TGridPropIO", {}};
  r.Add("ColCount", ColCount);
  r.Add("RowCount", RowCount);
  r.Add("ColWidths", ColWidths);
  r.Add("RowHeights", RowHeights);
  r.Add("FullGrid", FullGrid);
  r.Add("ID", ID);
  return r;
}

void TGridPropIO::FromRecord(const TRecord& R) {
  ColCount = R.Int("ColCount");
  RowCount = R.Int("RowCount");
  ColWidths = R.Str("ColWidths");
  RowHeights = R.Str("RowHeights");
  FullGrid = R.Bool("FullGrid");
  ID = R.Int("ID");
}

TRecord TGridCellIO::ToRecord() const {
  TRecord r{"TGridCellIO", {}};
  r.Add("Col", int32_t{Col});
  r.Add("Row", int32_t{Row});
  r.Add("Cell", Cell);
  r.Add("HasProp", HasProp);
  return r;
}

void TGridCellIO::FromRecord(const TRecord& R) {
  const int32_t c = R.Int("Col");
  const int32_t r = R.Int("Row");
  if (c < 0 || c > 65535 || r < 0 || r > 65535) throw EReadError("Invalid stream format");
  Col = static_cast<Word>(c);
  Row = static_cast<Word>(r);
  Cell = R.Str("Cell");
  HasProp = R.Bool("HasProp");
}
