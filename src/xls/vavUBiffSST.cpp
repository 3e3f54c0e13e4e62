#include "xls/vavUBiffSST.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "xls/vavUBiffStrings.h"

namespace {
constexpr Word SSTId = 0x00FC;
constexpr Word ContinueId = 0x003C;
constexpr Word ExtSSTId = 0x00FF;

// Packs a string (2-byte count) behind the 12 bookkeeping bytes.
void PackString(std::vector<Byte>& out, const TExcelString& s) {
  out.assign(TSST::EntryHeader, 0);
  s.SaveToStream(out, true);
}

// The byte size of the string (2-byte count) at Ofs when it lies wholly inside the record's own
// data, else 0. Such a string's bytes are its packed form as they stand: read and written
// again they come out the same.
size_t WholeStringSize(const TBaseRecord& Record, Integer Ofs) {
  const ArrayOfByte& d = Record.Data;
  const size_t at = static_cast<size_t>(Ofs);
  if (at + 3 > d.size()) return 0;
  const size_t count = GetWord(d, at);
  const Byte options = d[at + 2];
  size_t size = 3, runs = 0, farEast = 0;
  if (options & 0x08) {
    if (at + size + 2 > d.size()) return 0;
    runs = GetWord(d, at + size);
    size += 2;
  }
  if (options & 0x04) {
    if (at + size + 4 > d.size()) return 0;
    farEast = GetCardinal(d, at + size);
    size += 4;
  }
  size += count * ((options & 0x01) ? 2 : 1) + 4 * runs + farEast;
  return at + size <= d.size() ? size : 0;
}
}  // namespace

// ---------------------------------------------------------------------------------------------
// TSST

TSST::TSST() { MemSST.Buffer.reserve(BufferStep); }

void TSST::Reserve(Cardinal Size) {
  // Grown before placing, so an entry never runs past the buffer: the room grows in whole
  // steps, and the bytes in use are exactly the entries placed.
  const size_t needed = static_cast<size_t>(MemSST.UsedSize) + Size;
  if (needed > MemSST.Buffer.capacity()) {
    size_t room = MemSST.Buffer.capacity();
    while (room < needed) room += BufferStep;
    MemSST.Buffer.reserve(room);
  }
  MemSST.Buffer.resize(needed);
}

void TSST::AddRef(Cardinal aEntry, Integer Delta) {
  Integer refs = RefCount(aEntry) + Delta;
  SetWord(MemSST.Buffer, aEntry, static_cast<Word>(std::clamp(refs, 0, 0xFFFF)));
}

TSST::TEntryLayout TSST::Layout(Cardinal aEntry) const {
  TEntryLayout l{};
  const auto& b = MemSST.Buffer;
  Cardinal p = aEntry + EntryHeader;
  l.Count = GetWord(b, p);
  l.Options = b.at(p + 2);
  p += 3;
  if (l.Options & 0x08) {
    l.Runs = GetWord(b, p);
    p += 2;
  }
  if (l.Options & 0x04) {
    l.FarEast = GetCardinal(b, p);
    p += 4;
  }
  l.CharsAt = p;
  return l;
}

Cardinal TSST::EntrySize(Cardinal aEntry) const {
  TEntryLayout l = Layout(aEntry);
  return l.CharsAt - aEntry + l.Count * ((l.Options & 1) ? 2u : 1u) + 4u * l.Runs + l.FarEast;
}

WideString TSST::EntryText(Cardinal aEntry) const {
  TEntryLayout l = Layout(aEntry);
  WideString text(l.Count, u'\0');
  const auto& b = MemSST.Buffer;
  for (Cardinal i = 0; i < l.Count; ++i)
    text[i] = (l.Options & 1) ? static_cast<char16_t>(GetWord(b, l.CharsAt + 2 * i)) : static_cast<char16_t>(b.at(l.CharsAt + i));
  return text;
}

