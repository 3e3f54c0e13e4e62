#include "xls/vavUBiffEncodeFormula.h"

#include <algorithm>
#include <cstring>

#include "classlib/SysUtils.h"
#include "xls/vavUBiffCells.h"
#include "xls/vavUBiffFormulaParser.h"

namespace {

// The 1024th character of a formula is one too many.
constexpr Integer MaxFormulaPos = 1024;
// Parentheses and function calls nested deeper than this are refused as too long: each level
// is a recursion of the parser, and the text must not be able to exhaust the stack.
constexpr size_t MaxNesting = 255;

namespace Token {
constexpr Byte Union = 0x10, Range = 0x11, UnaryPlus = 0x12, UnaryMinus = 0x13, Percent = 0x14, Paren = 0x15,
               MissArg = 0x16, Str = 0x17, Attr = 0x19, Err = 0x1C, Bool = 0x1D, Int = 0x1E, Num = 0x1F, Func = 0x21,
               FuncVar = 0x22, Ref = 0x24, Area = 0x25, Ref3d = 0x3A, Area3d = 0x3B;
}

using TOperator = TParseString::TOperator;
// Two-character operators first.
constexpr TOperator ComparisonOperators[] = {{u"<=", 0x0A}, {u"<>", 0x0E}, {u">=", 0x0C},
                                             {u"<", 0x09},  {u">", 0x0D},  {u"=", 0x0B}};
constexpr TOperator ConcatenationOperators[] = {{u"&", 0x08}};
constexpr TOperator AdditiveOperators[] = {{u"+", 0x03}, {u"-", 0x04}};
constexpr TOperator MultiplicativeOperators[] = {{u"*", 0x05}, {u"/", 0x06}};
constexpr TOperator PowerOperators[] = {{u"^", 0x07}};

struct TErrorConstant {
  const char16_t* Text;
  Byte Code;
};
constexpr TErrorConstant ErrorConstants[] = {{u"#NULL!", 0x00}, {u"#DIV/0!", 0x07}, {u"#VALUE!", 0x0F}, {u"#REF!", 0x17},
                                             {u"#NAME?", 0x1D}, {u"#NUM!", 0x24},  {u"#N/A", 0x2A}};

bool IsLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsIdentifierChar(char16_t c) {
  return IsLetter(c) || IsDigit(c) || c == u'\\' || c == u'_' || c == u'.' || c == u':';
}
char16_t Upper(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 32) : c; }

}  // namespace

struct TParseString::TCellPart {
  bool HasCol = false, HasRow = false;
  bool AbsCol = false, AbsRow = false;
  Integer Col = 0, Row = 0;  // 1-based, as typed
  bool InRange() const { return (!HasCol || (Col >= 1 && Col <= 256)) && (!HasRow || (Row >= 1 && Row <= 65536)); }
  // The column word: column, bit 14 for a relative column, bit 15 for a relative row.
  Word ColumnWord(Integer Column) const {
    return static_cast<Word>(Column | (AbsCol ? 0 : 0x4000) | (AbsRow ? 0 : 0x8000));
  }
};

TParseString::TParseString(const WideString& Text, TFmReturnType aInitialRefMode, TCellList* CellList)
    : TParseString(Text, aInitialRefMode, WideString(), false, CellList) {}

TParseString::TParseString(const WideString& Text, TFmReturnType aInitialRefMode,
                           const WideString& aDefault3DExternSheet, bool aForce3d, TCellList* CellList)
    : Fw(Text),
      FCellList(CellList),
      Default3DExternSheet(aDefault3DExternSheet),
      Force3d(aForce3d),
      InitialRefMode(aInitialRefMode) {
  for (const TErrorConstant& e : ErrorConstants)
    MaxErrorLen = std::max(MaxErrorLen, static_cast<Integer>(std::char_traits<char16_t>::length(e.Text)));
}

String TParseString::FormulaText() const { return WideToUtf8(Fw); }

// ---------------------------------------------------------------------------------------------
// Characters and white space

void TParseString::NextChar() {
  if (ParsePos >= MaxFormulaPos) RaiseXls(XlsMsg::FormulaTooLong, {FormulaText()});
  ++ParsePos;
}

