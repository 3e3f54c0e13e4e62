// The HTML export: the cells as a table whose looks become style classes, merged cells
// spans, cell pictures JPEG files beside the page and web and mail addresses links.
#include <functional>
#include <map>

#include "classlib/Bitmap.h"
#include "classlib/Clipbrd.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/ImgList.h"
#include "classlib/Jpeg.h"
#include "classlib/Picture.h"
#include "classlib/ShellApi.h"
#include "grid/base/HTMLTextOperations.h"
#include "grid/base/ZudAzud.h"
#include "grid/model/RivErodovOzar.h"

namespace {

String HexColor(TColor C) { return "#" + ColorToHexRGB(ColorToRGB(C)); }

// An attribute value in double quotes, with what would end it escaped.
String QuotedAttribute(const String& S) {
  String out = "\"";
  for (char ch : S) {
    switch (ch) {
      case '"': out += "&quot;"; break;
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += ch;
    }
  }
  return out + "\"";
}

bool IsLinkText(const String& S) {
  return (S.find("://") != String::npos && S.find("</") == String::npos) || S.find("mailto:") != String::npos;
}

// A link to the address the text holds; the label is the text, or the part after the protocol,
// coded as any cell text.
String LinkText(const String& S, bool Full, const std::function<String(const String&)>& Code) {
  String label = S;
  if (!Full) {
    const size_t web = S.find("://");
    label = S.substr(web != String::npos ? web + 3 : S.find("mailto:") + 7);
  }
  if (label.size() > 255) label.resize(255);
  return "<a href=" + QuotedAttribute(S) + ">" + Code(label) + "</a>";
}

}  // namespace

// The pictures of one export: written as JPEG files images/img<n>.jpg under the folder.
class THTMLPictureWriter {
 public:
  explicit THTMLPictureWriter(const String& Dir) : FDir(Dir) {}

  String ImgTag(TGraphic* Picture) {
    if (Picture == nullptr || Picture->Empty()) return String();
    const String folder = FDir + "images";
    if (!DirectoryExists(folder) && !ForceDirectories(folder)) throw Exception("Cannot create " + folder);
    const String path = folder + "/img" + IntToStr(++FNumber) + ".jpg";
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(Picture)) {
      jpeg->SaveToFile(path);
    } else {
      TBitmap bmp(Picture->Width(), Picture->Height());
      if (auto* src = dynamic_cast<TBitmap*>(Picture)) bmp.Assign(src);
      else Picture->Draw(bmp.Canvas(), Rect(0, 0, Picture->Width(), Picture->Height()));
      TJPEGImage out;
      out.Assign(&bmp);
      out.SaveToFile(path);
    }
    return "<img src= \"file://" + path + "\">";
  }

 private:
  String FDir;
  int FNumber = 0;
};

// The cell's pictures beside its text: a bitmap or picture after it, an image-list image before
// it, the images of a multi-image cell before it, a data image instead of it.
String TRivErodovOzar::CellContentWithPictures(int ACol, int ARow, const String& Text, const String& Raw,
                                               THTMLPictureWriter& Pictures) {
  const TCellGraphic* g = GetCellGraphic(ACol, ARow);
  if (g == nullptr) return Text;
  TCustomImageList* images = GetGridImages();
  auto imageTag = [&](int Index) {
    if (images == nullptr || Index < 0 || Index >= images->Count()) return String();
    TBitmap bmp;
    images->GetBitmap(Index, &bmp);
    return Pictures.ImgTag(&bmp);
  };
  switch (g->CellType) {
    case ctBitmap:
      return Text + Pictures.ImgTag(dynamic_cast<TGraphic*>(g->CellBitmap));
    case ctPicture: {
      auto* pic = dynamic_cast<TPicture*>(g->CellBitmap);
      return Text + Pictures.ImgTag(pic != nullptr ? pic->Graphic() : nullptr);
    }
    case ctImageList:
      return imageTag(g->CellIndex) + Text;
    case ctDataImage: {
      int index = -1;
      return TryStrToInt(Trim(Raw), index) ? imageTag(index) : String();
    }
    case ctImages: {
      String tags;
      if (const auto* list = dynamic_cast<TIntList*>(g->CellBitmap))
        for (int i = 0; i < list->Count(); ++i) tags += imageTag(list->Items(i));
      return tags + Text;
    }
    case ctNode:
      return "+" + Text;
    default:
      return Text;
  }
}