TRTFRunList TSST::EntryRuns(Cardinal aEntry) const {
  TEntryLayout l = Layout(aEntry);
  TRTFRunList runs;
  Cardinal p = l.CharsAt + l.Count * ((l.Options & 1) ? 2u : 1u);
  for (Word i = 0; i < l.Runs; ++i, p += 4) runs.push_back({GetWord(MemSST.Buffer, p), GetWord(MemSST.Buffer, p + 2)});
  return runs;
}

int TSST::CompareEntries(Cardinal a, Cardinal b) const {
  Cardinal sa = EntrySize(a), sb = EntrySize(b);
  if (sa != sb) return sa < sb ? -1 : 1;
  int c = std::memcmp(&MemSST.Buffer[a + EntryHeader], &MemSST.Buffer[b + EntryHeader], sa - EntryHeader);
  return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

bool TSST::Find(Cardinal aEntry, Integer& Index) const {
  Integer lo = 0, hi = Count() - 1;
  while (lo <= hi) {
    Integer mid = lo + (hi - lo) / 2;
    int c = CompareEntries(FList[static_cast<size_t>(mid)], aEntry);
    if (c == 0) {
      Index = mid;
      return true;
    }
    if (c < 0) lo = mid + 1;
    else hi = mid - 1;
  }
  Index = lo;
  return false;
}

Integer TSST::AddString(const WideString& s, const TRTFRunList& RTFRuns) {
  if (s.size() > 0xFFFF) RaiseXls(XlsMsg::InvalidString);
  const bool wide = IsWide(s);
  const bool rich = !RTFRuns.empty();
  if (RTFRuns.size() > 0xFFFF) RaiseXls(XlsMsg::InvalidString);
  const Cardinal size = EntryHeader + 3 + (rich ? 2 : 0) + static_cast<Cardinal>(s.size()) * (wide ? 2 : 1) +
                        static_cast<Cardinal>(4 * RTFRuns.size());
  Reserve(size);
  const Cardinal entry = MemSST.UsedSize;
  auto& b = MemSST.Buffer;
  std::fill(b.begin() + entry, b.begin() + entry + EntryHeader, Byte{0});
  Cardinal p = entry + EntryHeader;
  SetWord(b, p, static_cast<Word>(s.size()));
  b[p + 2] = static_cast<Byte>((wide ? 1 : 0) | (rich ? 8 : 0));
  p += 3;
  if (rich) {
    SetWord(b, p, static_cast<Word>(RTFRuns.size()));
    p += 2;
  }
  for (char16_t c : s) {
    if (wide) {
      SetWord(b, p, c);
      p += 2;
    } else {
      b[p++] = static_cast<Byte>(c);
    }
  }
  for (const TRTFRun& r : RTFRuns) {
    SetWord(b, p, r.FirstChar);
    SetWord(b, p + 2, r.FontIndex);
    p += 4;
  }
  MemSST.UsedSize += size;

  Integer index = 0;
  if (Find(entry, index)) {
    AddRef(FList[static_cast<size_t>(index)], 1);
    MemSST.UsedSize = entry;  // the space goes back
    MemSST.Buffer.resize(entry);
  } else {
    FList.insert(FList.begin() + index, entry);
    SetWord(b, entry, 1);
  }
  return index;
}

void TSST::Load(const TSSTRecord& aSSTRecord) {
  const Cardinal count = aSSTRecord.Count();
  const TBaseRecord* record = &aSSTRecord;
  Integer ofs = 8;
  std::vector<Byte> packed;
  // The count comes from the file: strings are read until it is reached, and a count larger
  // than the data fails on the first string that is not there.
  for (Cardinal i = 0; i < count; ++i) {
    if (const size_t size = WholeStringSize(*record, ofs)) {
      const Cardinal entry = static_cast<Cardinal>(EntryHeader + size);
      Reserve(entry);
      std::memset(&MemSST.Buffer[MemSST.UsedSize], 0, EntryHeader);
      std::memcpy(&MemSST.Buffer[MemSST.UsedSize + EntryHeader], record->Data.data() + ofs, size);
      FList.push_back(MemSST.UsedSize);
      MemSST.UsedSize += entry;
      ofs += static_cast<Integer>(size);
      continue;
    }
    TExcelString s(2, record, ofs);
    PackString(packed, s);
    Reserve(static_cast<Cardinal>(packed.size()));
    std::memcpy(&MemSST.Buffer[MemSST.UsedSize], packed.data(), packed.size());
    FList.push_back(MemSST.UsedSize);
    MemSST.UsedSize += static_cast<Cardinal>(packed.size());
  }
}

void TSST::FixRefs() {
  for (Integer i = Count() - 1; i >= 0; --i)
    if (RefCount(FList[static_cast<size_t>(i)]) == 0) FList.erase(FList.begin() + i);
}

void TSST::Sort() {
  // Each entry's size taken once rather than at every comparison. The comparisons answer as
  // CompareEntries does, so the same sort leaves the same order, equal entries included.
  struct TKeyed {
    Cardinal Size;
    Cardinal Entry;
  };
  // A table already in strictly ascending order (as this program writes it) is its own
  // sorted order.
  const auto ascending = [this](Cardinal a, Cardinal b) { return CompareEntries(a, b) < 0; };
  if (std::adjacent_find(FList.begin(), FList.end(), [&](Cardinal a, Cardinal b) { return !ascending(a, b); }) ==
      FList.end())
    return;
  std::vector<TKeyed> keyed(FList.size());
  for (size_t i = 0; i < FList.size(); ++i) keyed[i] = {EntrySize(FList[i]), FList[i]};
  const Byte* b = MemSST.Buffer.data();
  std::sort(keyed.begin(), keyed.end(), [b](const TKeyed& x, const TKeyed& y) {
    if (x.Size != y.Size) return x.Size < y.Size;
    return std::memcmp(b + x.Entry + EntryHeader, b + y.Entry + EntryHeader, x.Size - EntryHeader) < 0;
  });
  for (size_t i = 0; i < FList.size(); ++i) FList[i] = keyed[i].Entry;
}

Int64 TSST::Walk(TOle2File* DataStream) {
  std::array<Byte, RecordBufferSize> buf{};
  const Int64 base = DataStream ? DataStream->Position() : 0;
  Int64 written = 0;            // bytes flushed so far
  Int64 recordStart = base;     // stream position of the current record's header
  Integer pos = 4;
  Word id = SSTId;

  auto flush = [&]() {
    SetWord(buf, 0, id);
    SetWord(buf, 2, static_cast<Word>(pos - 4));
    if (DataStream) DataStream->WriteMem(buf.data(), pos);
    written += pos;
    recordStart = base + written;
    id = ContinueId;
    buf[4] = 0;
    buf[5] = 0;
    pos = 4;
  };

  Cardinal totalRefs = 0;
  for (size_t i = 0; i < FList.size(); ++i) {
    Cardinal e = FList[i];
    if (RefCount(e) == 0) throw EAssertionFailed("Refs should be >0");
    totalRefs += RefCount(e);
    if (DataStream) SetCardinal(MemSST.Buffer, e + 8, static_cast<Cardinal>(i));
  }
  SetCardinal(buf, 4, totalRefs);
  SetCardinal(buf, 8, static_cast<Cardinal>(FList.size()));
  pos = 12;

  for (Cardinal e : FList) {
    if (RecordBufferSize - pos < 32) flush();
    if (DataStream) {
      const Int64 at = base + written + pos;
      SetCardinal(MemSST.Buffer, e + 2, static_cast<Cardinal>(at));
      SetWord(MemSST.Buffer, e + 6, static_cast<Word>(at - recordStart));
    }
    TEntryLayout l = Layout(e);
    const auto& b = MemSST.Buffer;
    SetWord(buf, static_cast<size_t>(pos), l.Count);
    Integer optionAt = pos + 2;
    buf[static_cast<size_t>(optionAt)] = l.Options;
    pos += 3;
    if (l.Options & 0x08) {
      SetWord(buf, static_cast<size_t>(pos), l.Runs);
      pos += 2;
    }
    if (l.Options & 0x04) {
      SetCardinal(buf, static_cast<size_t>(pos), l.FarEast);
      pos += 4;
    }
    // Characters, chunk by chunk; each chunk chooses its own width.
    const bool wide = l.Options & 1;
    Cardinal done = 0;
    while (done < l.Count) {
      const Cardinal left = l.Count - done;
      const Integer space = RecordBufferSize - pos;
      Cardinal chars8 = std::min<Cardinal>(left, static_cast<Cardinal>(space));
      const Cardinal chars16 = std::min<Cardinal>(left, static_cast<Cardinal>(space / 2));
      if (wide)
        for (Cardinal k = 0; k < chars8; ++k)
          if (GetWord(b, l.CharsAt + 2 * (done + k)) > 255) {
            chars8 = k;
            break;
          }
      if (chars8 < chars16) {
        for (Cardinal k = 0; k < chars16; ++k) {
          SetWord(buf, static_cast<size_t>(pos), GetWord(b, l.CharsAt + 2 * (done + k)));
          pos += 2;
        }
        buf[static_cast<size_t>(optionAt)] |= 1;
        done += chars16;
      } else {
        for (Cardinal k = 0; k < chars8; ++k)
          buf[static_cast<size_t>(pos++)] = wide ? static_cast<Byte>(GetWord(b, l.CharsAt + 2 * (done + k))) : b[l.CharsAt + done + k];
        buf[static_cast<size_t>(optionAt)] &= static_cast<Byte>(~1);
        done += chars8;
      }
      if (done < l.Count) {
        flush();
        optionAt = pos;
        buf[static_cast<size_t>(optionAt)] = 0;
        pos += 1;
      }
    }
    // Runs and far-east block: whole multiples of 4 bytes per record, no option byte.
    Cardinal tailAt = l.CharsAt + l.Count * (wide ? 2u : 1u);
    Cardinal tail = 4u * l.Runs + l.FarEast;
    while (tail > 0) {
      Cardinal piece = std::min<Cardinal>(tail, static_cast<Cardinal>((RecordBufferSize - pos) / 4 * 4));
      if (piece == 0) {
        flush();
        continue;
      }
      std::memcpy(&buf[static_cast<size_t>(pos)], &b[tailAt], piece);
      pos += static_cast<Integer>(piece);
      tailAt += piece;
      tail -= piece;
    }
  }
  flush();
  return written;
}

Int64 TSST::ExtSSTSize() const {
  const Integer n = Count();
  const Integer bucket = std::max(8, n / 128 + 1);
  const Integer buckets = n == 0 ? 0 : (n - 1) / bucket + 1;
  return 6 + 8 * static_cast<Int64>(buckets);
}

void TSST::WriteExtSST(TOle2File& DataStream) const {
  const Integer n = Count();
  const Integer bucket = std::max(8, n / 128 + 1);
  const Integer buckets = n == 0 ? 0 : (n - 1) / bucket + 1;
  DataStream.WriteHeader(ExtSSTId, static_cast<Word>(2 + 8 * buckets));
  DataStream.Write16(static_cast<Word>(bucket));
  for (Integer i = 0; i < n; i += bucket) {
    Cardinal e = FList[static_cast<size_t>(i)];
    DataStream.Write32(StreamPosition(e));
    DataStream.Write16(RecordOffset(e));
    DataStream.Write16(0);
  }
}

void TSST::SaveToStream(TOle2File& DataStream) {
  Walk(&DataStream);
  WriteExtSST(DataStream);
}

Int64 TSST::TotalSize() const { return const_cast<TSST*>(this)->Walk(nullptr) + ExtSSTSize(); }

// ---------------------------------------------------------------------------------------------
// LABELSST, LABEL, RSTRING

TLabelSSTRecord::TLabelSSTRecord(const TLabelSSTRecord& Other)
    : TRecordOf(Other), pSSTEntry(Other.pSSTEntry), SST(Other.SST) {
  if (SST && pSSTEntry >= 0) SST->AddRef(static_cast<Cardinal>(pSSTEntry), 1);
}

TLabelSSTRecord::~TLabelSSTRecord() { Release(); }

void TLabelSSTRecord::Release() {
  if (SST && pSSTEntry >= 0) SST->AddRef(static_cast<Cardinal>(pSSTEntry), -1);
}

std::unique_ptr<TLabelSSTRecord> TLabelSSTRecord::CreateFromData(Word aRow, Word aCol, Word aXF, TSST* aSST) {
  auto r = TCellRecord::CreateFromData<TLabelSSTRecord>(Id_, 10, aRow, aCol, aXF);
  r->SST = aSST;
  return r;
}

void TLabelSSTRecord::AttachToSST(TSST* aSST) {
  Cardinal index = GetCardinal(Data, 6);
  if (!aSST || index >= static_cast<Cardinal>(aSST->Count())) RaiseXls(XlsMsg::ExcelInvalid);
  Release();
  SST = aSST;
  pSSTEntry = aSST->Entry(static_cast<Integer>(index));
  SST->AddRef(static_cast<Cardinal>(pSSTEntry), 1);
}

WideString TLabelSSTRecord::AsString() const {
  if (!SST || pSSTEntry < 0) return WideString();
  return SST->EntryText(static_cast<Cardinal>(pSSTEntry));
}

TRichString TLabelSSTRecord::AsRichString() const {
  TRichString r;
  if (!SST || pSSTEntry < 0) return r;
  r.Value = SST->EntryText(static_cast<Cardinal>(pSSTEntry));
  r.RTFRuns = SST->EntryRuns(static_cast<Cardinal>(pSSTEntry));
  return r;
}

void TLabelSSTRecord::SetAsString(const WideString& Value) { SetAsRichString(TRichString{Value, {}}); }

void TLabelSSTRecord::SetAsRichString(const TRichString& Value) {
  if (!SST) RaiseXls(XlsMsg::LogicalError);
  Integer index = SST->AddString(Value.Value, Value.RTFRuns);
  Int64 previous = pSSTEntry;
  pSSTEntry = SST->Entry(index);
  if (previous >= 0) SST->AddRef(static_cast<Cardinal>(previous), -1);
}

Variant TLabelSSTRecord::GetValue() const { return Variant(AsString()); }

void TLabelSSTRecord::SetValue(const Variant& Value) { SetAsString(Value.AsWideString()); }

void TLabelSSTRecord::SaveToStream(TOle2File& Workbook) const {
  ArrayOfByte data = Data;
  if (SST && pSSTEntry >= 0) SetCardinal(data, 6, SST->SaveIndex(static_cast<Cardinal>(pSSTEntry)));
  SaveDataToStream(Workbook, data);
  SaveContinuesToStream(Workbook);
}

WideString TLabelRecord::AsString() const {
  const TBaseRecord* record = this;
  Integer ofs = 6;
  return TExcelString(2, record, ofs).Value();
}

TRichString TRStringRecord::AsRichString() const {
  const TBaseRecord* record = this;
  Integer ofs = 6;
  TRichString r;
  r.Value = TExcelString(2, record, ofs).Value();
  Byte count[2];
  ReadContinuedMem(record, ofs, 2, count);
  const Word runs = static_cast<Word>(count[0] | (count[1] << 8));
  for (Word i = 0; i < runs; ++i) {
    Byte run[4];
    ReadContinuedMem(record, ofs, 4, run);
    r.RTFRuns.push_back({static_cast<Word>(run[0] | (run[1] << 8)), static_cast<Word>(run[2] | (run[3] << 8))});
  }
  return r;
}