TWhiteSpace TParseString::ReadWhiteSpace() {
  Integer count = 0;
  while (!AtEnd() && Current() == u' ') {
    NextChar();
    ++count;
  }
  TWhiteSpace w;
  w.Count = static_cast<Byte>(std::min(count, 255));
  w.Kind = Current() == u'(' ? 2 : Current() == u')' ? 4 : 0;
  return w;
}

bool TParseString::NextIs(std::u16string_view Wanted) {
  Integer p = ParsePos;
  while (At(p) == u' ') ++p;
  for (size_t i = 0; i < Wanted.size(); ++i)
    if (At(p + static_cast<Integer>(i)) != Wanted[i]) return false;
  StackWs.Push(ReadWhiteSpace());
  for (size_t i = 0; i < Wanted.size(); ++i) NextChar();
  return true;
}

void TParseString::UnexpectedChar() const {
  if (AtEnd()) RaiseXls(XlsMsg::UnexpectedEndOfFormula, {FormulaText()});
  RaiseXls(XlsMsg::UnexpectedChar, {WideToUtf8(WideString(1, Current())), Int64{ParsePos}, FormulaText()});
}

// ---------------------------------------------------------------------------------------------
// Tokens

void TParseString::AddBytes(std::initializer_list<Byte> Bytes) {
  FParsedData.insert(FParsedData.end(), Bytes.begin(), Bytes.end());
}

void TParseString::AddWord(Word Value) { AddBytes({static_cast<Byte>(Value), static_cast<Byte>(Value >> 8)}); }

void TParseString::EmitWhiteSpace(const TWhiteSpace& W) {
  if (W.Count != 0) AddBytes({Token::Attr, 0x40, W.Kind, W.Count});
}

void TParseString::Emit(std::initializer_list<Byte> Bytes, bool IsOperand) {
  if (IsOperand) EmitWhiteSpace(StackWs.Pop());
  LastRefOp = static_cast<Integer>(FParsedData.size());
  AddBytes(Bytes);
  ++TokenCount;
}

Integer TParseString::ClassOf(Integer Index) const {
  const Byte t = FParsedData[static_cast<size_t>(Index)];
  if (t >= 0x0F && t <= 0x11) return 0x20;  // the reference operators give references
  const Integer bits = t & 0x60;
  return bits == 0x20 || bits == 0x60 ? bits : 0x40;
}

void TParseString::SetLastClass(TFmReturnType Mode) {
  // An empty operand has nothing to re-class; turning the tokens back into text refuses it.
  if (LastRefOp < 0) return;
  Byte& t = FParsedData[static_cast<size_t>(LastRefOp)];
  if ((t & 0x60) == 0) return;
  switch (Mode) {
    case TFmReturnType::fmRef: t = static_cast<Byte>((t & 0x9F) | 0x20); break;
    case TFmReturnType::fmValue:
      if (ClassOf(LastRefOp) != 0x60) t = static_cast<Byte>((t & 0x9F) | 0x40);
      break;
    case TFmReturnType::fmArray: t = static_cast<Byte>((t & 0x9F) | 0x60); break;
  }
}

// ---------------------------------------------------------------------------------------------
// Operators

const TParseString::TOperator* TParseString::PeekOperator(std::span<const TOperator> Operators) const {
  Integer p = ParsePos;
  while (At(p) == u' ') ++p;
  for (const TOperator& op : Operators) {
    bool match = true;
    for (size_t i = 0; i < op.Text.size() && match; ++i) match = At(p + static_cast<Integer>(i)) == op.Text[i];
    if (match) return &op;
  }
  return nullptr;
}

void TParseString::BinaryLevel(void (TParseString::*Next)(), std::span<const TOperator> Operators) {
  const Integer before = TokenCount;
  (this->*Next)();
  while (const TOperator* op = PeekOperator(Operators)) {
    if (TokenCount == before) UnexpectedChar();
    MakeLastValue();
    NextIs(op->Text);
    const Integer right = TokenCount;
    (this->*Next)();
    if (TokenCount == right) UnexpectedChar();
    MakeLastValue();
    Emit({op->Token});
  }
}

void TParseString::Comparison() { BinaryLevel(&TParseString::Concatenation, ComparisonOperators); }
void TParseString::Concatenation() { BinaryLevel(&TParseString::Additive, ConcatenationOperators); }
void TParseString::Additive() { BinaryLevel(&TParseString::Multiplicative, AdditiveOperators); }
void TParseString::Multiplicative() { BinaryLevel(&TParseString::Power, MultiplicativeOperators); }
void TParseString::Power() { BinaryLevel(&TParseString::Percent, PowerOperators); }

