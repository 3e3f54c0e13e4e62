#include "xls/vavUBiffFormulaParser.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "xls/vavUBiffCells.h"
#include "xls/vavUWbkStack.h"
#include "xls/vavXlsFormulaMessages.h"

namespace {

struct TErrorName {
  Byte Code;
  const char16_t* Text;
};
constexpr TErrorName ErrorNames[] = {{0x00, u"#NULL!"}, {0x07, u"#DIV/0!"}, {0x0F, u"#VALUE!"}, {0x17, u"#REF!"},
                                     {0x1D, u"#NAME?"}, {0x24, u"#NUM!"},  {0x2A, u"#N/A"}};

// The operators of the tokens 0x03 to 0x11, in token order.
constexpr const char16_t* BinaryOperators[] = {u"+", u"-", u"*", u"/",  u"^", u"&", u"<", u"<=",
                                               u"=", u">=", u">", u"<>", u" ", u",", u":"};

// An ARRAY or TABLE record's own tokens never point at another one; a damaged file that does
// must not recurse.
constexpr Integer MaxArrayNesting = 1;

[[noreturn]] void Unsupported(Integer Token) { RaiseXls(XlsMsg::TokenNotSupported, {Int64{Token}}); }

WideString TokensToText(std::span<const Byte> Data, Integer FirstToken, const TCellList* Cells, Integer Depth);

WideString Quoted(const WideString& Text) {
  WideString out = u"\"";
  for (char16_t c : Text) out += c == u'"' ? u"\"\"" : WideString(1, c);
  return out + u"\"";
}

class TTokenReader {
 public:
  TTokenReader(std::span<const Byte> aData, Integer FirstToken, const TCellList* aCells, Integer aDepth)
      : Data(aData), Cells(aCells), Depth(aDepth) {
    if (FirstToken < 2 || static_cast<size_t>(FirstToken) > Data.size()) RaiseXls(XlsMsg::ReadingRecord);
    Pos = static_cast<size_t>(FirstToken);
    End = Pos + GetWord(Data, Pos - 2);
    if (End > Data.size()) RaiseXls(XlsMsg::ReadingRecord);
    Extra = End;
  }

  WideString Run();

 private:
  // The operand bytes of the token at Pos must lie before the end of the tokens.
  void Need(size_t Count) const {
    if (Pos + 1 + Count > End) RaiseXls(XlsMsg::ReadingRecord);
  }
  Byte OperandByte(size_t Offset) const { return Data[Pos + 1 + Offset]; }
  Word OperandWord(size_t Offset) const { return GetWord(Data, Pos + 1 + Offset); }
  void NeedExtra(size_t Count) const {
    if (Extra + Count > Data.size()) RaiseXls(XlsMsg::ReadingRecord);
  }

  void PushOperand(const WideString& Text) { Stack.Push(Stack.FmSpaces + Text); }
  void Function(Integer Index, Integer ArgCount, bool AddIn);
  WideString ArrayConstant();
  WideString SheetPrefixed(Word ExternSheet, const WideString& Reference) const;
  WideString CompanionText(bool Table, Word Row, Word Col) const;
  void Attribute();

