#include "xls/vavUOle2Impl.h"

#include <algorithm>
#include <cstring>
#include <functional>

#include "xls/vavUWbkMessages.h"

using namespace Ole2;

namespace {
bool SameNameIgnoringCase(const WideString& a, const WideString& b) {
  return a.size() == b.size() && UpperCaseText(a) == UpperCaseText(b);
}

Int64 CeilDiv(Int64 a, Int64 b) { return (a + b - 1) / b; }
}  // namespace

// ---------------------------------------------------------------------------------------------
// Opening

TOle2File::TOle2File(std::istream& aStream, bool AvoidExceptions, const String& aFileName)
    : FStream(&aStream), FFileName(aFileName) {
  ReadHeader(AvoidExceptions);
  if (NotXls97) return;
  LoadFat();
  LoadMiniFat();
  FDirChain = FollowChain(FHeader.sectDirStart(), 0, true);
  if (FDirChain.empty()) Invalid();
  ROOT = TOle2Directory(LoadSector(FDirChain[0]));
}

TOle2File::~TOle2File() {
  try {
    Close();
  } catch (...) {
    // The caller deletes a half-written file; a destructor cannot report.
  }
}

void TOle2File::Invalid() const { RaiseXls(XlsMsg::ExcelInvalid); }

void TOle2File::RaiseFileInvalid() const {
  if (FFileName.empty()) Invalid();
  RaiseXls(XlsMsg::FileInvalid, {FFileName});
}

void TOle2File::ReadHeader(bool AvoidExceptions) {
  std::istream& s = *FStream;
  s.clear();
  Int64 start = static_cast<Int64>(s.tellg());
  s.seekg(0, std::ios::end);
  Int64 end = static_cast<Int64>(s.tellg());
  if (start < 0 || end < start) Invalid();
  Int64 available = end - start;
  s.seekg(start);
  FHeader.StartOfs = start;

  std::array<Byte, HeaderSize> block{};
  s.read(reinterpret_cast<char*>(block.data()), std::min<Int64>(available, HeaderSize));
  s.clear();
  bool signatureOk = available >= HeaderFixedSize &&
                     std::equal(TOle2Header::FileSignature.begin(), TOle2Header::FileSignature.end(), block.begin());
  if (!signatureOk) {
    if (!AvoidExceptions) RaiseFileInvalid();
    FHeader.NotXls97 = NotXls97 = true;
    s.seekg(start);
    return;
  }
  if (available < HeaderSize) Invalid();
  std::copy_n(block.begin(), HeaderFixedSize, FHeader.Data.begin());

  Word shift = FHeader.SectorShift();
  if ((shift != 9 && shift != 12) || FHeader.MiniSectorShift() != 6 || FHeader.MiniSectorCutoff() != MiniSectorCutoff)
    Invalid();
  FHeader.uSectorShift = shift;
  FHeader.SectorSize = 1u << shift;
  FHeader.ulMiniSectorCutoff = FHeader.MiniSectorCutoff();
  // The header occupies the whole first sector; only whole sectors after it count.
  FSectorCount = available < FHeader.SectorSize ? 0 : (available - FHeader.SectorSize) / FHeader.SectorSize;

  auto countOk = [&](Integer n) { return n >= 0 && n <= FSectorCount; };
  if (!countOk(FHeader.csectFat()) || !countOk(FHeader.csectDif()) || !countOk(FHeader.csectMiniFat())) Invalid();
  FSectorBuffer.assign(FHeader.SectorSize, 0);

  // The header's list of the first allocation-table sectors, kept for LoadFat.
  FAT.Entries.clear();
  FAT.Entries.reserve(static_cast<size_t>(FHeader.csectFat()) * (FHeader.SectorSize / 4) + HeaderDifCount + 16);
  std::vector<Integer> headerDif(HeaderDifCount);
  for (int i = 0; i < HeaderDifCount; ++i)
    headerDif[i] = static_cast<Integer>(GetCardinal(block, HeaderFixedSize + 4 * i));
  for (Integer sector : headerDif) {
    if (sector == ENDOFCHAIN) break;
    AppendFatSector(sector);
  }
}

