// TXLSFile: life cycle, opening a workbook, new workbooks from the built-in template, saving.
#include <sstream>

#include "classlib/Bitmap.h"
#include "classlib/Resources.h"
#include "classlib/SysUtils.h"
#include "xls/resources/XlsTemplate.h"
#include "xls/vavUXlsFile.h"

namespace {

// The template is a raw-data resource of the program; registering it here keeps it with the
// only code that reads it.
const bool TemplateRegistered = [] {
  RegisterRCDataResource(TXLSFile::TemplateResourceName, XlsEmptyWorkbookTemplate());
  return true;
}();

std::string ReadRest(TStream& Stream) {
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const Integer n = Stream.Read(buffer, static_cast<Integer>(sizeof buffer));
    if (n <= 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  return bytes;
}

}  // namespace

TXLSFile::TXLSFile(TBiffAdapter* aAdapter, bool aAllowOverwritingFiles)
    : AllowOverwritingFiles(aAllowOverwritingFiles), FAdapter(aAdapter) {}

TXLSFile::~TXLSFile() = default;

TWorkbook& TXLSFile::Workbook() const {
  if (!FWorkbook) RaiseXls(XlsMsg::NoOpenFile);
  return *FWorkbook;
}

void TXLSFile::Connect() { FWorkbook = std::make_unique<TWorkbook>(); }

void TXLSFile::Disconnect() { FWorkbook.reset(); }

void TXLSFile::CloseFile() {}

void TXLSFile::OpenFile(const String& FileName) { OpenFileAndOrSearch(FileName, false); }

void TXLSFile::OpenFileAndSearch(const String& FileName) { OpenFileAndOrSearch(FileName, true); }

void TXLSFile::OpenFileAndOrSearch(const String& FileName, bool Search) {
  if (FAdapter && FAdapter->TemplateStore) {
    ByteArray bytes;
    FAdapter->TemplateStore->StoredFileBytes(FileName, bytes);
    LoadFromCompoundBytes(std::string(bytes.begin(), bytes.end()), FileName);
    return;
  }
  const String name = Search && FAdapter ? SearchFile(FAdapter->BasePathToOpen, FileName) : FileName;
  std::string bytes;
  {
    TFileStream file(name, fmOpenRead | fmShareDenyNone);
    bytes = ReadRest(file);
  }
  LoadFromCompoundBytes(bytes, name);
}

void TXLSFile::LoadFromStream(TStream* Stream) { LoadFromCompoundBytes(ReadRest(*Stream), String()); }

void TXLSFile::LoadFromCompoundBytes(const std::string& Bytes, const String& FileName) {
  TWorkbook& workbook = Workbook();
  std::istringstream in(Bytes);
  std::ostringstream others;
  {
    TOle2File reader(in, true, FileName);
    if (reader.NotXls97) reader.RaiseFileInvalid();
    reader.SelectStream(String(XlsMsg::WorkbookStreamName));
    workbook.LoadFromStream(reader);
    // A copy of the file with an empty "Workbook": the other streams a save writes back.
    reader.PrepareForWrite(others, Utf8ToWide(XlsMsg::WorkbookStreamName));
    reader.Close();
  }
  FOtherStreams = others.str();
  FActiveSheet = workbook.ActiveSheet() + 1;
  IsFileModified = false;
  RowPictures.reset();
}

void TXLSFile::NewFile(Integer SheetCount) {
  String bytes;
  if (!FindRCDataResource(HInstance, TemplateResourceName, bytes))
    throw EResNotFound(String("Resource ") + TemplateResourceName + " not found");
  LoadFromCompoundBytes(bytes, TemplateResourceName);
  InsertAndCopySheets(-1, 2, SheetCount - 1);
}

void TXLSFile::WriteXls(std::ostream& Out) {
  std::istringstream in(FOtherStreams);
  TOle2File writer(in);
  writer.PrepareForWrite(Out, Utf8ToWide(XlsMsg::WorkbookStreamName));
  Workbook().SaveToStream(writer, IsFileModified);
  writer.Close();
}

void TXLSFile::Save(bool, const String& FileName, TOnGetFileNameEvent OnGetFileName,
                    TOnGetOutStreamEvent OnGetOutStream, TStream* DataStream) {
  using enum TExcelSaveFormatNative;
  for (TExcelSaveFormatNative format : {snXLS, snCSVComma, snCSVSemiColon, snTabDelimited}) {
    if (FAdapter ? FAdapter->SaveFormat.count(format) == 0 : format != snXLS) continue;
    const Integer formatNumber = static_cast<Integer>(format);
    String name = FileName;
    TStream* target = DataStream;
    if (!target && OnGetOutStream) {
      OnGetOutStream(this, formatNumber, target);
    } else if (!target) {
      if (OnGetFileName) OnGetFileName(this, formatNumber, name);
      if (!AllowOverwritingFiles && FileExists(name)) RaiseXls(XlsMsg::CantWriteFile, {name});
    }
    // Text output is an empty hook.
    if (format != snXLS) continue;
    std::ostringstream out;
    WriteXls(out);
    const std::string bytes = out.str();
    if (target) {
      target->WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
    } else {
      // Written whole or not at all: a failed save leaves no half-written file behind.
      TMemoryStream whole;
      whole.WriteBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
      whole.SaveToFile(name);
    }
  }
}

std::unique_ptr<TExcelFile> TBiffAdapter::GetWorkbook() {
  return std::make_unique<TXLSFile>(this, AllowOverwritingFiles);
}

void TBiffAdapter::Notification(TComponent* AComponent, TOperation Operation) {
  TExcelAdapter::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == TemplateStore) TemplateStore = nullptr;
}
