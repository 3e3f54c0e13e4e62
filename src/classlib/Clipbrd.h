// The clipboard: plain text and named formats (bytes under a registered name such as
// "HTML Format"). Setting a format outside an Open/Close bracket replaces everything the
// clipboard held; inside one, the formats set are offered together when the bracket closes.
// Over the window system's clipboard while the application runs; without one (a program
// that has not started its application) the clipboard lives in the process.
#pragma once

#include <map>

#include "classlib/Persistent.h"

constexpr Word CF_TEXT = 1;
constexpr Word CF_UNICODETEXT = 13;

class TClipboard : public TPersistent {
 public:
  void Open();
  void Close();
  String AsText() const;
  void SetAsText(const String& Value);
  // CF_TEXT and CF_UNICODETEXT: whether the clipboard holds text.
  bool HasFormat(Word Format) const;
  bool HasFormatName(const String& FormatName) const;
  // Bytes under a named format, "" when absent.
  String AsFormat(const String& FormatName) const;
  void SetAsFormat(const String& FormatName, const String& Bytes);
  void Clear();

 private:
  // What is being put on the clipboard: text (when HasText) and named formats.
  struct TContent {
    bool HasText = false;
    String Text;
    std::map<String, String> Formats;
  };
  void Offer(const TContent& Content);
  int FOpenCount = 0;
  TContent FPending;
};

// The one clipboard of the program.
TClipboard* Clipboard();