void TOle2File::AppendFatSector(Integer Sector) {
  size_t perSector = FHeader.SectorSize / 4;
  if (Sector == FREESECT) {
    FAT.Entries.insert(FAT.Entries.end(), perSector, FREESECT);  // a placeholder sector
    return;
  }
  if (Sector < 0 || Sector >= FSectorCount) Invalid();
  // More table sectors than the file has sectors can only come from a damaged file.
  if (FAT.Entries.size() / perSector >= static_cast<size_t>(FSectorCount) + HeaderDifCount) Invalid();
  const std::vector<Byte>& data = LoadSector(Sector);
  for (size_t i = 0; i < perSector; ++i) FAT.Entries.push_back(static_cast<Integer>(GetCardinal(data, 4 * i)));
}

void TOle2File::LoadFat() {
  Integer difCount = FHeader.csectDif();
  Integer dif = FHeader.sectDifStart();
  size_t perSector = FHeader.SectorSize / 4;
  std::vector<bool> seen(static_cast<size_t>(FSectorCount), false);
  for (Integer n = 0; n < difCount; ++n) {
    if (dif < 0 || dif >= FSectorCount || seen[dif]) Invalid();
    seen[dif] = true;
    std::vector<Byte> data = LoadSector(dif);  // a copy: AppendFatSector reuses the buffer
    bool ended = false;
    for (size_t i = 0; i + 1 < perSector && !ended; ++i) {
      Integer sector = static_cast<Integer>(GetCardinal(data, 4 * i));
      if (sector == ENDOFCHAIN) ended = true;
      else AppendFatSector(sector);
    }
    dif = static_cast<Integer>(GetCardinal(data, 4 * (perSector - 1)));
  }
}

void TOle2File::LoadMiniFat() {
  FMiniFatChain = FollowChain(FHeader.sectMiniFatStart(), FHeader.csectMiniFat(), false);
  MiniFAT.Entries.clear();
  MiniFAT.Entries.reserve(FMiniFatChain.size() * (FHeader.SectorSize / 4));
  for (Integer sector : FMiniFatChain) {
    const std::vector<Byte>& data = LoadSector(sector);
    for (size_t i = 0; i < FHeader.SectorSize / 4; ++i) MiniFAT.Entries.push_back(static_cast<Integer>(GetCardinal(data, 4 * i)));
  }
}

std::vector<Integer> TOle2File::FollowChain(Integer Start, Int64 Needed, bool UntilEnd) const {
  return FAT.FollowChain(Start, Needed, UntilEnd, FSectorCount);
}

std::vector<Integer> TOle2File::FollowMiniChain(Integer Start, Int64 Needed) const {
  Int64 miniSize = 1 << FHeader.MiniSectorShift();
  Int64 miniInRoot = std::min<Int64>(ROOT->ulSize(), static_cast<Int64>(FRootChain.size()) * FHeader.SectorSize) / miniSize;
  return MiniFAT.FollowChain(Start, Needed, miniInRoot);
}

void TOle2File::EnsureRootChain() {
  if (FRootChainReady) return;
  FRootChain = FollowChain(ROOT->FirstSector(), CeilDiv(ROOT->ulSize(), FHeader.SectorSize), false);
  FRootChainReady = true;
}

void TOle2File::ReadSector(Integer Sector, std::vector<Byte>& Into) {
  if (Sector < 0 || Sector >= FSectorCount) Invalid();
  Into.resize(FHeader.SectorSize);
  FStream->clear();
  FStream->seekg(FHeader.StartOfs + FHeader.SectorBase() + static_cast<Int64>(Sector) * FHeader.SectorSize);
  FStream->read(reinterpret_cast<char*>(Into.data()), FHeader.SectorSize);
  if (FStream->gcount() != static_cast<std::streamsize>(FHeader.SectorSize)) Invalid();
}

const std::vector<Byte>& TOle2File::LoadSector(Integer Sector) {
  if (Sector != FSectorId) {
    FSectorId = -1;
    ReadSector(Sector, FSectorBuffer);
    FSectorId = Sector;
  }
  return FSectorBuffer;
}

