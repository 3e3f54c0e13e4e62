// The stacks of the formula converters: texts of the operands met so far (with the white space
// waiting to be written before the next item) and the white space read before each token.
#pragma once

#include <vector>

#include "classlib/Types.h"

class TStringStack {
 public:
  virtual ~TStringStack() = default;
  virtual void Push(const WideString& S);
  // Both raise "String Stack is empty" on an empty stack.
  WideString Pop();
  const WideString& Peek() const;
  Integer Count() const { return FListCount; }
  bool AtLeast(Integer N) const { return FListCount >= N; }

 protected:
  std::vector<WideString> FList;
  Integer FListCount = 0;
};

// Operand texts with the pending white space: before the next item, before a "(" and before a
// ")". Every push clears all three.
class TFormulaStack : public TStringStack {
 public:
  void Push(const WideString& S) override;
  WideString FmSpaces;
  WideString FmPreSpaces;
  WideString FmPostSpaces;
};

// White space read before a token: how many characters and of which kind (0 before an
// operand or operator, 2 before "(", 4 before ")").
struct TWhiteSpace {
  Byte Count = 0;
  Byte Kind = 0;
};

class TWhiteSpaceStack {
 public:
  void Push(const TWhiteSpace& W);
  // Raises "String Stack is empty" on an empty stack.
  TWhiteSpace Pop();
  // Raises "WhiteSpace Stack is empty" on an empty stack.
  const TWhiteSpace& Peek() const;
  Integer Count() const { return FListCount; }
  bool AtLeast(Integer N) const { return FListCount >= N; }

 private:
  std::vector<TWhiteSpace> FList;
  Integer FListCount = 0;
};