void TRivErodovOzar::SetHTMLSettings(THTMLSettings* Value) { FHTMLSettings->Assign(Value); }

String TRivErodovOzar::SaveToHTMLString(const String& dir) {
  const THTMLSettings& s = *FHTMLSettings;
  const int c0 = SaveFixedCells ? 0 : FixedCols();
  const int r0 = SaveFixedCells ? 0 : FixedRows();
  String head;
  if (s.XHTML) {
    head += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
    head += "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Strict//EN\"\r\n";
    head += "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-strict.dtd\">\r\n";
    head += "<html xmlns=\"http://www.w3.org/1999/xhtml\" xml:lang=\"en\" lang=\"en\">\r\n";
  }
  head += s.PrefixTag;
  std::vector<String> lines;
  String table = "<TABLE BORDER=\"" + IntToStr(s.BorderSize) + "\" CELLSPACING=\"" + IntToStr(s.CellSpacing) +
                 "\" CELLPADDING=\"" + IntToStr(s.CellPadding) + "\" ";
  if (!s.Summary.empty()) table += "SUMMARY=" + QuotedAttribute(s.Summary) + " ";
  if (!s.TableStyle.empty()) table += " " + s.TableStyle + " ";
  table += "WIDTH=\"" + IntToStr(s.Width) + "%\">";
  lines.push_back(table);

  std::map<String, int> classes;
  std::vector<String> classOrder;
  THTMLPictureWriter pictures(dir);
  TBrush brush;
  TFont font;
  auto classOf = [&](const String& Style) {
    auto it = classes.find(Style);
    if (it != classes.end()) return it->second;
    const int n = static_cast<int>(classOrder.size());
    classes[Style] = n;
    classOrder.push_back(Style);
    return n;
  };
  auto widthOf = [&](int Index, const char* Attr) {
    TIntList* widths = s.ColWidths();
    if (Index < 0 || Index >= widths->Count()) return String();
    return String(" ") + Attr + "=" + IntToStr(widths->Items(Index));
  };
  const bool headerRow = FixedRows() > 0 && SaveFixedCells;
  auto writeRow = [&](int r, bool header) {
    String row = "<TR>";
    for (int c = c0; c < ColCount(); ++c) {
      const int real = RealColIndex(c);
      if (IsMergedNonBaseCell(real, r)) continue;
      String spans;
      const TPoint span = CellSpan(real, r);
      if (span.X > 0) spans += " COLSPAN=\"" + IntToStr(span.X + 1) + "\"";
      if (span.Y > 0) spans += " ROWSPAN=\"" + IntToStr(span.Y + 1) + "\"";
      auto code = [&](const String& Text) {
        String t = Text;
        if (s.ConvertSpecialChars) t = HTMLEncodeText(t);
        if (s.NonBreakingText) t = HTMLEncodeSpaces(t);
        return CRToHTMLBreak(t);
      };
      const String raw = GetSavedCellText(real, r);
      // The address goes into the link as it is, quoted and escaped, never coded twice.
      String text = URLShow() && IsLinkText(raw) ? LinkText(raw, URLFull(), code) : code(raw);
      if (header ? text.empty() : Trim(text).empty()) text = "&nbsp;";
      // The look as printed.
      font.SetColor(clNone);
      font.SetStyle(TFontStyles());
      if (!IsFixed(c, r)) brush.SetColor(clNone);
      TGridDrawState state;
      TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
      TAlignment ha = taLeftJustify;
      TVAlignment va = vtaTop;
      bool ww = false;
      TCellGradientDirection gd = GradientVertical;
      GetVisualProperties(c, r, state, true, false, true, &brush, colorTo, mirror, mirrorTo, &font, ha, va, ww, gd);
      std::vector<String> style;
      if (s.SaveColor) {
        const TColor back = header ? FixedColor() : brush.Color();
        if (back != clNone) style.push_back("background-color: " + HexColor(back));
        if (font.Color() != clNone) style.push_back("color: " + HexColor(font.Color()));
      }
      if (s.SaveFonts) {
        style.push_back("font-size:" + IntToStr(font.Size()) + "pt");
        if (font.Style().Contains(fsItalic)) style.push_back("font-style: italic");
        if (font.Style().Contains(fsBold)) style.push_back("font-weight: bold");
        style.push_back("font-family: " + font.Name());
      }
      if (ha == taRightJustify) style.push_back("text-align: right");
      else if (ha == taCenter) style.push_back("text-align: center");
      style.push_back(va == vtaTop ? "vertical-align: top" : va == vtaCenter ? "vertical-align: middle" : "vertical-align: bottom");
      String joined;
      for (size_t i = 0; i < style.size(); ++i) joined += (i > 0 ? ";" : "") + style[i];
      String width;
      if (header) width = widthOf(c, "WIDTH");
      else if (!headerRow) width = widthOf(c - c0, "width");
      String content = text;
      if (s.ExportImages && !header) content = CellContentWithPictures(real, r, text, raw, pictures);
      row += "<TD class=\"c" + IntToStr(classOf(joined)) + "\"" + spans + (ww ? "" : " nowrap") + width + ">" + content +
             "</td>";
    }
    row += "</TR>";
    lines.push_back(row);
  };
  int first = r0;
  if (headerRow) {
    writeRow(0, true);
    first = 1;
  }
  ExportNotification(esExportStart, first);
  for (int r = first; r < RowCount(); ++r) {
    ExportNotification(esExportNextRow, r);
    writeRow(r, false);
  }
  ExportNotification(esExportDone, -1);
  lines.push_back("</TABLE>");
  lines.push_back(s.SuffixTag);
  if (s.XHTML) lines.push_back("</HTML>");

  // The text is UTF-8: said so, or a reader guesses another code page.
  if (!s.XHTML) head += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\r\n";
  String out = head + "<style>\r\n";
  for (size_t i = 0; i < classOrder.size(); ++i) out += ".c" + IntToStr(static_cast<int>(i)) + " {" + classOrder[i] + "}\r\n";
  out += "</style>\r\n";
  for (size_t i = 0; i < lines.size(); ++i) out += (i > 0 ? "\r\n" : "") + lines[i];
  return out;
}