// ---------------------------------------------------------------------------------------------
// Reading a stream

void TOle2File::SelectStream(const String& StreamName) {
  WideString wide;
  for (unsigned char c : StreamName) wide += static_cast<char16_t>(c);
  SelectStream(wide);
}

void TOle2File::SelectStream(const WideString& StreamName) {
  if (PreparedForWrite) RaiseXls(XlsMsg::InvalidOleOperation, {CompressString(StreamName)});
  DIR.reset();
  StreamPos = 0;
  const size_t perSector = FHeader.SectorSize / DirEntrySize;
  for (Integer sector : FDirChain) {
    std::vector<Byte> data = LoadSector(sector);
    for (size_t i = 0; i < perSector; ++i) {
      TOle2Directory entry(std::span<const Byte>(data).subspan(i * DirEntrySize, DirEntrySize));
      // Only stream entries have data; a storage of the same name is not a match.
      if (entry.Type() != STGTY::Stream || !SameNameIgnoringCase(entry.Name(), StreamName)) continue;
      TStreamState state;
      state.Entry = entry;
      state.Size = entry.ulSize();
      if (state.Size < FHeader.ulMiniSectorCutoff) {
        EnsureRootChain();
        state.Mini = true;
        state.Chain = FollowMiniChain(entry.FirstSector(), CeilDiv(state.Size, 1 << FHeader.MiniSectorShift()));
      } else {
        state.Chain = FollowChain(entry.FirstSector(), CeilDiv(state.Size, FHeader.SectorSize), false);
      }
      DIR = std::move(state);
      return;
    }
  }
  RaiseFileInvalid();
}

std::vector<WideString> TOle2File::StreamNames() {
  CheckReading();
  std::vector<WideString> names;
  for (Integer sector : FDirChain) {
    std::vector<Byte> data = LoadSector(sector);
    for (size_t i = 0; i < FHeader.SectorSize / DirEntrySize; ++i) {
      TOle2Directory entry(std::span<const Byte>(data).subspan(i * DirEntrySize, DirEntrySize));
      if (entry.Type() == STGTY::Stream) names.push_back(entry.Name());
    }
  }
  return names;
}

void TOle2File::CheckReading() const {
  if (PreparedForWrite) RaiseXls(XlsMsg::InvalidOleOperation, {String()});
}

void TOle2File::ReadMem(void* Buffer, Int64 Count) {
  if (!DIR && !PreparedForWrite) return;
  CheckReading();
  if (Count <= 0) return;
  if (StreamPos + Count > DIR->Size) RaiseXls(XlsMsg::EndOfStream, {StreamPos + Count - DIR->Size});
  Byte* out = static_cast<Byte*>(Buffer);
  const Int64 sectorSize = FHeader.SectorSize;
  const Int64 miniSize = 1 << FHeader.MiniSectorShift();
  while (Count > 0) {
    Int64 n;
    if (DIR->Mini) {
      Int64 mini = DIR->Chain[static_cast<size_t>(StreamPos / miniSize)];
      Int64 inRoot = mini * miniSize + StreamPos % miniSize;
      n = std::min(Count, miniSize - StreamPos % miniSize);
      const std::vector<Byte>& data = LoadSector(FRootChain[static_cast<size_t>(inRoot / sectorSize)]);
      std::memcpy(out, data.data() + inRoot % sectorSize, static_cast<size_t>(n));
    } else {
      Int64 offset = StreamPos % sectorSize;
      n = std::min(Count, sectorSize - offset);
      const std::vector<Byte>& data = LoadSector(DIR->Chain[static_cast<size_t>(StreamPos / sectorSize)]);
      std::memcpy(out, data.data() + offset, static_cast<size_t>(n));
    }
    out += n;
    Count -= n;
    StreamPos += n;
  }
}

bool TOle2File::NextEof(Int64 Count) const {
  CheckReading();
  return StreamPos + Count >= Length();
}

bool TOle2File::Eof() const {
  CheckReading();
  return StreamPos >= Length();
}

