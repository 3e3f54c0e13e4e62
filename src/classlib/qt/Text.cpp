#include "classlib/qt/Text.h"

#include <QApplication>
#include <QFontMetrics>
#include <algorithm>

namespace ViewText {

String StripAccel(const String& Text) {
  String out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '&') {
      if (i + 1 < Text.size() && Text[i + 1] == '&') {
        out += '&';
        ++i;
      }
      continue;
    }
    out += Text[i];
  }
  return out;
}

TPoint Measure(const String& Text, bool Wrap, int Width) {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr) {
    int lines = 1;
    for (char c : Text) lines += c == '\n' ? 1 : 0;
    return TPoint{static_cast<int>(Text.size()) * 6, lines * 13};
  }
  QFontMetrics fm(QApplication::font());
  QString t = QString::fromStdString(Text);
  if (t.isEmpty()) return TPoint{0, fm.height()};
  QRect r = Wrap ? fm.boundingRect(QRect(0, 0, std::max(1, Width), 100000), Qt::TextWordWrap, t)
                 : fm.boundingRect(QRect(0, 0, 100000, 100000), 0, t);
  return TPoint{r.width(), r.height()};
}

}  // namespace ViewText