void TParseString::Expression() { Comparison(); }

void TParseString::Percent() {
  const Integer before = TokenCount;
  Sign();
  while (NextIs(u"%")) {
    if (TokenCount == before) UnexpectedChar();
    MakeLastValue();
    Emit({Token::Percent});
  }
}

void TParseString::Sign() {
  std::vector<Byte> signs;
  for (;;) {
    if (NextIs(u"+")) signs.push_back(Token::UnaryPlus);
    else if (NextIs(u"-")) signs.push_back(Token::UnaryMinus);
    else break;
  }
  const Integer before = TokenCount;
  ReferenceOperators();
  if (signs.empty()) return;
  if (TokenCount == before) UnexpectedChar();
  MakeLastValue();
  // The sign next to the operand applies first.
  for (auto it = signs.rbegin(); it != signs.rend(); ++it) Emit({*it});
}

void TParseString::ReferenceOperators() {
  const Integer before = TokenCount;
  if (!Factor()) return;
  for (;;) {
    Byte token;
    if (NextIs(u":")) token = Token::Range;
    else if ((DirectlyInFormula.empty() || DirectlyInFormula.back() != u'1') && NextIs(u",")) token = Token::Union;
    else break;
    if (TokenCount == before) UnexpectedChar();
    if (!Factor()) UnexpectedChar();
    Emit({token});
  }
}

// ---------------------------------------------------------------------------------------------
// Factors

bool TParseString::Factor() {
  const Integer start = ParsePos;
  const TWhiteSpace w = ReadWhiteSpace();
  if (AtEnd()) RaiseXls(XlsMsg::UnexpectedEndOfFormula, {FormulaText()});
  const char16_t c = Current();
  if (c >= 256) UnexpectedChar();
  StackWs.Push(w);
  switch (c) {
    case u'(': {
      NextChar();
      if (DirectlyInFormula.size() >= MaxNesting) RaiseXls(XlsMsg::FormulaTooLong, {FormulaText()});
      DirectlyInFormula += u'0';
      Expression();
      DirectlyInFormula.pop_back();
      const TWhiteSpace close = ReadWhiteSpace();
      if (Current() != u')') RaiseXls(XlsMsg::MissingParenthesis, {FormulaText()});
      NextChar();
      EmitWhiteSpace(StackWs.Pop());
      EmitWhiteSpace(close);
      AddBytes({Token::Paren});
      ++TokenCount;
      return true;
    }
    case u'"': StringConstant(); return true;
    case u'{': RaiseXls(XlsMsg::ArrayFormulasNotSupported);
    case u'#': ErrorConstant(); return true;
    default: break;
  }
  Integer p = ParsePos;
  TCellPart first, second;
  const TRefKind kind = ReadReference(p, first, second);
  if (kind != TRefKind::None) {
    while (ParsePos < p) NextChar();
    EmitReference(kind, first, second, -1);
    return true;
  }
  if (IsDigit(c)) {
    Number();
    return true;
  }
  if (IsLetter(c) || c == u'\\' || c == u'_') {
    Identifier();
    return true;
  }
  if (c == u'\'') {
    Sheet3d(QuotedSheet());
    return true;
  }
  StackWs.Pop();
  ParsePos = start;
  return false;
}

void TParseString::StringConstant() {
  NextChar();
  WideString text;
  for (;;) {
    if (AtEnd()) RaiseXls(XlsMsg::UnterminatedString, {FormulaText()});
    const char16_t c = Current();
    NextChar();
    if (c == u'"') {
      if (AtEnd() || Current() != u'"') break;
      NextChar();
    }
    text += c;
  }
  // The token's length is one byte.
  if (text.size() > 255) RaiseXls(XlsMsg::UnexpectedIdentifier, {WideToUtf8(text), FormulaText()});
  const bool wide = IsWide(text);
  EmitWhiteSpace(StackWs.Pop());
  LastRefOp = static_cast<Integer>(FParsedData.size());
  AddBytes({Token::Str, static_cast<Byte>(text.size()), static_cast<Byte>(wide ? 1 : 0)});
  for (char16_t ch : text) {
    if (wide) AddWord(ch);
    else AddBytes({static_cast<Byte>(ch)});
  }
  ++TokenCount;
}