Int64 TOle2File::Length() const { return DIR ? DIR->Size : 0; }

Int64 TOle2File::Position() const { return PreparedForWrite ? FWrittenSize : StreamPos; }

void TOle2File::SeekForward(Int64 Offset) {
  CheckReading();
  if (Offset < StreamPos) RaiseXls(XlsMsg::CantReadProperties);
  if (!DIR) return;
  if (Offset > DIR->Size) RaiseXls(XlsMsg::EndOfStream, {Offset - DIR->Size});
  StreamPos = Offset;
}

// ---------------------------------------------------------------------------------------------
// Deleting storages from the written copy

namespace {
// The directory as one array of entries, with the subtrees of the named entries removed and
// the sibling trees mended around them.
class TDirectoryPruner {
 public:
  explicit TDirectoryPruner(std::vector<TOle2Directory>& Entries) : E(Entries), Deleted(Entries.size(), false) {}

  void Run(const std::vector<WideString>& Names) {
    bool recolour = false;
    for (size_t i = 1; i < E.size(); ++i) {
      if (Deleted[i] || E[i].Type() == STGTY::Invalid) continue;
      if (std::find(Names.begin(), Names.end(), E[i].Name()) == Names.end()) continue;
      if (E[i].Color() == DECOLOR::Black) recolour = true;
      Deleted[i] = true;
      MarkSubtree(E[i].ChildSid());
    }
    if (recolour)
      for (auto& e : E) e.SetColor(DECOLOR::Black);
    Repair();
    for (size_t i = 0; i < E.size(); ++i)
      if (Deleted[i]) E[i].Clear();
  }

 private:
  bool Valid(Integer id) const { return id >= 0 && static_cast<size_t>(id) < E.size(); }

  void MarkSubtree(Integer top) {
    std::vector<Integer> stack{top};
    while (!stack.empty()) {
      Integer id = stack.back();
      stack.pop_back();
      if (!Valid(id) || Deleted[id]) continue;
      Deleted[id] = true;
      stack.insert(stack.end(), {E[id].LeftSid(), E[id].RightSid(), E[id].ChildSid()});
    }
  }

  // The node that takes a removed node's place among its siblings.
  Integer Replacement(Integer x) {
    Integer l = Valid(E[x].LeftSid()) ? E[x].LeftSid() : -1;
    Integer r = Valid(E[x].RightSid()) ? E[x].RightSid() : -1;
    if (l < 0) return r;
    if (r < 0) return l;
    Integer parent = x, cur = r;
    for (size_t steps = 0; Valid(E[cur].LeftSid()) && steps < E.size(); ++steps) {
      parent = cur;
      cur = E[cur].LeftSid();
    }
    E[cur].SetLeftSid(l);
    if (cur != r) {
      E[parent].SetLeftSid(E[cur].RightSid());
      E[cur].SetRightSid(r);
    }
    return cur;
  }

  Integer Live(Integer link) {
    for (size_t steps = 0; Valid(link) && Deleted[link]; ++steps) {
      if (steps > E.size()) return -1;  // a damaged tree: give up on this link
      link = Replacement(link);
    }
    return Valid(link) ? link : -1;
  }

  void Repair() {
    std::vector<bool> visited(E.size(), false);
    std::vector<Integer> stack{0};
    while (!stack.empty()) {
      Integer id = stack.back();
      stack.pop_back();
      if (!Valid(id) || visited[id]) continue;
      visited[id] = true;
      Integer l = Live(E[id].LeftSid()), r = Live(E[id].RightSid()), c = Live(E[id].ChildSid());
      E[id].SetLeftSid(l);
      E[id].SetRightSid(r);
      E[id].SetChildSid(c);
      stack.insert(stack.end(), {l, r, c});
    }
  }

  std::vector<TOle2Directory>& E;
  std::vector<bool> Deleted;
};
}  // namespace