  std::span<const Byte> Data;
  const TCellList* Cells;
  Integer Depth;
  size_t Pos = 0, End = 0, Extra = 0;
  TFormulaStack Stack;
  WideString Prefix = u"=";
};

void TTokenReader::Function(Integer Index, Integer ArgCount, bool AddIn) {
  if (Index < 0 || Index > MaxFunctionIndex)
    RaiseXls(XlsMsg::IndexOutOfRange, {Int64{Index}, String("Function name"), Int64{0}, Int64{MaxFunctionIndex}});
  if (AddIn) ArgCount = std::max<Integer>(0, ArgCount - 1);
  const WideString spaces = Stack.FmSpaces;
  std::vector<WideString> args(static_cast<size_t>(ArgCount));
  for (Integer i = ArgCount - 1; i >= 0; --i) args[static_cast<size_t>(i)] = Stack.Pop();
  const WideString name = AddIn ? Stack.Pop() : Utf8ToWide(CellFunctionTable()[static_cast<size_t>(Index)].Name);
  WideString text = spaces + name + u"(";
  for (size_t i = 0; i < args.size(); ++i) text += (i ? u"," : u"") + args[i];
  Stack.Push(text + u")");
}

WideString TTokenReader::ArrayConstant() {
  NeedExtra(3);
  const Integer cols = Data[Extra] + 1;
  const Integer rows = GetWord(Data, Extra + 1) + 1;
  Extra += 3;
  WideString text = u"{";
  for (Integer r = 0; r < rows; ++r) {
    if (r > 0) text += u";";
    for (Integer c = 0; c < cols; ++c) {
      if (c > 0) text += u",";
      NeedExtra(1);
      const Byte type = Data[Extra++];
      switch (type) {
        case 0x01:
          NeedExtra(8);
          text += Utf8ToWide(FormulaNumberToText(GetDouble(Data, Extra)));
          Extra += 8;
          break;
        case 0x02: {
          Int64 length = 0;
          WideString s;
          DecodeStringAt(true, Data, Extra, length, s);
          text += Quoted(s);
          Extra += static_cast<size_t>(length);
          break;
        }
        case 0x04:
          NeedExtra(8);
          text += Data[Extra] == 1 ? u"TRUE" : u"FALSE";
          Extra += 8;
          break;
        case 0x10:
          NeedExtra(8);
          text += FormulaErrorText(Data[Extra]);
          Extra += 8;
          break;
        default: Unsupported(type);
      }
    }
  }
  return text + u"}";
}

WideString TTokenReader::SheetPrefixed(Word ExternSheet, const WideString& Reference) const {
  // A reference into a deleted sheet has nowhere to point.
  if (Cells->RefersToDeletedSheet(ExternSheet)) return u"#REF!";
  return Cells->GetSheetName(ExternSheet) + Reference;
}

WideString TTokenReader::CompanionText(bool Table, Word Row, Word Col) const {
  if (Depth >= MaxArrayNesting) Unsupported(Data[Pos]);
  if (!Table) return u"{" + TokensToText(Cells->ArrayFormula(Row, Col), 14, Cells, Depth + 1) + u"}";
  const std::span<const Byte> table = Cells->TableFormula(Row, Col);
  WideString text = u"{=TABLE(" + CellReferenceText(GetWord(table, 8), GetWord(table, 10) & 0xFF) + u",";
  if (GetWord(table, 6) & 0x08) text += CellReferenceText(GetWord(table, 12), GetWord(table, 14) & 0xFF);
  return text + u")}";
}

void TTokenReader::Attribute() {
  Need(3);
  const Byte option = OperandByte(0);
  const Word data = OperandWord(1);
  if (option & 0x04) {
    // CHOOSE: the jump table that follows is skipped.
    const size_t jumps = (static_cast<size_t>(data) + 1) * 2;
    Need(3 + jumps);
    Pos += jumps;
  }
  if (option & 0x10) {
    const WideString spaces = Stack.FmSpaces;
    const WideString operand = Stack.Pop();
    Stack.Push(spaces + u"SUM(" + operand + u")");
  }
  if (option & 0x40) {
    const Byte kind = OperandByte(1);
    const Byte count = OperandByte(2);
    const WideString text(count, kind % 2 ? u'\r' : u' ');
    if (kind <= 1) Stack.FmSpaces = text;
    else if (kind <= 3) Stack.FmPreSpaces = text;
    else if (kind <= 5) Stack.FmPostSpaces = text;
  }
  Pos += 4;
}

WideString TTokenReader::Run() {
  while (Pos < End) {
    const Byte token = Data[Pos];
    const Byte base = (token & 0x40) ? static_cast<Byte>((token & 0x3F) | 0x20) : static_cast<Byte>(token & 0x3F);
    size_t size = 0;  // operand bytes
    switch (base) {
      case 0x01:
      case 0x02:
        Need(4);
        PushOperand(CompanionText(base == 0x02, OperandWord(0), OperandWord(2)));
        Prefix.clear();
        size = 4;
        break;
      case 0x03: case 0x04: case 0x05: case 0x06: case 0x07: case 0x08: case 0x09: case 0x0A:
      case 0x0B: case 0x0C: case 0x0D: case 0x0E: case 0x0F: case 0x10: case 0x11: {
        const WideString spaces = Stack.FmSpaces;
        const WideString right = Stack.Pop();
        const WideString left = Stack.Pop();
        Stack.Push(left + spaces + BinaryOperators[base - 0x03] + right);
        break;
      }
      case 0x12:
      case 0x13: {
        const WideString spaces = Stack.FmSpaces;
        Stack.Push(spaces + (base == 0x12 ? u"+" : u"-") + Stack.Pop());
        break;
      }
      case 0x14: {
        const WideString spaces = Stack.FmSpaces;
        Stack.Push(Stack.Pop() + spaces + u"%");
        break;
      }
      case 0x15: {
        const WideString before = Stack.FmPreSpaces, after = Stack.FmPostSpaces;
        Stack.Push(before + u"(" + Stack.Pop() + after + u")");
        break;
      }
      case 0x16: PushOperand(WideString()); break;
      case 0x17: {
        Need(2);
        Int64 length = 0;
        WideString text;
        DecodeStringAt(false, Data.first(End), Pos + 1, length, text);
        PushOperand(Quoted(text));
        size = static_cast<size_t>(length);
        break;
      }
      case 0x19: Attribute(); continue;
      case 0x1A:
      case 0x1B: break;
      case 0x1C: Need(1); PushOperand(FormulaErrorText(OperandByte(0))); size = 1; break;
      case 0x1D: Need(1); PushOperand(OperandByte(0) == 1 ? u"TRUE" : u"FALSE"); size = 1; break;
      case 0x1E: Need(2); PushOperand(Utf8ToWide(IntToStr(Integer{OperandWord(0)}))); size = 2; break;
      case 0x1F:
        Need(8);
        PushOperand(Utf8ToWide(FormulaNumberToText(GetDouble(Data, Pos + 1))));
        size = 8;
        break;
      case 0x20: Need(7); PushOperand(ArrayConstant()); size = 7; break;
      case 0x21: {
        Need(2);
        const Integer index = OperandWord(0);
        const Integer count = index <= MaxFunctionIndex ? CellFunctionTable()[static_cast<size_t>(index)].MinArgCount : 0;
        Function(index, count, false);
        size = 2;
        break;
      }
      case 0x22: {
        Need(3);
        const Integer index = OperandWord(1);
        Function(index, OperandByte(0) & 0x7F, index == 255);
        size = 3;
        break;
      }
      case 0x23: Need(4); PushOperand(Cells->GetName(-1, OperandWord(0) - 1)); size = 4; break;
      case 0x24:
      case 0x2C: Need(4); PushOperand(CellReferenceText(OperandWord(0), OperandWord(2))); size = 4; break;
      case 0x25:
      case 0x2D:
        Need(8);
        PushOperand(AreaReferenceText(OperandWord(0), OperandWord(2), OperandWord(4), OperandWord(6)));
        size = 8;
        break;
      case 0x26:
      case 0x2E: {
        Need(6);
        NeedExtra(2);
        const size_t rectangles = GetWord(Data, Extra);
        NeedExtra(2 + 8 * rectangles);
        Extra += 2 + 8 * rectangles;
        size = 6;
        break;
      }
      case 0x27:
      case 0x28: Need(6); size = 6; break;
      case 0x29: Need(2); size = 2; break;
      case 0x2A: Need(4); PushOperand(u"#REF!"); size = 4; break;
      case 0x2B: Need(8); PushOperand(u"#REF!"); size = 8; break;
      case 0x2F: break;
      case 0x39: {
        Need(6);
        const Word sheet = OperandWord(0);
        PushOperand(Cells->GetSheetName(sheet) + Cells->GetName(sheet, OperandWord(2) - 1));
        size = 6;
        break;
      }
      case 0x3A:
        Need(6);
        PushOperand(SheetPrefixed(OperandWord(0), CellReferenceText(OperandWord(2), OperandWord(4))));
        size = 6;
        break;
      case 0x3B:
        Need(10);
        PushOperand(SheetPrefixed(OperandWord(0), AreaReferenceText(OperandWord(2), OperandWord(4), OperandWord(6),
                                                                     OperandWord(8))));
        size = 10;
        break;
      case 0x3C: Need(6); PushOperand(u"#REF!"); size = 6; break;
      case 0x3D: Need(10); PushOperand(u"#REF!"); size = 10; break;
      default: Unsupported(token);
    }
    Pos += size + 1;
  }
  return Prefix + Stack.Pop();
}

WideString TokensToText(std::span<const Byte> Data, Integer FirstToken, const TCellList* Cells, Integer Depth) {
  if (!Cells) throw EAssertionFailed("References must not be nil");
  return TTokenReader(Data, FirstToken, Cells, Depth).Run();
}

}  // namespace

