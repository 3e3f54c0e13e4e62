// TRichEdit: an edit that holds formatted text (runs of font, size, colour and style, in
// paragraphs), loads and saves it as RTF through its Lines, renders it onto any canvas and
// reports the size its text needs.
#pragma once

#include <memory>

#include "classlib/Controls.h"
#include "classlib/RichText.h"
#include "classlib/StringList.h"

class TRichEdit;
class TStream;

// The paragraphs of a rich edit as plain lines. Writing lines gives them the edit's default
// look.
class TRichEditStrings : public TStrings {
 public:
  explicit TRichEditStrings(TRichEdit* Edit) : FEdit(Edit) {}
  String Get(Integer Index) const override;
  Integer GetCount() const override;
  void Put(Integer Index, const String& S) override;
  void Insert(Integer Index, const String& S) override;
  void Delete(Integer Index) override;
  void Clear() override;
  // From the stream's current position to its end: RTF when the bytes are RTF and the edit is
  // not in plain-text mode, else plain text.
  void LoadFromStream(TStream& Stream);
  // RTF, or plain text lines in plain-text mode.
  void SaveToStream(TStream& Stream) const;

 private:
  std::vector<String> Paragraphs() const;
  void SetParagraphs(const std::vector<String>& Lines);
  TRichEdit* FEdit;
};

// The look of the selected text; writing changes every run of the selection.
class TTextAttributes {
 public:
  explicit TTextAttributes(TRichEdit* Edit) : FEdit(Edit) {}
  TColor Color() const;
  void SetColor(TColor Value);
  String Name() const;
  void SetName(const String& Value);
  int Size() const;
  void SetSize(int Value);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Value);
  // Twips above (positive) or below the base line.
  int Offset() const;
  void SetOffset(int Value);

 private:
  const TRichRun& First() const;
  template <typename F>
  void Apply(F Change);
  TRichEdit* FEdit;
};

class TRichEdit : public TCustomControl {
 public:
  explicit TRichEdit(TComponent* AOwner);
  ~TRichEdit() override;

  TRichEditStrings* Lines() const { return FLines.get(); }
  bool PlainText = false;
  bool WordWrap() const { return FWordWrap; }
  // Changing word wrap makes the edit report the size its text needs.
  void SetWordWrap(bool Value);
  int SelStart() const { return FSelStart; }
  void SetSelStart(int Value);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int Value);
  TTextAttributes* SelAttributes() { return &FSelAttributes; }
  // The look of text written without formatting.
  const TRichRun& DefaultLook() const { return FDefault; }
  void SetDefaultLook(const TRichRun& Look) { FDefault = Look; }

  const TRichDocument& Document() const { return FDoc; }
  void SetDocument(TRichDocument Doc);
  // The text with paragraphs joined by CR LF.
  String Text() const { return RichPlainText(FDoc, "\r\n"); }
  int TextLength() const;

  // Draws the text into R of the canvas, wrapped to R's width with WordWrap, clipped to R.
  void Render(TCanvas* ACanvas, const TRect& R);
  // The size the text needs (last reported by a word-wrap change or MeasureRequiredSize).
  int ReqWidth() const { return FReqWidth; }
  int ReqHeight() const { return FReqHeight; }
  void MeasureRequiredSize();
  TNotifyEvent OnResizeRequest;

 protected:
  void Paint() override;

 private:
  friend class TTextAttributes;
  // Splits runs so that the character range [From, To) starts and ends at run borders.
  void SplitAt(int Position);
  TRichDocument FDoc;
  TRichRun FDefault;
  std::unique_ptr<TRichEditStrings> FLines;
  TTextAttributes FSelAttributes{this};
  bool FWordWrap = true;
  int FSelStart = 0;
  int FSelLength = 0;
  int FReqWidth = 0;
  int FReqHeight = 0;
};
