// The bridge component: its settings, the life of the workbook file object of one call, and
// the regional short-date check the export's typed conversion relies on.
#include "xls/vavRivGridExcel.h"

#include <cctype>

#include "classlib/Colors.h"
#include "classlib/SysUtils.h"
#include "xls/vavUXlsFile.h"
#include "xls/vavXlsMessages.h"

void TROZIOOptions::Assign(TPersistent* Source) {
  if (auto* from = dynamic_cast<TROZIOOptions*>(Source)) {
    ImportCellProperties = from->ImportCellProperties;
    ImportCellFormats = from->ImportCellFormats;
    ImportCellSizes = from->ImportCellSizes;
    ImportImages = from->ImportImages;
    return;
  }
  TPersistent::Assign(Source);
}

TRivGridExcelIO::TRivGridExcelIO(TComponent* AOwner)
    : TComponent(AOwner), FOptions(std::make_unique<TROZIOOptions>()) {}

TRivGridExcelIO::~TRivGridExcelIO() = default;

String TRivGridExcelIO::Version() const { return XlsMsg::BridgeVersion; }

void TRivGridExcelIO::SetRivErodovOzar(TRivErodovOzar* Value) {
  if (Value == FRivErodovOzar) return;
  if (FRivErodovOzar != nullptr) FRivErodovOzar->RemoveFreeNotification(this);
  FRivErodovOzar = Value;
  if (FRivErodovOzar != nullptr) FRivErodovOzar->FreeNotification(this);
  if (Value != nullptr) SetRivGridWorkbook(nullptr);
}

void TRivGridExcelIO::SetRivGridWorkbook(TRivGridWorkbook* Value) {
  if (Value == FRivGridWorkbook) return;
  if (FRivGridWorkbook != nullptr) FRivGridWorkbook->RemoveFreeNotification(this);
  FRivGridWorkbook = Value;
  if (FRivGridWorkbook != nullptr) FRivGridWorkbook->FreeNotification(this);
  if (Value != nullptr) SetRivErodovOzar(nullptr);
}

void TRivGridExcelIO::SetAdapter(TExcelAdapter* Value) {
  if (Value == FAdapter) return;
  if (FAdapter != nullptr) FAdapter->RemoveFreeNotification(this);
  FAdapter = Value;
  if (FAdapter != nullptr) FAdapter->FreeNotification(this);
}

void TRivGridExcelIO::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FRivErodovOzar) FRivErodovOzar = nullptr;
  if (AComponent == FRivGridWorkbook) FRivGridWorkbook = nullptr;
  if (AComponent == FAdapter) FAdapter = nullptr;
}

std::unique_ptr<TExcelFile> TRivGridExcelIO::CreateWorkbookFile() {
  if (FAdapter != nullptr) return FAdapter->GetWorkbook();
  return std::make_unique<TXLSFile>(nullptr);
}

void TRivGridExcelIO::CloseWorkbookFile(TExcelFile* File) {
  // Closing must not hide the error that brought us here, nor raise one of its own.
  try {
    File->CloseFile();
  } catch (const std::exception&) {
  }
  try {
    File->Disconnect();
  } catch (const std::exception&) {
  }
}

Integer TRivGridExcelIO::NearestPaletteColor(TExcelFile* File, TColor Color) {
  const Cardinal rgb = static_cast<Cardinal>(ColorToRGB(Color)) & 0xFFFFFF;
  auto distance = [&](Integer i) {
    const Cardinal p = File->GetColorPalette(i);
    const long dr = static_cast<long>(rgb & 0xFF) - static_cast<long>(p & 0xFF);
    const long dg = static_cast<long>((rgb >> 8) & 0xFF) - static_cast<long>((p >> 8) & 0xFF);
    const long db = static_cast<long>((rgb >> 16) & 0xFF) - static_cast<long>((p >> 16) & 0xFF);
    return dr * dr + dg * dg + db * db;
  };
  auto nearest = [&](auto usable) {
    Integer best = -1;
    long bestDistance = 0;
    // The workbook's palette indexes run from 1 to 56.
    for (Integer i = 1; i <= 56; ++i) {
      if (!usable(i)) continue;
      const long d = distance(i);
      if (d == 0) return i;
      if (best < 0 || d < bestDistance) best = i, bestDistance = d;
    }
    return best;
  };
  const Integer plain = nearest([](Integer) { return true; });
  if (FUsedColors.empty()) return plain;
  // A palette the workbook already uses stays; free entries are redefined to the exact colour.
  for (Integer i = 0; i <= 2 && i < static_cast<Integer>(FUsedColors.size()); ++i) FUsedColors[i] = true;
  const Integer count = static_cast<Integer>(FUsedColors.size());
  const Integer free = nearest([&](Integer i) { return i < count && !FUsedColors[i]; });
  if (free < 0) return plain;
  if (distance(free) != 0) {
    File->SetColorPalette(free, rgb);
    FUsedColors[free] = true;
  }
  return free;
}

TWbkFormat ReadCellFormat(TExcelFile* File, Integer Row, Integer Col) {
  Integer x = File->GetCellFormat(Row, Col);
  if (x < 0) {
    x = File->GetRowFormat(Row);
    if (x <= 0) x = File->GetColumnFormat(Col);
  }
  return File->GetFormatList(x < 0 ? 15 : x);
}

namespace {

// The pattern's fields in order: 'd', 'm' or 'y', with the letter count of each.
struct TDateField {
  char Kind;
  size_t Letters;
};

std::vector<TDateField> ShortDateFields() {
  std::vector<TDateField> fields;
  const String& pattern = FormatSettings.ShortDateFormat;
  for (size_t i = 0; i < pattern.size();) {
    const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[i])));
    size_t n = 1;
    while (i + n < pattern.size() && std::tolower(static_cast<unsigned char>(pattern[i + n])) == c) ++n;
    if (c == 'd' || c == 'm' || c == 'y') fields.push_back({c, n});
    i += n;
  }
  return fields;
}

bool AllDigitsText(const String& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

}  // namespace

bool IsShortDateText(const String& Text) {
  std::vector<TDateField> fields = ShortDateFields();
  if (fields.size() != 3) return false;
  std::vector<String> parts;
  String part;
  for (char c : Trim(Text)) {
    if (c == FormatSettings.DateSeparator) {
      parts.push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  parts.push_back(part);
  const bool withYear = parts.size() == 3;
  if (!withYear) {
    if (parts.size() != 2) return false;
    std::erase_if(fields, [](const TDateField& f) { return f.Kind == 'y'; });
    if (fields.size() != 2) return false;
  }
  int day = 0, month = 0;
  for (size_t i = 0; i < parts.size(); ++i) {
    const String& p = parts[i];
    if (!AllDigitsText(p)) return false;
    const size_t n = p.size();
    switch (fields[i].Kind) {
      case 'y':
        if (n != 2 && n != 4) return false;
        break;
      case 'd':
      case 'm':
        if (n > 2 || (!withYear && n != 2)) return false;
        (fields[i].Kind == 'd' ? day : month) = std::stoi(p);
        break;
    }
  }
  return day >= 1 && day <= 31 && month >= 1 && month <= 12;
}
