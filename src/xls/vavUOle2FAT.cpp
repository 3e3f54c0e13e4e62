#include "xls/vavUOle2FAT.h"

#include <algorithm>

#include "xls/vavUOle2Directory.h"

using namespace Ole2;

namespace {

[[noreturn]] void Invalid() { RaiseXls(XlsMsg::ExcelInvalid); }

// One link of a table, checked.
Integer Next(const std::vector<Integer>& entries, Integer s) {
  if (s < 0 || static_cast<size_t>(s) >= entries.size()) Invalid();
  return entries[static_cast<size_t>(s)];
}
}  // namespace

std::vector<Integer> TOle2FAT::FollowChain(Integer Start, Int64 Needed, bool UntilEnd, Int64 SectorCount) const {
  std::vector<Integer> chain;
  if (!UntilEnd && (Needed < 0 || Needed > SectorCount)) Invalid();
  std::vector<bool> seen(static_cast<size_t>(std::max<Int64>(SectorCount, 0)), false);
  Integer s = Start;
  while (UntilEnd ? s != ENDOFCHAIN : static_cast<Int64>(chain.size()) < Needed) {
    if (s < 0 || s >= SectorCount || static_cast<size_t>(s) >= Entries.size() || seen[static_cast<size_t>(s)]) Invalid();
    seen[static_cast<size_t>(s)] = true;
    chain.push_back(s);
    s = Entries[static_cast<size_t>(s)];
  }
  return chain;
}

Integer TOle2FAT::FindSector(Integer StartSect, Int64 SectOfs) {
  Integer s = StartSect;
  Int64 from = 0;
  if (StartSect == LastFindSectorStart && SectOfs >= LastFindSectorOfs) {
    s = static_cast<Integer>(LastFindSectorRes);
    from = LastFindSectorOfs;
  }
  // A chain never has more links than the table has entries.
  if (SectOfs - from > static_cast<Int64>(Entries.size())) Invalid();
  for (Int64 i = from; i < SectOfs; ++i) s = Next(Entries, s);
  LastFindSectorOfs = SectOfs;
  LastFindSectorStart = StartSect;
  LastFindSectorRes = s;
  return s;
}

std::vector<Integer> TOle2MiniFAT::FollowChain(Integer Start, Int64 Needed, Int64 Limit) const {
  Limit = std::min<Int64>(static_cast<Int64>(Entries.size()), Limit);
  if (Needed < 0 || Needed > Limit) Invalid();
  std::vector<Integer> chain;
  std::vector<bool> seen(static_cast<size_t>(std::max<Int64>(Limit, 0)), false);
  Integer m = Start;
  while (static_cast<Int64>(chain.size()) < Needed) {
    if (m < 0 || m >= Limit || seen[static_cast<size_t>(m)]) Invalid();
    seen[static_cast<size_t>(m)] = true;
    chain.push_back(m);
    m = Entries[static_cast<size_t>(m)];
  }
  return chain;
}

Integer TOle2MiniFAT::FindSector(Integer StartSect, Int64 SectOfs) const {
  if (SectOfs > static_cast<Int64>(Entries.size())) Invalid();
  Integer s = StartSect;
  for (Int64 i = 0; i < SectOfs; ++i) s = Next(Entries, s);
  return s;
}
