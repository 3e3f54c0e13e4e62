// XML records: one element per row holding one element per cell. The writer writes in the
// encoding it declares (UTF-8, or ISO-8859-1 with the characters beyond it as numeric
// references); the reader takes the document through the class library's XML parser and
// changes the grid only when the whole document was read.
#include <algorithm>
#include <map>

#include "classlib/XmlDocument.h"
#include "grid/model/RivErodovOzar.h"

namespace {

enum class TXmlCharset { Utf8, Latin1, Ascii };

TXmlCharset CharsetOf(const String& Encoding) {
  const String e = UpperCase(Encoding);
  if (e == "UTF-8" || e == "UTF8") return TXmlCharset::Utf8;
  if (e == "ISO-8859-1" || e == "LATIN1" || e == "ISO_8859-1" || e == "LATIN-1") return TXmlCharset::Latin1;
  // Any other label: plain ASCII stays readable under it, the rest goes as references.
  return TXmlCharset::Ascii;
}

bool IsNameStart(char32_t c) { return c == ':' || c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0xC0; }
bool IsNameChar(char32_t c) { return IsNameStart(c) || c == '-' || c == '.' || (c >= '0' && c <= '9') || c == 0xB7; }

// An element name of the document; a name XML cannot hold is refused before anything is written.
const String& CheckedName(const String& Name) {
  const WideString w = Utf8ToWide(Name);
  bool ok = !w.empty() && IsNameStart(w[0]);
  for (char16_t c : w) ok = ok && IsNameChar(c);
  if (!ok) throw ERivGridError("Invalid XML element name \"" + Name + "\"");
  return Name;
}

// Text content escaped and encoded. CR is written as a reference so that it survives the
// parser's line-end normalisation; the control characters XML cannot carry are left out.
String XmlText(const String& S, TXmlCharset Charset) {
  String out;
  const std::u32string text = [&] {
    std::u32string u;
    const WideString w = Utf8ToWide(S);
    for (size_t i = 0; i < w.size(); ++i) {
      char32_t c = w[i];
      if (c >= 0xD800 && c < 0xDC00 && i + 1 < w.size()) c = 0x10000 + ((c - 0xD800) << 10) + (w[++i] - 0xDC00);
      u += c;
    }
    return u;
  }();
  for (char32_t c : text) {
    switch (c) {
      case '&': out += "&amp;"; continue;
      case '<': out += "&lt;"; continue;
      case '>': out += "&gt;"; continue;
      case '"': out += "&quot;"; continue;
      case '\r': out += "&#13;"; continue;
      default: break;
    }
    if (c < 0x20 && c != '\t' && c != '\n') continue;
    if (c == 0xFFFE || c == 0xFFFF) continue;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (Charset == TXmlCharset::Latin1 && c <= 0xFF) {
      out += static_cast<char>(c);
    } else if (Charset == TXmlCharset::Utf8) {
      out += WideToUtf8(c >= 0x10000 ? WideString{static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                                                 static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))}
                                    : WideString(1, static_cast<char16_t>(c)));
    } else {
      out += "&#" + IntToStr(static_cast<Int64>(c)) + ";";
    }
  }
  return out;
}

// Where the fields of the records go: by element name, "FIELD<n>" to column n, every other
// name to the column it took first.
class TFieldColumns {
 public:
  int ColumnOf(const String& Name) {
    if (Name.size() > 5 && Name.compare(0, 5, "FIELD") == 0) {
      int n = 0;
      if (TryStrToInt(Name.substr(5), n) && n >= 0 && n < 65536) {
        FNext = std::max(FNext, n + 1);
        return n;
      }
    }
    auto it = FColumns.find(Name);
    if (it != FColumns.end()) return it->second;
    FColumns[Name] = FNext;
    return FNext++;
  }

 private:
  std::map<String, int> FColumns;
  int FNext = 0;
};

struct TXmlField {
  int Col;
  int Row;
  String Name;
  String Value;
};

// The fields of the document, row by row. Without LevelToRow each record is a row; with it,
// every element with attributes or with several children opens a row of its own.
void CollectFields(const TXmlNode& Node, bool IsRecord, bool LevelToRow, int& Row, TFieldColumns& Columns,
                   std::vector<TXmlField>& Out) {
  if (LevelToRow && (!Node.Attributes.empty() || Node.Children.size() > 1)) ++Row;
  for (const auto& [name, value] : Node.Attributes) Out.push_back({Columns.ColumnOf(name), Row, name, value});
  const size_t elements = Node.Children.size();
  // A record of one field is a record all the same, not a field of its own.
  if (IsRecord && elements == 1 && !Node.Children[0].IsText) {
    CollectFields(Node.Children[0], false, LevelToRow, Row, Columns, Out);
    return;
  }
  if (elements > 1) {
    for (const TXmlNode& child : Node.Children)
      if (!child.IsText) CollectFields(child, false, LevelToRow, Row, Columns, Out);
  } else if (elements == 1 || !IsRecord) {
    // One child (whatever it is) or none: the element is a field; an empty element an empty one.
    Out.push_back({Columns.ColumnOf(Node.Name), Row, Node.Name, Node.AllText()});
  }
}

}  // namespace

