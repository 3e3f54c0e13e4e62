// The allocation tables of a compound file: entry i names the sector (or mini sector) that
// follows sector i in its chain. Chains taken from a file are checked link by link: every
// sector must exist and appear once, so a damaged table fails instead of looping.
#pragma once

#include <vector>

#include "xls/vavXlsMessages.h"

class TOle2FAT {
 public:
  std::vector<Integer> Entries;

  // Needed sectors from Start, or up to the end mark with UntilEnd; sectors must lie below
  // SectorCount. A broken chain raises "Error reading Excel records. File invalid".
  std::vector<Integer> FollowChain(Integer Start, Int64 Needed, bool UntilEnd, Int64 SectorCount) const;
  // The sector SectOfs links after StartSect. Walking on from the last answer for the same
  // chain, sequential reading costs one link per sector.
  Integer FindSector(Integer StartSect, Int64 SectOfs);

 private:
  Int64 LastFindSectorOfs = -1;
  Int64 LastFindSectorStart = -1;
  Int64 LastFindSectorRes = 0;
};

class TOle2MiniFAT {
 public:
  std::vector<Integer> Entries;

  // Needed mini sectors from Start; they must lie below Limit (the mini sectors the mini
  // stream holds) and appear once.
  std::vector<Integer> FollowChain(Integer Start, Int64 Needed, Int64 Limit) const;
  Integer FindSector(Integer StartSect, Int64 SectOfs) const;
};
