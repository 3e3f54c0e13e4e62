#include "classlib/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Named formats travel as MIME types of their own; the two that other programs know go under
// the types those programs read.
QString MimeOf(const String& FormatName) {
  if (FormatName == "HTML Format") return QStringLiteral("text/html");
  if (FormatName == "Rich Text Format") return QStringLiteral("text/rtf");
  return QStringLiteral("application/x-zorvan-") +
         QString::fromUtf8(FormatName.data(), static_cast<qsizetype>(FormatName.size()));
}

// The clipboard HTML format's header ("Version:", "StartHTML:<offset>", ...) is for one
// platform only: other programs get the document from StartHTML on.
String WithoutHTMLHeader(const String& Bytes) {
  if (Bytes.compare(0, 8, "Version:") != 0) return Bytes;
  const size_t at = Bytes.find("StartHTML:");
  if (at == String::npos) return Bytes;
  size_t offset = 0;
  for (size_t i = at + 10; i < Bytes.size() && Bytes[i] >= '0' && Bytes[i] <= '9' && offset <= Bytes.size(); ++i)
    offset = offset * 10 + static_cast<size_t>(Bytes[i] - '0');
  return offset < Bytes.size() ? Bytes.substr(offset) : Bytes;
}

QClipboard* System() {
  return qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr ? QGuiApplication::clipboard()
                                                                                 : nullptr;
}

// The clipboard of a process without a running application.
struct TLocalClipboard {
  bool HasText = false;
  String Text;
  std::map<String, String> Formats;
};
TLocalClipboard& Local() {
  static TLocalClipboard local;
  return local;
}

}  // namespace

void TClipboard::Open() {
  if (FOpenCount++ == 0) FPending = TContent();
}

void TClipboard::Close() {
  if (FOpenCount == 0) return;
  if (--FOpenCount == 0) Offer(FPending);
}

void TClipboard::Offer(const TContent& Content) {
  if (QClipboard* clipboard = System()) {
    auto* data = new QMimeData;
    if (Content.HasText) data->setText(QString::fromUtf8(Content.Text.data(), static_cast<qsizetype>(Content.Text.size())));
    for (const auto& [name, raw] : Content.Formats) {
      const String bytes = name == "HTML Format" ? WithoutHTMLHeader(raw) : raw;
      data->setData(MimeOf(name), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    clipboard->setMimeData(data);
    return;
  }
  Local() = TLocalClipboard{Content.HasText, Content.Text, Content.Formats};
}

String TClipboard::AsText() const {
  if (QClipboard* clipboard = System()) return clipboard->text().toStdString();
  return Local().Text;
}

void TClipboard::SetAsText(const String& Value) {
  Open();
  FPending.HasText = true;
  FPending.Text = Value;
  Close();
}

bool TClipboard::HasFormat(Word Format) const {
  if (Format != CF_TEXT && Format != CF_UNICODETEXT) return false;
  if (QClipboard* clipboard = System()) return clipboard->mimeData() != nullptr && clipboard->mimeData()->hasText();
  return Local().HasText;
}

bool TClipboard::HasFormatName(const String& FormatName) const {
  if (QClipboard* clipboard = System())
    return clipboard->mimeData() != nullptr && clipboard->mimeData()->hasFormat(MimeOf(FormatName));
  return Local().Formats.count(FormatName) > 0;
}

String TClipboard::AsFormat(const String& FormatName) const {
  if (QClipboard* clipboard = System()) {
    if (clipboard->mimeData() == nullptr) return String();
    QByteArray bytes = clipboard->mimeData()->data(MimeOf(FormatName));
    return String(bytes.constData(), static_cast<size_t>(bytes.size()));
  }
  auto it = Local().Formats.find(FormatName);
  return it == Local().Formats.end() ? String() : it->second;
}

void TClipboard::SetAsFormat(const String& FormatName, const String& Bytes) {
  Open();
  FPending.Formats[FormatName] = Bytes;
  Close();
}

void TClipboard::Clear() {
  if (FOpenCount > 0) {
    FPending = TContent();
    return;
  }
  if (QClipboard* clipboard = System()) {
    clipboard->clear();
    return;
  }
  Local() = TLocalClipboard();
}

TClipboard* Clipboard() {
  static TClipboard clipboard;
  return &clipboard;
}