WideString FormulaErrorText(Byte Code) {
  for (const TErrorName& e : ErrorNames)
    if (e.Code == Code) return e.Text;
  return u"#ZIVIVEV_UNKNOWN";
}

WideString CellReferenceText(Word Row, Word ColumnWord) {
  WideString text;
  if (!(ColumnWord & 0x4000)) text += u'$';
  text += Utf8ToWide(EncodeColumn((ColumnWord & 0xFF) + 1));
  if (!(ColumnWord & 0x8000)) text += u'$';
  return text + Utf8ToWide(IntToStr(Integer{Row} + 1));
}

WideString AreaReferenceText(Word FirstRow, Word LastRow, Word FirstColumnWord, Word LastColumnWord) {
  if (FirstRow == 0 && LastRow == 0xFFFF) {
    auto column = [](Word w) { return ((w & 0x4000) ? u"" : u"$") + Utf8ToWide(EncodeColumn((w & 0xFF) + 1)); };
    return column(FirstColumnWord) + u":" + column(LastColumnWord);
  }
  return CellReferenceText(FirstRow, FirstColumnWord) + u":" + CellReferenceText(LastRow, LastColumnWord);
}

WideString FormulaTokensToText(std::span<const Byte> Data, Integer FirstToken, const TCellList* CellList) {
  return TokensToText(Data, FirstToken, CellList, 0);
}