void TParseString::ErrorConstant() {
  WideString text;
  for (;;) {
    if (AtEnd()) RaiseXls(XlsMsg::UnexpectedIdentifier, {WideToUtf8(text), FormulaText()});
    text += Upper(Current());
    NextChar();
    for (const TErrorConstant& e : ErrorConstants)
      if (text == e.Text) {
        Emit({Token::Err, e.Code});
        return;
      }
    if (static_cast<Integer>(text.size()) >= MaxErrorLen)
      RaiseXls(XlsMsg::UnexpectedIdentifier, {WideToUtf8(text), FormulaText()});
  }
}

void TParseString::Number() {
  String text;
  while (IsDigit(Current()) || Current() == u'.') {
    text += static_cast<char>(Current());
    NextChar();
  }
  if (Current() == u'e' || Current() == u'E') {
    Integer p = ParsePos + 1;
    if (At(p) == u'+' || At(p) == u'-') ++p;
    if (IsDigit(At(p))) {
      while (ParsePos < p) {
        text += static_cast<char>(Current());
        NextChar();
      }
      while (IsDigit(Current())) {
        text += static_cast<char>(Current());
        NextChar();
      }
    }
  }
  double value = 0;
  if (!FormulaTextToNumber(text, value)) RaiseXls(XlsMsg::UnexpectedIdentifier, {text, FormulaText()});
  if (value >= 0 && value <= 65535 && value == static_cast<double>(static_cast<Integer>(value))) {
    const Word w = static_cast<Word>(value);
    Emit({Token::Int, static_cast<Byte>(w), static_cast<Byte>(w >> 8)});
    return;
  }
  Byte bytes[8];
  std::memcpy(bytes, &value, 8);
  Emit({Token::Num, bytes[0], bytes[1], bytes[2], bytes[3], bytes[4], bytes[5], bytes[6], bytes[7]});
}

String TParseString::IdentifierAt(Integer Pos) const {
  WideString text;
  while (IsIdentifierChar(At(Pos))) text += Upper(At(Pos++));
  return WideToUtf8(text);
}

void TParseString::Identifier() {
  const Integer start = ParsePos;
  WideString typed;
  while (IsIdentifierChar(Current())) {
    typed += Current();
    NextChar();
  }
  const String name = IdentifierAt(start);
  if (Current() == u'(') {
    Function(name);
    return;
  }
  if (Current() == u'!') {
    NextChar();
    Sheet3d(typed);
    return;
  }
  if (name == "TRUE" || name == "FALSE") {
    Emit({Token::Bool, static_cast<Byte>(name == "TRUE" ? 1 : 0)});
    return;
  }
  RaiseXls(XlsMsg::UnexpectedIdentifier, {name, FormulaText()});
}

void TParseString::Function(const String& Name) {
  const Integer index = FindCellFunction(Name);
  if (index < 0) RaiseXls(XlsMsg::FunctionNotFound, {Name, FormulaText()});
  const TCellFunctionData& f = CellFunctionTable()[static_cast<size_t>(index)];
  NextChar();  // "("
  if (DirectlyInFormula.size() >= MaxNesting) RaiseXls(XlsMsg::FormulaTooLong, {FormulaText()});
  DirectlyInFormula += u'1';
  Integer count = 0;
  for (;;) {
    const Integer before = TokenCount;
    Expression();
    if (TokenCount != before) {
      switch (ParamTypeAt(f, count)) {
        case 'A': SetLastClass(TFmReturnType::fmArray); break;
        case 'R': break;
        default: MakeLastValue(); break;
      }
      ++count;
    } else {
      Integer p = ParsePos;
      while (At(p) == u' ') ++p;
      if (count > 0 || At(p) == u',') {
        LastRefOp = static_cast<Integer>(FParsedData.size());
        AddBytes({Token::MissArg});
        ++TokenCount;
        ++count;
      }
    }
    const TWhiteSpace w = ReadWhiteSpace();
    if (w.Kind != 0) EmitWhiteSpace(w);
    if (AtEnd()) RaiseXls(XlsMsg::UnexpectedEndOfFormula, {FormulaText()});
    if (Current() == u',') {
      NextChar();
      continue;
    }
    if (Current() != u')') UnexpectedChar();
    NextChar();
    break;
  }
  DirectlyInFormula.pop_back();
  if (count < f.MinArgCount || count > f.MaxArgCount)
    RaiseXls(XlsMsg::WrongParameterCount, {Name, Int64{f.MinArgCount}, Int64{count}});
  const Byte cls = f.ReturnType == TFmReturnType::fmRef ? 0 : f.ReturnType == TFmReturnType::fmValue ? 0x20 : 0x40;
  const Byte lo = static_cast<Byte>(index), hi = static_cast<Byte>(index >> 8);
  if (f.MinArgCount == f.MaxArgCount) Emit({static_cast<Byte>(Token::Func + cls), lo, hi});
  else Emit({static_cast<Byte>(Token::FuncVar + cls), static_cast<Byte>(count), lo, hi});
}

