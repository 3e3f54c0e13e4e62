#include "classlib/Clipbrd.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Named formats travel as MIME types of their own.
QString MimeOf(const String& FormatName) {
  return QStringLiteral("application/x-zorvan-") +
         QString::fromUtf8(FormatName.data(), static_cast<qsizetype>(FormatName.size()));
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
    for (const auto& [name, bytes] : Content.Formats)
      data->setData(MimeOf(name), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
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
