#include "memo/VavaDodu.h"

#include <algorithm>

#include "memo/DoduSupportHighlight.h"
#include "memo/DoduSupportNavigator.h"

namespace {

// Blanks, control characters and punctuation end words; letters, digits and '_' do not.
std::bitset<256> DefaultDelimiters() {
  std::bitset<256> set;
  for (int c = 0; c <= 32; ++c) set.set(static_cast<size_t>(c));
  for (unsigned char c : String(".,;:!?()[]{}<>\"'+-*/=\\|&^%$#@~`")) set.set(c);
  return set;
}

}  // namespace

TVavaDodu::TVavaDodu(TComponent* AOwner) : TComponent(AOwner), Delimiters(DefaultDelimiters()) {
  TopNav = new TDoduNavigator(this);
  CaretNav = new TDoduNavigator(this);
  PassNav1 = new TDoduNavigator(this);
  PassNav2 = new TDoduNavigator(this);
  Store.Append(u"", 0);
  Store.TotalLines = Store.VisibleLines = 1;
  Store.ClearDirtyRange();
  Store.FormatFrom = 0;
  Store.FormatTo = 0;
}

TVavaDodu::~TVavaDodu() {
  if (Highlighter != nullptr) SetHighlighter(this, nullptr);
  delete TopNav;
  delete CaretNav;
  delete PassNav1;
  delete PassNav2;
  // Navigators made by others outlive the memo only as empty cursors.
  for (TDoduNavigator* nav : Navigators) {
    nav->fDodu = nullptr;
    nav->Invalidate();
  }
  Navigators.clear();
}

Byte TVavaDodu::FontStyleFor(Byte TextStyle, Byte DynStyle) const {
  if ((DynStyle & kDynHighlight) != 0) {
    if ((DynStyle & 0x18) == 0x18) return static_cast<Byte>(DynStyle & 0xA7);
    return static_cast<Byte>(DynStyle & 0x3F);
  }
  return static_cast<Byte>(StyleByte(FontStyle) ^ TextStyle);
}

WideString TVavaDodu::ParText(int N) const {
  const ParInfo& par = Store.ParInfoAt(N);
  return WideString(par.ParText, static_cast<size_t>(GetParLength(par)));
}

WideString TVavaDodu::GetText() const {
  WideString text;
  text.reserve(static_cast<size_t>(Store.TextLength));
  for (int i = 0; i < Store.Count(); ++i) {
    if (i > 0) text += u"\r\n";
    const ParInfo& par = Store.ParInfoAt(i);
    text.append(par.ParText, static_cast<size_t>(GetParLength(par)));
  }
  return text;
}

void TVavaDodu::SetText(const WideString& Text) {
  Store.Clear();
  // CR LF, LF and a lone CR each end a paragraph.
  size_t start = 0;
  for (size_t i = 0; i <= Text.size(); ++i) {
    if (i < Text.size() && Text[i] != u'\r' && Text[i] != u'\n') continue;
    Store.Append(Text.data() + start, static_cast<int>(i - start));
    if (i + 1 < Text.size() && Text[i] == u'\r' && Text[i + 1] == u'\n') ++i;
    start = i + 1;
  }
  for (int i = 0; i < Store.Count(); ++i) Store.ParInfoAt(i).StartLine = i;
  Store.TotalLines = Store.VisibleLines = Store.Count();
  Store.LastParsedPar = -1;
  Store.ClearDirtyRange();
  Store.ClearFormatted();
  for (TDoduNavigator* nav : Navigators) {
    nav->Invalidate();
    nav->SetPos(0);
  }
  VOffset = HOffset = 0;
  RememberedX = INT_MIN;
  ReformatAll();
  if (UpdateCount == 0) UpdateCaret(false);
}