WideString TParseString::QuotedSheet() {
  NextChar();
  WideString text;
  for (;;) {
    if (AtEnd()) RaiseXls(XlsMsg::UnterminatedString, {FormulaText()});
    const char16_t c = Current();
    NextChar();
    if (c == u'\'') {
      if (AtEnd() || Current() != u'\'') break;
      NextChar();
    }
    text += c;
  }
  if (Current() != u'!') UnexpectedChar();
  NextChar();
  return text;
}

void TParseString::Sheet3d(const WideString& SheetText) {
  const size_t colon = SheetText.find(u':');
  const WideString firstName = colon == WideString::npos ? SheetText : SheetText.substr(0, colon);
  const WideString lastName = colon == WideString::npos ? SheetText : SheetText.substr(colon + 1);
  Integer first = -1, last = -1;
  if (!FCellList->FindSheet(firstName, first)) RaiseXls(XlsMsg::InvalidSheet, {WideToUtf8(firstName)});
  if (!FCellList->FindSheet(lastName, last)) RaiseXls(XlsMsg::InvalidSheet, {WideToUtf8(lastName)});
  const Integer externSheet = FCellList->AddExternSheet(first, last);

  Integer p = ParsePos;
  TCellPart a, b;
  const TRefKind kind = ReadReference(p, a, b);
  if (kind == TRefKind::None || IsLetter(At(p)) || At(p) == u'_' || At(p) == u'\\')
    RaiseXls(XlsMsg::ExternalNamesNotSupported, {IdentifierAt(ParsePos)});
  // A cell followed by ":" whose second half is no cell: an area that does not fit.
  if (kind == TRefKind::Cell && At(p) == u':') RaiseXls(XlsMsg::UnexpectedIdentifier, {String("row, column"), FormulaText()});
  while (ParsePos < p) NextChar();
  EmitReference(kind, a, b, externSheet);
}

// ---------------------------------------------------------------------------------------------
// References

TParseString::TCellPart TParseString::ReadCellPart(Integer& Pos) const {
  TCellPart part;
  if (At(Pos) == u'$' && IsLetter(At(Pos + 1))) {
    part.AbsCol = true;
    ++Pos;
  }
  while (IsLetter(At(Pos)) && part.Col <= 256) {
    part.Col = part.Col * 26 + (Upper(At(Pos)) - u'A' + 1);
    part.HasCol = true;
    ++Pos;
  }
  if (At(Pos) == u'$') {
    part.AbsRow = true;
    ++Pos;
  }
  while (IsDigit(At(Pos)) && part.Row < 65537) {
    part.Row = part.Row * 10 + (At(Pos) - u'0');
    part.HasRow = true;
    ++Pos;
  }
  return part;
}

TParseString::TRefKind TParseString::ReadReference(Integer& Pos, TCellPart& First, TCellPart& Second) const {
  Integer p = Pos;
  First = ReadCellPart(p);
  if (First.HasCol && First.HasRow && !First.InRange()) return TRefKind::None;
  if (At(p) == u':') {
    Integer q = p + 1;
    Second = ReadCellPart(q);
    bool area = false;
    if (First.HasCol && Second.HasCol && !First.HasRow && !Second.HasRow) area = First.InRange() && Second.InRange();
    else if (First.HasRow && Second.HasRow && !First.HasCol && !Second.HasCol) area = First.InRange() && Second.InRange();
    else if (First.HasCol && First.HasRow && Second.HasCol && Second.HasRow) area = Second.InRange();
    if (area) {
      Pos = q;
      return TRefKind::Area;
    }
  }
  if (!First.HasCol || !First.HasRow) return TRefKind::None;
  Pos = p;
  return TRefKind::Cell;
}

