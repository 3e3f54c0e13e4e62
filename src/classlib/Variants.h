// The variant type: a value tagged with a kind code, as cell values are handed between the
// workbook engine and its callers. The kind codes are those of the workbook interface.
#pragma once

#include "classlib/Types.h"

enum TVarType : Word {
  varEmpty = 0x0000,
  varNull = 0x0001,
  varSmallint = 0x0002,
  varInteger = 0x0003,
  varSingle = 0x0004,
  varDouble = 0x0005,
  varCurrency = 0x0006,
  varDate = 0x0007,
  varOleStr = 0x0008,
  varError = 0x000A,
  varBoolean = 0x000B,
  varShortInt = 0x0010,
  varByte = 0x0011,
  varWord = 0x0012,
  varLongWord = 0x0013,
  varInt64 = 0x0014,
  varUInt64 = 0x0015,
  varString = 0x0100,
  varUString = 0x0102,
};

class Variant {
 public:
  Variant() = default;
  Variant(double v) : FType(varDouble), FNumber(v) {}
  Variant(Integer v) : FType(varInteger), FNumber(v), FInt(v) {}
  Variant(Int64 v) : FType(varInt64), FNumber(static_cast<double>(v)), FInt(v) {}
  Variant(bool v) : FType(varBoolean), FNumber(v ? -1 : 0), FInt(v ? -1 : 0) {}
  Variant(const String& v) : FType(varUString), FText(v) {}
  Variant(const char* v) : FType(varUString), FText(v) {}
  Variant(const WideString& v);
  Variant(const char16_t* v) : Variant(WideString(v)) {}

  static Variant Null();
  static Variant FromDate(TDateTime v);
  static Variant FromCurrency(double v);
  static Variant FromSingle(float v);
  // A value of the given kind: integer kinds keep the integer, others the double.
  static Variant OfKind(Word aType, double v);
  // An error value (kind varError) with its code.
  static Variant FromError(Integer code);

  Word VType() const { return FType; }
  bool IsEmpty() const { return FType == varEmpty; }
  bool IsNull() const { return FType == varNull; }
  bool IsString() const { return FType == varOleStr || FType == varString || FType == varUString; }
  bool IsNumeric() const;  // integer, floating, currency and date kinds

  // The value as a number: numbers as they are, Booleans -1 or 0, text read with the regional
  // separator (EConvertError when it is no number), empty 0.
  double AsDouble() const;
  Int64 AsInt64() const { return FInt; }
  bool AsBoolean() const;
  // The text of a string value (UTF-8); other kinds give their default text (VarToStr).
  String AsString() const;
  WideString AsWideString() const;

  friend bool operator==(const Variant& a, const Variant& b);

 private:
  Word FType = varEmpty;
  double FNumber = 0;
  Int64 FInt = 0;
  String FText;
};

// Default text of a value: empty and null "", integers in decimal, floating-point numbers and
// currency through FloatToStr, dates as short date and long time (the time left out at
// midnight, the date left out when there is no day part), Booleans "True" and "False".
String VarToStr(const Variant& V);
inline Word VarType(const Variant& V) { return V.VType(); }
inline bool VarIsEmpty(const Variant& V) { return V.IsEmpty(); }
inline bool VarIsNull(const Variant& V) { return V.IsNull(); }