// The directory sectors as they will be written, with deleted storages cleared.
std::vector<std::vector<Byte>> TOle2File::DirectoryWithoutDeleted(const std::vector<WideString>& DeleteStorages) {
  std::vector<std::vector<Byte>> sectors;
  for (Integer sector : FDirChain) sectors.push_back(LoadSector(sector));
  if (DeleteStorages.empty()) return sectors;
  const size_t perSector = FHeader.SectorSize / DirEntrySize;
  std::vector<TOle2Directory> entries;
  for (auto& data : sectors)
    for (size_t i = 0; i < perSector; ++i) entries.emplace_back(std::span<const Byte>(data).subspan(i * DirEntrySize, DirEntrySize));
  TDirectoryPruner(entries).Run(DeleteStorages);
  for (size_t k = 0; k < entries.size(); ++k)
    std::copy(entries[k].Data.begin(), entries[k].Data.end(), sectors[k / perSector].begin() + (k % perSector) * DirEntrySize);
  return sectors;
}

// ---------------------------------------------------------------------------------------------
// Writing

void TOle2File::CheckWriting() const {
  if (!PreparedForWrite || FWriteDone) RaiseXls(XlsMsg::InvalidOleOperation, {String()});
}

void TOle2File::OutWrite(const void* Buffer, Int64 Count) {
  FOut->write(static_cast<const char*>(Buffer), static_cast<std::streamsize>(Count));
  if (!*FOut) RaiseXls("New Stream IO Error");
}

// Appends the chain's sectors to the output, linked one to the next, and returns the new
// number of the first (ENDOFCHAIN for an empty chain).
Int64 TOle2File::CopySectors(const std::vector<Integer>& Chain, std::vector<Integer>& NewFat) {
  if (Chain.empty()) return ENDOFCHAIN;
  Int64 first = static_cast<Int64>(NewFat.size());
  std::vector<Byte> data;
  for (size_t k = 0; k < Chain.size(); ++k) {
    ReadSector(Chain[k], data);
    if (static_cast<Int64>(FOut->tellp()) - FWriteStart != FHeader.SectorBase() + static_cast<Int64>(NewFat.size()) * FHeader.SectorSize)
      RaiseXls("New Stream IO Error");
    OutWrite(data.data(), FHeader.SectorSize);
    NewFat.push_back(k + 1 == Chain.size() ? ENDOFCHAIN : static_cast<Integer>(NewFat.size() + 1));
  }
  return first;
}

void TOle2File::PrepareForWrite(std::ostream& OutStream, const WideString& OStreamName,
                                const std::vector<WideString>& DeleteStorages) {
  if (PreparedForWrite || NotXls97) RaiseXls(XlsMsg::InvalidOleOperation, {String()});
  DIR.reset();
  StreamPos = 0;
  FOut = &OutStream;
  FWriteStart = static_cast<Int64>(OutStream.tellp());
  if (FWriteStart < 0) RaiseXls("New Stream IO Error");
  TOle2Header header = FHeader;
  std::vector<Integer> newFat;
  std::optional<TOle2Directory> written;
  Int64 dirStartPos = 0;

  // The header block is written last; hold its place.
  std::vector<Byte> zeros(FHeader.SectorSize, 0);
  OutWrite(zeros.data(), FHeader.SectorSize);

  const size_t perSector = FHeader.SectorSize / DirEntrySize;
  Integer previousDir = -1;
  for (std::vector<Byte>& dirSector : DirectoryWithoutDeleted(DeleteStorages)) {
    std::optional<size_t> writtenOffset;
    for (size_t i = 0; i < perSector; ++i) {
      std::span<Byte> raw = std::span<Byte>(dirSector).subspan(i * DirEntrySize, DirEntrySize);
      TOle2Directory entry(raw);
      STGTY type = entry.Type();
      bool small = entry.ulSize() < FHeader.ulMiniSectorCutoff;
      if (type == STGTY::Invalid || type == STGTY::Storage) continue;
      if (type == STGTY::Stream && !written && SameNameIgnoringCase(entry.Name(), OStreamName)) {
        entry.SetFirstSector(ENDOFCHAIN);
        entry.SetSize(0);
        written = entry;
        writtenOffset = i * DirEntrySize;
      } else if (type == STGTY::Stream && small) {
        continue;  // lives in the mini stream, which is copied whole with the root
      } else {
        std::vector<Integer> chain = FollowChain(entry.FirstSector(), CeilDiv(entry.ulSize(), FHeader.SectorSize), false);
        entry.SetFirstSector(static_cast<Integer>(CopySectors(chain, newFat)));
      }
      std::copy(entry.Data.begin(), entry.Data.end(), raw.begin());
    }
    if (writtenOffset) dirStartPos = static_cast<Int64>(FOut->tellp()) + static_cast<Int64>(*writtenOffset);
    Integer index = static_cast<Integer>(newFat.size());
    OutWrite(dirSector.data(), FHeader.SectorSize);
    newFat.push_back(ENDOFCHAIN);
    if (previousDir < 0) header.SetCardinalField(48, index);
    else newFat[previousDir] = index;
    previousDir = index;
  }
  if (!written) RaiseXls(XlsMsg::InvalidOleOperation, {String()});

  Integer previousMini = -1;
  header.SetCardinalField(60, ENDOFCHAIN);
  for (Integer sector : FMiniFatChain) {
    Integer index = static_cast<Integer>(CopySectors({sector}, newFat));
    if (previousMini < 0) header.SetCardinalField(60, index);
    else newFat[previousMini] = index;
    previousMini = index;
  }

  FHeader = header;
  FHeader.StartOfs = FWriteStart;
  FNewFat = std::move(newFat);
  FNewFatCount = static_cast<Int64>(FNewFat.size());
  FWrittenEntry = *written;
  DIRStartPos = dirStartPos;
  FWrittenSize = 0;
  ROOT.reset();
  FSectorId = -1;
  PreparedForWrite = true;
}

