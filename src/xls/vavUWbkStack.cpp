#include "xls/vavUWbkStack.h"

#include "xls/vavXlsMessages.h"

namespace {
// Grows by ten entries when full.
template <class T>
void PushInto(std::vector<T>& List, Integer& Count, const T& Item) {
  if (Count >= static_cast<Integer>(List.size())) List.resize(List.size() + 10);
  List[static_cast<size_t>(Count++)] = Item;
}
}  // namespace

void TStringStack::Push(const WideString& S) { PushInto(FList, FListCount, S); }

WideString TStringStack::Pop() {
  if (FListCount <= 0) RaiseXls(XlsMsg::StringStackEmpty);
  return std::move(FList[static_cast<size_t>(--FListCount)]);
}

const WideString& TStringStack::Peek() const {
  if (FListCount <= 0) RaiseXls(XlsMsg::StringStackEmpty);
  return FList[static_cast<size_t>(FListCount - 1)];
}

void TFormulaStack::Push(const WideString& S) {
  TStringStack::Push(S);
  FmSpaces.clear();
  FmPreSpaces.clear();
  FmPostSpaces.clear();
}

void TWhiteSpaceStack::Push(const TWhiteSpace& W) { PushInto(FList, FListCount, W); }

TWhiteSpace TWhiteSpaceStack::Pop() {
  if (FListCount <= 0) RaiseXls(XlsMsg::StringStackEmpty);
  return FList[static_cast<size_t>(--FListCount)];
}

const TWhiteSpace& TWhiteSpaceStack::Peek() const {
  if (FListCount <= 0) RaiseXls(XlsMsg::WhiteSpaceStackEmpty);
  return FList[static_cast<size_t>(FListCount - 1)];
}
