// The records of the binary cell stream. Each record is one carrier component written in the
// component-stream form: "TPF0", the class name, an empty component name, the properties as
// name and tagged value, an end marker for the properties and one for the (absent) children.
// Integers, Words and Booleans are always written, empty strings are not; nested objects are
// written as dotted names. The reader checks every length against the bytes left and raises
// EReadError for anything that is not such a record.
#pragma once

#include <map>
#include <memory>
#include <variant>
#include <vector>

#include "classlib/Component.h"
#include "classlib/Streams.h"

namespace GridStream {

// The value tags of the component stream that the carriers use.
enum TValueType : uint8_t {
  vaNull = 0,
  vaList = 1,
  vaInt32 = 4,
  vaFalse = 8,
  vaTrue = 9,
  vaBinary = 10,
  vaLString = 12,
  vaDouble = 21,
};

struct TBinary {
  String Bytes;
};
using TValue = std::variant<int32_t, bool, String, double, TBinary, std::vector<String>>;

// One record: its class name and its properties in the order written.
struct TRecord {
  String ClassName;
  std::vector<std::pair<String, TValue>> Properties;

  void Add(const String& Name, TValue Value) { Properties.emplace_back(Name, std::move(Value)); }
  const TValue* Find(const String& Name) const;
  // The value of a property of that type; Default when the record lacks it; EReadError when it
  // holds another type.
  int32_t Int(const String& Name, int32_t Default = 0) const;
  bool Bool(const String& Name, bool Default = false) const;
  String Str(const String& Name) const;
  double Dbl(const String& Name, double Default = 0) const;
  String Bin(const String& Name) const;
  std::vector<String> List(const String& Name) const;
};

void WriteRecord(TStream& Stream, const TRecord& Record);

// Reads records from bytes held in memory, never past their end.
class TRecordReader {
 public:
  explicit TRecordReader(String Bytes) : FBytes(std::move(Bytes)) {}
  size_t Remaining() const { return FBytes.size() - FPos; }
  // The next record, which must be of class ClassName.
  TRecord Read(const String& ClassName);

 private:
  uint8_t Byte();
  int32_t Int32();
  String Bytes(size_t Count);
  String ShortString();
  TValue Value();
  String FBytes;
  size_t FPos = 0;
};

}  // namespace GridStream

// The first record of a stream and the record of each cell: published properties in streaming
// order.
class TGridPropIO : public TComponent {
 public:
  using TComponent::TComponent;
  int32_t ColCount = 0;
  int32_t RowCount = 0;
  String ColWidths;
  String RowHeights;
  bool FullGrid = false;
  int32_t ID = 0;
  GridStream::TRecord ToRecord() const;
  void FromRecord(const GridStream::TRecord& R);
};

class TGridCellIO : public TComponent {
 public:
  using TComponent::TComponent;
  Word Col = 0;
  Word Row = 0;
  String Cell;
  bool HasProp = false;
  GridStream::TRecord ToRecord() const;
  void FromRecord(const GridStream::TRecord& R);
};

// Reads a whole binary cell stream without applying it: EReadError (or the picture loader's
// error) for one that a grid would refuse.
void ValidateCellStream(const String& Bytes);

// The other records are built straight from the cell they carry (exchange/GridBinaryStream.cpp):
// "TGridCellPropIO" (the cell's properties under "CellProperties." and HasGraphic),
// "TGridGraphicIO" (the graphic under "CellGraphic."), and the object records "TGridBMPIO",
// "TGridIconIO", "TGridPicIO" (image file bytes), "TGridFilePicIO" (name and size) and
// "TGridSLIO" (a list of strings).