void TOle2File::WriteMem(const void* Buffer, Int64 Count) {
  CheckWriting();
  if (Count <= 0) return;
  // The directory records a stream's size in 32 bits.
  if (FWrittenSize + Count > 0xFFFFFFFFll) RaiseXls(XlsMsg::TooManyEntries, {FWrittenSize + Count, Int64{0xFFFFFFFFll}});
  OutWrite(Buffer, Count);
  FWrittenSize += Count;
}

void TOle2File::Write(const std::vector<Byte>& Data, size_t StartPos, size_t Count) {
  if (StartPos > Data.size() || Count > Data.size() - StartPos) RaiseXls(XlsMsg::ReadingRecord);
  if (FEncryption.Engine) {
    ArrayOfByte encoded = FEncryption.Engine->Encode(Data, Position(), static_cast<Integer>(StartPos),
                                                     static_cast<Integer>(Count), FEncryption.ActualRecordLen);
    if (encoded.size() != Count) RaiseXls(XlsMsg::LogicalError);
    WriteMem(encoded.data(), static_cast<Int64>(Count));
    return;
  }
  WriteMem(Data.data() + StartPos, static_cast<Int64>(Count));
}

void TOle2File::Write16(Word Value) {
  if (FEncryption.Engine) Value = FEncryption.Engine->Encode(Value, Position(), FEncryption.ActualRecordLen);
  Byte b[2] = {static_cast<Byte>(Value), static_cast<Byte>(Value >> 8)};
  WriteMem(b, 2);
}

void TOle2File::Write32(Cardinal Value) {
  if (FEncryption.Engine) Value = FEncryption.Engine->Encode(Value, Position(), FEncryption.ActualRecordLen);
  Byte b[4];
  for (int i = 0; i < 4; ++i) b[i] = static_cast<Byte>(Value >> (8 * i));
  WriteMem(b, 4);
}

void TOle2File::WriteHeader(Word Id, Word Len) {
  Byte b[4] = {static_cast<Byte>(Id), static_cast<Byte>(Id >> 8), static_cast<Byte>(Len), static_cast<Byte>(Len >> 8)};
  WriteMem(b, 4);
  FEncryption.ActualRecordLen = Len;
}

void TOle2File::Close() {
  if (PreparedForWrite && !FWriteDone) {
    FWriteDone = true;
    FinishWrite();
  }
}