void TParseString::EmitReference(TRefKind Kind, const TCellPart& First, const TCellPart& Second, Integer ExternSheet) {
  Word r1 = 0, r2 = 0, c1 = 0, c2 = 0;
  if (Kind == TRefKind::Cell) {
    r1 = static_cast<Word>(First.Row - 1);
    c1 = First.ColumnWord(First.Col - 1);
  } else {
    r1 = First.HasRow ? static_cast<Word>(First.Row - 1) : 0;
    r2 = Second.HasRow ? static_cast<Word>(Second.Row - 1) : 0xFFFF;
    c1 = First.ColumnWord(First.HasCol ? First.Col - 1 : 0);
    c2 = Second.ColumnWord(Second.HasCol ? Second.Col - 1 : 0xFF);
  }
  if (ExternSheet < 0 && Force3d) {
    Integer sheet = -1;
    if (!FCellList->FindSheet(Default3DExternSheet, sheet))
      RaiseXls(XlsMsg::InvalidSheet, {WideToUtf8(Default3DExternSheet)});
    ExternSheet = FCellList->AddExternSheet(sheet, sheet);
    c1 &= 0x00FF;
    c2 &= 0x00FF;
  }
  auto lo = [](Word w) { return static_cast<Byte>(w); };
  auto hi = [](Word w) { return static_cast<Byte>(w >> 8); };
  if (ExternSheet < 0) {
    if (Kind == TRefKind::Cell) Emit({Token::Ref, lo(r1), hi(r1), lo(c1), hi(c1)});
    else Emit({Token::Area, lo(r1), hi(r1), lo(r2), hi(r2), lo(c1), hi(c1), lo(c2), hi(c2)});
    return;
  }
  const Word x = static_cast<Word>(ExternSheet);
  if (Kind == TRefKind::Cell) Emit({Token::Ref3d, lo(x), hi(x), lo(r1), hi(r1), lo(c1), hi(c1)});
  else Emit({Token::Area3d, lo(x), hi(x), lo(r1), hi(r1), lo(r2), hi(r2), lo(c1), hi(c1), lo(c2), hi(c2)});
}

// ---------------------------------------------------------------------------------------------
// The whole formula

void TParseString::Parse() {
  LastRefOp = -1;
  DirectlyInFormula.clear();
  FParsedData.clear();
  FParsedArrayData.clear();
  TokenCount = 0;
  ParsePos = 1;
  if (Fw.empty() || Fw[0] != u'=') RaiseXls(XlsMsg::FormulaMustStartWithEqual, {FormulaText()});
  NextChar();
  Expression();
  SetLastClass(InitialRefMode);
  if (!AtEnd()) UnexpectedChar();
  if (StackWs.Count() != 0) RaiseXls(XlsMsg::LogicalError);
  // What cannot be read back (an operator without operands) is no formula.
  ArrayOfByte scratch(static_cast<size_t>(TotalSize()));
  CopyToPtr(scratch, 0);
  try {
    FormulaTokensToText(scratch, 2, FCellList);
  } catch (const Exception&) {
    RaiseXls(XlsMsg::FormulaNotEvaluable, {FormulaText()});
  }
}

Integer TParseString::TotalSize() const {
  return static_cast<Integer>(FParsedData.size() + FParsedArrayData.size()) + 2;
}

void TParseString::CopyToPtr(std::span<Byte> Destination, size_t Pos) const {
  SetWord(Destination, Pos, static_cast<Word>(FParsedData.size() + FParsedArrayData.size()));
  CopyToPtrNoLen(Destination, Pos + 2);
}

void TParseString::CopyToPtrNoLen(std::span<Byte> Destination, size_t Pos) const {
  const size_t n = FParsedData.size() + FParsedArrayData.size();
  if (Pos + n > Destination.size()) RaiseXls(XlsMsg::ReadingRecord);
  std::copy(FParsedData.begin(), FParsedData.end(), Destination.begin() + static_cast<long>(Pos));
  std::copy(FParsedArrayData.begin(), FParsedArrayData.end(),
            Destination.begin() + static_cast<long>(Pos + FParsedData.size()));
}