void TRivErodovOzar::SaveToXML(const String& FileName, const String& ListDescr, const String& RecordDescr,
                               TStrings* FieldDescr, bool ExportEmptyCells) {
  const TXmlCharset charset = CharsetOf(XMLEncoding);
  const int hidden = SaveHiddenCells ? NumHiddenColumns() : 0;
  auto nameOf = [&](int Index) -> String {
    if (FieldDescr != nullptr && Index < FieldDescr->Count()) return CheckedName(FieldDescr->Strings(Index));
    return "FIELD" + IntToStr(Index);
  };
  CheckedName(ListDescr);
  CheckedName(RecordDescr);
  String out = "<?xml version=\"1.0\" encoding=\"" + XmlText(XMLEncoding, TXmlCharset::Ascii) + "\" ?>\r\n";
  out += "<" + ListDescr + ">\r\n";
  int lastProgress = -1;
  ExportNotification(esExportStart, SaveStartRow());
  for (int r = SaveStartRow(); r <= SaveEndRow(); ++r) {
    ExportNotification(esExportNextRow, r);
    out += "<" + RecordDescr + ">\r\n";
    for (int c = SaveStartCol(); c <= SaveEndCol() + hidden; ++c) {
      const int real = SaveHiddenCells ? c : RealColIndex(c);
      if (IsMergedNonBaseCell(real, r)) continue;
      String text = GetSavedCellText(real, r);
      if (text.empty() && !ExportEmptyCells) continue;
      if (text.empty() && QuoteEmptyCells) text = "\"\"";
      const String name = nameOf(c - SaveStartCol());
      out += "<" + name + ">" + XmlText(text, charset) + "</" + name + ">\r\n";
    }
    out += "</" + RecordDescr + ">\r\n";
    if (OnFileProgress) {
      const int p = GridCSV::ProgressPercent(r, std::max(1, SaveEndRow() - SaveStartRow()));
      if (p != lastProgress) {
        lastProgress = p;
        OnFileProgress(this, static_cast<int16_t>(p));
      }
    }
  }
  out += "</" + ListDescr + ">\r\n";
  ExportNotification(esExportDone, -1);
  try {
    WriteFileAtomically(FileName, out);
  } catch (const EStreamError&) {
    throw ERivGridError("Cannot Create file " + FileName);
  }
}

void TRivErodovOzar::LoadFromXML(const String& FileName, bool LevelToRow, bool LoadFieldDescr) {
  if (!FileExists(FileName)) throw Exception("XML file not found");
  TXmlNode document;
  try {
    document = ParseXmlDocument(ReadFileBytes(FileName));
  } catch (const EXmlParseError& e) {
    throw Exception("XMLDOM Parsing error " + IntToStr(e.Code) + " on line " + IntToStr(e.Line));
  }
  std::vector<TXmlField> fields;
  TFieldColumns columns;
  int row = LevelToRow ? -1 : 0;
  for (const TXmlNode& record : document.Children) {
    if (record.IsText) continue;
    CollectFields(record, true, LevelToRow, row, columns, fields);
    if (!LevelToRow) ++row;
  }
  const int c0 = SaveFixedCells ? 0 : FixedCols();
  const int r0 = SaveFixedCells && !LoadFieldDescr ? 0 : FixedRows();
  int maxCol = c0;
  int maxRow = r0;
  try {
    for (const TXmlField& f : fields) {
      const int c = c0 + f.Col;
      const int r = r0 + std::max(0, f.Row);
      if (c >= AllColCount()) SetColCount(c + 1 - NumHiddenColumns());
      if (r >= RowCount()) SetRowCount(r + 1);
      if (SaveFixedCells && LoadFieldDescr && r0 > 0 && GetRawCellText(c, 0).empty()) SetLoadedCellText(c, 0, f.Name);
      String value = f.Value;
      if (QuoteEmptyCells && value == "\"\"") value.clear();
      SetLoadedCellText(c, r, value);
      maxCol = std::max(maxCol, c);
      maxRow = std::max(maxRow, r);
    }
  } catch (...) {
    RecalcFooters();
    throw;
  }
  SetColCount(maxCol + 1 - NumHiddenColumns());
  SetRowCount(maxRow + 1);
  RecalcFooters();
}