void TOle2File::FinishWrite() {
  const Int64 sectorSize = FHeader.SectorSize;
  const Int64 perSector = sectorSize / 4;
  std::vector<Byte> zeros(static_cast<size_t>(sectorSize), 0);

  // A stream below the cutoff would belong in the mini stream: pad it to the cutoff instead.
  while (FWrittenSize < FHeader.ulMiniSectorCutoff) {
    Int64 n = std::min<Int64>(sectorSize, FHeader.ulMiniSectorCutoff - FWrittenSize);
    OutWrite(zeros.data(), n);
    FWrittenSize += n;
  }
  Int64 tail = FWrittenSize % sectorSize;
  if (tail != 0) OutWrite(zeros.data(), sectorSize - tail);  // not counted in the size

  const Int64 N = FNewFatCount;
  const Int64 streamSectors = CeilDiv(FWrittenSize, sectorSize);
  // The stream's chain holds exactly its sectors. Table and extension sectors follow it; each
  // needs a table entry itself, so settle the counts together.
  Int64 dif = 0, fat = 0;
  for (;;) {
    Int64 base = N + streamSectors + dif;
    fat = CeilDiv(base, perSector);
    while (base + fat > fat * perSector) ++fat;
    Int64 newDif = fat > HeaderDifCount ? CeilDiv(fat - HeaderDifCount, perSector - 1) : 0;
    if (newDif == dif) break;
    dif = newDif;
  }
  const Int64 firstDif = N + streamSectors;
  const Int64 firstFat = firstDif + dif;

  std::vector<Byte> sector(static_cast<size_t>(sectorSize));
  for (Int64 i = 0; i < dif; ++i) {
    for (Int64 j = 0; j < perSector - 1; ++j) {
      Int64 fatIndex = HeaderDifCount + i * (perSector - 1) + j;
      SetCardinal(sector, 4 * j, static_cast<Cardinal>(fatIndex < fat ? firstFat + fatIndex : FREESECT));
    }
    SetCardinal(sector, 4 * (perSector - 1), static_cast<Cardinal>(i + 1 < dif ? firstDif + i + 1 : ENDOFCHAIN));
    OutWrite(sector.data(), sectorSize);
  }

  Int64 entry = 0;
  auto putEntry = [&](Integer value) {
    SetCardinal(sector, 4 * (entry % perSector), static_cast<Cardinal>(value));
    if (++entry % perSector == 0) OutWrite(sector.data(), sectorSize);
  };
  for (Integer v : FNewFat) putEntry(v);
  for (Int64 s = 1; s < streamSectors; ++s) putEntry(static_cast<Integer>(N + s));
  putEntry(ENDOFCHAIN);
  for (Int64 i = 0; i < dif; ++i) putEntry(DIFSECT);
  for (Int64 i = 0; i < fat; ++i) putEntry(FATSECT);
  while (entry % perSector != 0) putEntry(FREESECT);
  Int64 end = static_cast<Int64>(FOut->tellp());

  FWrittenEntry.SetFirstSector(static_cast<Integer>(N));
  FWrittenEntry.SetSize(static_cast<Cardinal>(FWrittenSize));
  FOut->seekp(DIRStartPos);
  OutWrite(FWrittenEntry.Data.data(), DirEntrySize);

  FHeader.SetCardinalField(44, static_cast<Integer>(fat));
  FHeader.SetCardinalField(68, dif > 0 ? static_cast<Integer>(firstDif) : ENDOFCHAIN);
  FHeader.SetCardinalField(72, static_cast<Integer>(dif));
  std::array<Byte, HeaderSize> block;
  block.fill(0xFF);
  std::copy(FHeader.Data.begin(), FHeader.Data.end(), block.begin());
  for (Int64 i = 0; i < std::min<Int64>(HeaderDifCount, fat); ++i)
    SetCardinal(block, HeaderFixedSize + 4 * i, static_cast<Cardinal>(firstFat + i));
  FOut->seekp(FWriteStart);
  OutWrite(block.data(), HeaderSize);
  FOut->seekp(end);
  FOut->flush();
  if (!*FOut) RaiseXls("New Stream IO Error");
}
