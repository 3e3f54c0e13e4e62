#include "xls/vavUBiffClientData.h"

#include "xls/vavUBiffRecordFactory.h"
#include "xls/vavUBiffStrings.h"

namespace {

constexpr Word IdOBJ = 0x005D, IdTXO = 0x01B6, IdIMDATA = 0x007F, IdCONTINUE = 0x003C;
constexpr Word ObjChart = 5, ObjPicture = 8;

// OBJ records the engine makes; the object id (offset 6) is filled in when one is made.
constexpr Byte ImgTemplate[38] = {0x15, 0x00, 0x12, 0x00, 0x08, 0x00, 0x00, 0x00, 0x11, 0x60, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                  0,    0,    0x07, 0x00, 0x02, 0x00, 0xFF, 0xFF, 0x08, 0x00, 0x02, 0x00, 0x01, 0x00,
                                  0x00, 0x00, 0x00, 0x00};
constexpr Byte NoteTemplate[52] = {
    0x15, 0x00, 0x12, 0x00, 0x19, 0x00, 0x00, 0x00, 0x11, 0x40, 0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0x0D, 0x00, 0x16, 0x00, 0x00, 0x12, 0x23, 0x8C, 0x6C, 0x50, 0x8B, 0x4D, 0xA8, 0xC5,
    0x7B, 0x64, 0xFF, 0xA8, 0xC5, 0xA3, 0x00, 0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr Byte AutoFilterTemplate[70] = {
    0x15, 0x00, 0x12, 0x00, 0x14, 0x00, 0x00, 0x00, 0x01, 0x21, 0,    0,    0,    0,    0,    0,    0,    0,
    0,    0,    0,    0,    0x0C, 0x00, 0x14, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x64, 0x00,
    0x01, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x10, 0x00, 0x01, 0x00, 0x13, 0x00, 0xEE, 0x1F, 0x00, 0x00, 0x00, 0x00,
    0x04, 0x00, 0x01, 0x03, 0x00, 0x00, 0x02, 0x00, 0x08, 0x00, 0x6C, 0x00, 0x00, 0x00, 0x00, 0x00};

template <class T>
std::unique_ptr<T> CopyOf(const T* aRecord) {
  if (!aRecord) return nullptr;
  return std::unique_ptr<T>(static_cast<T*>(aRecord->DoCopyTo().release()));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// VAvObj

const TClientDataClass VAvObj::Class{IdOBJ, [] { return std::unique_ptr<TBaseClientData>(new VAvObj()); }};

std::unique_ptr<VAvObj> VAvObj::CreateEmpty(Word& MaxId, std::span<const Byte> Template) {
  auto obj = std::make_unique<VAvObj>();
  obj->FObjRecord = std::make_unique<TObjRecord>(IdOBJ, ArrayOfByte(Template.begin(), Template.end()));
  obj->ArrangeId(MaxId);
  return obj;
}

std::unique_ptr<VAvObj> VAvObj::CreateEmptyImg(Word& MaxId) { return CreateEmpty(MaxId, ImgTemplate); }
std::unique_ptr<VAvObj> VAvObj::CreateEmptyNote(Word& MaxId) { return CreateEmpty(MaxId, NoteTemplate); }
std::unique_ptr<VAvObj> VAvObj::CreateEmptyAutoFilter(Word& MaxId) { return CreateEmpty(MaxId, AutoFilterTemplate); }

Word VAvObj::ObjectId() const { return FObjRecord && FObjRecord->DataSize() >= 8 ? GetWord(FObjRecord->Data, 6) : 0; }

void VAvObj::SetObjectId(Word Value) {
  if (FObjRecord && FObjRecord->DataSize() >= 8) SetWord(FObjRecord->Data, 6, Value);
}

void VAvObj::ArrangeId(Word& MaxId) {
  ++MaxId;
  SetObjectId(MaxId);
}

Word VAvObj::ObjectType() const { return FObjRecord && FObjRecord->DataSize() >= 6 ? FObjRecord->CmoId() : 0; }

// A drop-down list whose list data say it serves an automatic filter. The sub-records are
// walked rather than compared with our own template, so arrows other writers made (a list
// formula, other flags) are found too, and drop-downs of other kinds are left alone.
bool VAvObj::IsFilterArrow() const {
  if (!FObjRecord || ObjectType() != 0x0014) return false;
  const ArrayOfByte& d = FObjRecord->Data;
  size_t at = 0;
  while (at + 4 <= d.size()) {
    const Word ft = GetWord(d, at);
    if (ft == 0x0000) return false;
    if (ft == 0x0013) {
      // The list data's size field is not its size: the list formula's length comes first,
      // then line count, selection and the flags word whose high byte is the list's use.
      if (at + 6 > d.size()) return false;
      const size_t use = at + 6 + GetWord(d, at + 4) + 5;
      return use < d.size() && d[use] == 0x03;
    }
    at += 4 + size_t{GetWord(d, at + 2)};
  }
  return false;
}

void VAvObj::Clear() {
  FObjRecord.reset();
  FChart.reset();
  FImData.reset();
  RemainingData.reset();
  HasPictFmla = false;
}

std::unique_ptr<TBaseClientData> VAvObj::CopyTo() const {
  if (HasPictFmla) RaiseXls(XlsMsg::CantCopyOle);
  auto copy = std::make_unique<VAvObj>();
  copy->FObjRecord = CopyOf(FObjRecord.get());
  if (FChart) {
    copy->FChart = std::make_unique<TBaseRecordList>();
    copy->FChart->CopyFrom(FChart.get());
  }
  copy->FImData = CopyOf(FImData.get());
  return copy;
}

void VAvObj::ScanSubRecords(TBaseRecord& First) {
  RemainingData.reset();
  const TBaseRecord* at = &First;
  Integer pos = 0;
  try {
    while (true) {
      Byte head[4];
      ReadContinuedMem(at, pos, 4, head);
      const Word type = static_cast<Word>(head[0] | (head[1] << 8));
      const Integer size = head[2] | (head[3] << 8);
      if (type == 9) HasPictFmla = true;
      // A sub-record claiming more than its record holds (the list box of a filter arrow)
      // ends the scan.
      if (pos + size > at->DataSize()) break;
      pos += size;
      if (type == 0) break;
    }
  } catch (const Exception&) {
    return;
  }
  RemainingData = std::move(const_cast<TBaseRecord*>(at)->Continue);
}

void VAvObj::LoadFromStream(TOle2File& DataStream, TRecordHeader& RecordHeader, TSST*,
                            std::unique_ptr<TBaseRecord> First) {
  Clear();
  auto* obj = dynamic_cast<TObjRecord*>(First.get());
  if (!obj) RaiseXls(XlsMsg::UnsupportedDrawing);
  const Word type = obj->DataSize() >= 6 ? obj->CmoId() : 0;
  if (type == ObjChart) {
    std::unique_ptr<TBaseRecord> bof = ReadSectionRecord(DataStream, RecordHeader);
    if (bof->Id != BiffId::BOF) RaiseXls(XlsMsg::ExcelInvalid);
    auto chart = std::make_unique<TBaseRecordList>();
    chart->Add(std::move(bof));
    // Charts may nest their own sub-streams; the chart ends at the EOF of its own BOF.
    Integer depth = 1;
    while (depth > 0) {
      std::unique_ptr<TBaseRecord> r = ReadSectionRecord(DataStream, RecordHeader);
      if (r->Id == BiffId::BOF) ++depth;
      else if (r->Id == BiffId::EOF_) --depth;
      chart->Add(std::move(r));
    }
    FChart = std::move(chart);
  } else if (type == ObjPicture && RecordHeader.Id == IdIMDATA) {
    FImData = ReadSectionRecord(DataStream, RecordHeader);
  }
  ScanSubRecords(*obj);
  if (FChart && !RemainingData) {
    TBaseRecord* eof = (*FChart)[FChart->Count() - 1];
    if (eof->Continue) {
      // Size bookkeeping of the list follows the record it holds.
      FChart->AdaptSize(-static_cast<Int64>(eof->TotalSize()));
      RemainingData = std::move(eof->Continue);
      FChart->AdaptSize(eof->TotalSize());
    }
  }
  First.release();
  FObjRecord.reset(obj);
}

void VAvObj::SaveToStream(TOle2File& DataStream) const {
  if (!FObjRecord) RaiseXls(XlsMsg::ExcelInvalid);
  FObjRecord->SaveToStream(DataStream);
  if (FImData) FImData->SaveToStream(DataStream);
  if (FChart) FChart->SaveToStream(DataStream);
}

Int64 VAvObj::TotalSize() const {
  if (!FObjRecord) RaiseXls(XlsMsg::ExcelInvalid);
  return FObjRecord->TotalSize() + (FImData ? FImData->TotalSize() : 0) + (FChart ? FChart->TotalSize() : 0);
}

// ---------------------------------------------------------------------------------------------
// TTXO

const TClientDataClass TTXO::Class{IdTXO, [] { return std::unique_ptr<TBaseClientData>(new TTXO()); }};

std::unique_ptr<TTXO> TTXO::CreateFromData() {
  auto txo = std::make_unique<TTXO>();
  txo->FTXO = TTXORecord::CreateFromData();
  return txo;
}

void TTXO::Clear() {
  FTXO.reset();
  RemainingData.reset();
}

std::unique_ptr<TBaseClientData> TTXO::CopyTo() const {
  auto copy = std::make_unique<TTXO>();
  copy->FTXO = CopyOf(FTXO.get());
  return copy;
}

void TTXO::LoadFromStream(TOle2File&, TRecordHeader&, TSST*, std::unique_ptr<TBaseRecord> First) {
  Clear();
  auto* txo = dynamic_cast<TTXORecord*>(First.get());
  if (!txo) RaiseXls(XlsMsg::UnsupportedDrawing);
  First.release();
  FTXO.reset(txo);
  WideString text;
  TRTFRunList runs;
  ReadTextAndRuns(text, runs);
}

void TTXO::ReadTextAndRuns(WideString& Text, TRTFRunList& Runs) {
  Text.clear();
  Runs.clear();
  if (!FTXO || !FTXO->Continue) return;
  const Word length = GetWord(FTXO->Data, 10);
  if (length == 0) {
    RemainingData = std::move(FTXO->Continue);
    return;
  }
  const TBaseRecord* at = FTXO->Continue.get();
  if (at->DataSize() < 1) RaiseXls(XlsMsg::ReadingRecord);
  Integer ofs = 1;
  Byte options = at->Data[0];
  String shortText;
  WideString wideText;
  ReadContinuedStr(at, ofs, length, options, shortText, wideText);
  Text = (options & 1) ? wideText : WidenString(shortText);

  const Integer runCount = GetWord(FTXO->Data, 12) / 8;
  const TBaseRecord* end = at;
  if (runCount > 0 && at->Continue) {
    const TBaseRecord* runs = at->Continue.get();
    Integer pos = 0;
    for (Integer i = 0; i < runCount; ++i) {
      Byte run[8];
      ReadContinuedMem(runs, pos, 8, run);
      Runs.push_back({static_cast<Word>(run[0] | (run[1] << 8)), static_cast<Word>(run[2] | (run[3] << 8))});
    }
    end = runs;
  }
  RemainingData = std::move(const_cast<TBaseRecord*>(end)->Continue);
}

WideString TTXO::Text() {
  WideString text;
  TRTFRunList runs;
  ReadTextAndRuns(text, runs);
  return text;
}

void TTXO::WriteText(const WideString& Value) {
  if (!FTXO) return;
  const Integer length = static_cast<Integer>(std::min<size_t>(Value.size(), 0xFFFF));
  SetWord(FTXO->Data, 10, static_cast<Word>(length));
  SetWord(FTXO->Data, 12, length > 0 ? 16 : 0);
  FTXO->Continue.reset();
  if (length == 0) return;

  const bool wide = IsWide(Value);
  const Integer perRecord = wide ? (8224 - 1) / 2 : 8224 - 1;
  std::vector<std::unique_ptr<TContinueRecord>> parts;
  for (Integer at = 0; at < length; at += perRecord) {
    const Integer n = std::min(perRecord, length - at);
    ArrayOfByte chunk{static_cast<Byte>(wide ? 1 : 0)};
    for (Integer i = at; i < at + n; ++i) {
      chunk.push_back(static_cast<Byte>(Value[static_cast<size_t>(i)]));
      if (wide) chunk.push_back(static_cast<Byte>(Value[static_cast<size_t>(i)] >> 8));
    }
    parts.push_back(std::make_unique<TContinueRecord>(IdCONTINUE, std::move(chunk)));
  }
  ArrayOfByte runs(16, 0);
  SetWord(runs, 8, static_cast<Word>(length));
  parts.push_back(std::make_unique<TContinueRecord>(IdCONTINUE, std::move(runs)));
  for (size_t i = parts.size() - 1; i > 0; --i) parts[i - 1]->AddContinue(std::move(parts[i]));
  FTXO->AddContinue(std::move(parts[0]));
}

void TTXO::SaveToStream(TOle2File& DataStream) const {
  if (FTXO) FTXO->SaveToStream(DataStream);
}

Int64 TTXO::TotalSize() const { return FTXO ? FTXO->TotalSize() : 0; }