namespace {

// The lines of a header or footer file; nothing when it cannot be read.
String FileLines(const String& FileName) {
  if (FileName.empty() || !FileExists(FileName)) return String();
  try {
    String out;
    for (const String& line : GridCSV::SplitTextLines(ReadFileBytes(FileName))) out += line + "\r\n";
    return out;
  } catch (const Exception&) {
    return String();
  }
}

}  // namespace

void TRivErodovOzar::SaveToHTML(const String& FileName, bool Show) {
  String out = FileLines(FHTMLSettings->HeaderFile);
  out += SaveToHTMLString(ExtractFilePath(FileName)) + "\r\n";
  out += FileLines(FHTMLSettings->FooterFile);
  try {
    WriteFileAtomically(FileName, out);
  } catch (const EStreamError&) {
    throw ERivGridError("Cannot Create file " + FileName);
  }
  if (Show || FHTMLSettings->AutoPreview) ShellExecute(nullptr, "open", FileName, "", "", SW_SHOWNORMAL);
}

void TRivErodovOzar::AppendToHTML(const String& FileName) {
  String out;
  if (FileExists(FileName)) out = ReadFileBytes(FileName);
  out += FileLines(FHTMLSettings->HeaderFile);
  out += SaveToHTMLString(ExtractFilePath(FileName)) + "\r\n";
  out += FileLines(FHTMLSettings->FooterFile);
  try {
    WriteFileAtomically(FileName, out);
  } catch (const EStreamError&) {
    throw ERivGridError("Cannot Create file " + FileName);
  }
  if (FHTMLSettings->AutoPreview) ShellExecute(nullptr, "open", FileName, "", "", SW_SHOWNORMAL);
}

void TRivErodovOzar::CopyToClipBoardAsHTML() {
  String html = SaveToHTMLString("");
  const String plain = html;
  BuildClipboardHTML(html);
  TClipboard* clipboard = Clipboard();
  clipboard->Open();
  clipboard->SetAsFormat("HTML Format", html);
  clipboard->SetAsText(plain);
  clipboard->Close();
}
