#include "xls/vavUOle2Directory.h"

#include <algorithm>

using namespace Ole2;

// ---------------------------------------------------------------------------------------------
// Directory entry

TOle2Directory::TOle2Directory(std::span<const Byte> Entry) {
  std::copy_n(Entry.begin(), std::min(Entry.size(), Data.size()), Data.begin());
}

WideString TOle2Directory::Name() const {
  int bytes = Data[64];  // only the low byte of the length counts
  if (bytes < 2 || bytes > 64) return WideString();
  WideString name;
  for (int i = 0; i + 1 < bytes - 1; i += 2) name += static_cast<char16_t>(Data[i] | (Data[i + 1] << 8));
  return name;
}

void TOle2Directory::SetName(const WideString& aName) {
  if (aName.size() > 31) RaiseXls(XlsMsg::TooManyEntries, {Int64(aName.size() * 2), Int64{62}});
  std::fill_n(Data.begin(), 64, Byte(0));
  for (size_t i = 0; i < aName.size(); ++i) SetWord(Data, 2 * i, aName[i]);
  SetWord(Data, 64, static_cast<Word>(aName.size() * 2 + 2));
}

void TOle2Directory::Clear() {
  std::fill_n(Data.begin(), 68, Byte(0));
  SetLeftSid(-1);
  SetRightSid(-1);
  SetChildSid(-1);
  std::fill(Data.begin() + 80, Data.end(), Byte(0));
}
