// Formula text to BIFF8 tokens: a recursive-descent parser that emits the tokens in reverse
// Polish order as it reads, sets the operand class of each reference and function to what
// its consumer needs, and keeps the white space as space attributes. Defined names, external
// references, the intersection operator and array constants are refused.
#pragma once

#include <span>
#include <string_view>

#include "xls/vavUWbkStack.h"
#include "xls/vavXlsFormulaMessages.h"
#include "xls/vavXlsMessages.h"

class TCellList;

class TParseString {
 public:
  // The cell store finds sheets and adds EXTERNSHEET entries for 3-D references.
  TParseString(const WideString& Text, TFmReturnType aInitialRefMode, TCellList* CellList);
  // With aForce3d every plain reference becomes an absolute 3-D reference on the sheet named
  // aDefault3DExternSheet.
  TParseString(const WideString& Text, TFmReturnType aInitialRefMode, const WideString& aDefault3DExternSheet,
               bool aForce3d, TCellList* CellList);

  // Encodes the whole text or raises with the failing part named.
  void Parse();
  // Token bytes + extra-data bytes + 2 (the length written in front).
  Integer TotalSize() const;
  // The length (2 bytes), the tokens and the extra data at Pos.
  void CopyToPtr(std::span<Byte> Destination, size_t Pos) const;
  // The tokens and the extra data at Pos, without the length.
  void CopyToPtrNoLen(std::span<Byte> Destination, size_t Pos) const;
  const ArrayOfByte& ParsedData() const { return FParsedData; }

  // A two-operand operator of one precedence level and its token.
  struct TOperator {
    std::u16string_view Text;
    Byte Token;
  };

 private:
  struct TCellPart;
  enum class TRefKind { None, Cell, Area };

  // Characters.
  bool AtEnd() const { return ParsePos > static_cast<Integer>(Fw.size()); }
  char16_t Current() const { return AtEnd() ? u'\0' : Fw[static_cast<size_t>(ParsePos - 1)]; }
  char16_t At(Integer Pos) const {
    return Pos >= 1 && Pos <= static_cast<Integer>(Fw.size()) ? Fw[static_cast<size_t>(Pos - 1)] : u'\0';
  }
  // Steps past the current character; the 1024th raises "Formula too long".
  void NextChar();
  // Reads the spaces before the next token; the kind tells what follows (2 "(", 4 ")", else 0).
  TWhiteSpace ReadWhiteSpace();
  // Reads the spaces before the next token only when Wanted follows them, and pushes them.
  bool NextIs(std::u16string_view Wanted);
  [[noreturn]] void UnexpectedChar() const;

  // Tokens.
  void AddBytes(std::initializer_list<Byte> Bytes);
  void AddWord(Word Value);
  // Emits a token after the space attribute of its pending white space.
  void Emit(std::initializer_list<Byte> Bytes, bool IsOperand = true);
  void EmitWhiteSpace(const TWhiteSpace& W);
  Integer ClassOf(Integer Index) const;
  void SetLastClass(TFmReturnType Mode);
  void MakeLastValue() { SetLastClass(TFmReturnType::fmValue); }

  // Grammar, lowest precedence first. A level of two-operand operators reads its operands with
  // Next and emits each operator after its right operand.
  const TOperator* PeekOperator(std::span<const TOperator> Operators) const;
  void BinaryLevel(void (TParseString::*Next)(), std::span<const TOperator> Operators);
  void Expression();
  void Comparison();
  void Concatenation();
  void Additive();
  void Multiplicative();
  void Power();
  void Percent();
  void Sign();
  void ReferenceOperators();
  // False when the factor gave no token.
  bool Factor();
  void StringConstant();
  void ErrorConstant();
  void Number();
  void Identifier();
  void Function(const String& Name);
  void Sheet3d(const WideString& SheetText);
  WideString QuotedSheet();

  // References.
  TCellPart ReadCellPart(Integer& Pos) const;
  TRefKind ReadReference(Integer& Pos, TCellPart& First, TCellPart& Second) const;
  void EmitReference(TRefKind Kind, const TCellPart& First, const TCellPart& Second, Integer ExternSheet);
  String IdentifierAt(Integer Pos) const;

  String FormulaText() const;

  Integer ParsePos = 1;
  WideString Fw;
  ArrayOfByte FParsedData;
  ArrayOfByte FParsedArrayData;
  Integer MaxErrorLen = 0;
  WideString DirectlyInFormula;
  Integer LastRefOp = -1;
  TCellList* FCellList;
  TWhiteSpaceStack StackWs;
  WideString Default3DExternSheet;
  bool Force3d = false;
  TFmReturnType InitialRefMode;
  // Tokens other than space attributes emitted so far; tells whether an argument was read.
  Integer TokenCount = 0;
};
