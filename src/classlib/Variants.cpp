#include "classlib/Variants.h"

#include <cmath>

#include "classlib/SysUtils.h"

Variant::Variant(const WideString& v) : FType(varOleStr), FText(WideToUtf8(v)) {}

Variant Variant::Null() {
  Variant v;
  v.FType = varNull;
  return v;
}

Variant Variant::FromDate(TDateTime d) {
  Variant v(d);
  v.FType = varDate;
  return v;
}

Variant Variant::FromCurrency(double c) {
  // Currency holds four decimals.
  Variant v(std::nearbyint(c * 10000.0) / 10000.0);
  v.FType = varCurrency;
  return v;
}

Variant Variant::FromSingle(float f) {
  Variant v(static_cast<double>(f));
  v.FType = varSingle;
  return v;
}

Variant Variant::OfKind(Word aType, double d) {
  Variant v(d);
  v.FType = aType;
  switch (aType) {
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64: case varUInt64:
      v.FInt = static_cast<Int64>(d);
      v.FNumber = static_cast<double>(v.FInt);
      break;
    default:
      break;
  }
  return v;
}

Variant Variant::FromError(Integer code) {
  Variant v(code);
  v.FType = varError;
  return v;
}

bool Variant::IsNumeric() const {
  switch (FType) {
    case varSmallint: case varInteger: case varSingle: case varDouble: case varCurrency: case varDate:
    case varShortInt: case varByte: case varWord: case varLongWord: case varInt64: case varUInt64:
      return true;
    default:
      return false;
  }
}

double Variant::AsDouble() const {
  if (IsString()) return static_cast<double>(StrToFloat(Trim(FText)));
  return FNumber;
}

bool Variant::AsBoolean() const {
  if (IsString()) {
    if (SameText(FText, "True")) return true;
    if (SameText(FText, "False")) return false;
    return AsDouble() != 0;
  }
  return FNumber != 0;
}

String Variant::AsString() const { return IsString() ? FText : VarToStr(*this); }

WideString Variant::AsWideString() const { return Utf8ToWide(AsString()); }

bool operator==(const Variant& a, const Variant& b) {
  return a.FType == b.FType && a.FText == b.FText &&
         (a.FNumber == b.FNumber || (std::isnan(a.FNumber) && std::isnan(b.FNumber))) && a.FInt == b.FInt;
}

String VarToStr(const Variant& V) {
  switch (V.VType()) {
    case varEmpty: case varNull:
      return String();
    case varSmallint: case varInteger: case varShortInt: case varByte: case varWord: case varLongWord:
    case varInt64: case varUInt64: case varError:
      return IntToStr(V.AsInt64());
    case varBoolean:
      return V.AsBoolean() ? "True" : "False";
    case varDate: {
      double d = V.AsDouble();
      try {
        if (std::trunc(d) == 0) return FormatDateTime("tt", d);
        return FormatDateTime("c", d);
      } catch (const EConvertError&) {
        return FloatToStr(d);
      }
    }
    default:
      if (V.IsString()) return V.AsString();
      return FloatToStr(V.AsDouble());
  }
}
