// TCanvas text: fonts on the device, TextOut, TextRect, measuring and DrawText.
#include <QFontMetrics>
#include <QStringDecoder>
#include <algorithm>

#include "classlib/Canvas.h"
#include "classlib/GraphicsQt.h"
#include "classlib/SysUtils.h"

// ---- Text and font bridges ----------------------------------------------------------------

namespace {

// Text drawn and measured by the canvas: without tab expansion a tab is a blank, not a jump
// to Qt's own tab stops.
QString CanvasString(const String& text) {
  QString s = ToQString(text);
  s.replace(u'\t', u' ');
  return s;
}

}  // namespace

QString ToQString(const String& text) {
  QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString result = decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
  if (!decoder.hasError()) return result;
  result.clear();
  result.reserve(static_cast<qsizetype>(text.size()));
  for (unsigned char c : text) result.append(QChar(Cp1252Char(c)));
  return result;
}

String FromQString(const QString& text) {
  QByteArray bytes = text.toUtf8();
  return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

QFont ToQFont(const TFont& font, int devicePixelHeight) {
  QFont f(QString::fromStdString(TFont::SubstituteFamily(font.Name())));
  f.setStyleStrategy(QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferMatch));
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setKerning(false);
  TFontStyles style = font.Style();
  f.setBold(style.Contains(fsBold));
  f.setItalic(style.Contains(fsItalic));
  f.setUnderline(style.Contains(fsUnderline));
  f.setStrikeOut(style.Contains(fsStrikeOut));
  if (font.Pitch() == fpFixed) f.setFixedPitch(true);
  int px = devicePixelHeight;
  if (px == 0) px = -GdiMulDiv(8, DefaultPixelsPerInch, 72);  // the default height
  if (px < 0) {
    f.setPixelSize(std::max(1, -px));
  } else {
    // A positive height is the cell (ascent + descent); scale the em size to match.
    QFont probe = f;
    probe.setPixelSize(100);
    int cell = QFontMetrics(probe).height();
    f.setPixelSize(std::max(1, cell > 0 ? GdiMulDiv(px, 100, cell) : px));
  }
  return f;
}

QFont TCanvas::Private::DeviceFont() const {
  int h = font->Height();
  int dev = h < 0 ? -DevLength(-h) : DevLength(h);
  return ToQFont(*font, dev);
}

// ---- Simple text --------------------------------------------------------------------------

void TCanvas::TextOut(int x, int y, const String& text) {
  if (FRecording) Record("TextOut", {TPoint{x, y}}, text);
  if (!d->Ensure()) return;
  QFont f = d->DeviceFont();
  QFontMetrics fm(f);
  QString s = CanvasString(text);
  QPoint p = d->P(x, y);
  int w = fm.horizontalAdvance(s), h = fm.height();
  QPainter* painter = d->painter;
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  bool rotated = d->font->Orientation() % 3600 != 0;
  if (rotated) {
    painter->save();
    painter->translate(p);
    painter->rotate(-d->font->Orientation() / 10.0);
    p = QPoint(0, 0);
  }
  if (d->EffectiveBkMode() == OPAQUE && w > 0) painter->fillRect(QRect(p.x(), p.y(), w, h), ToQColor(d->EffectiveBkColor()));
  painter->setFont(f);
  painter->setPen(ToQColor(d->EffectiveTextColor()));
  painter->drawText(QPoint(p.x(), p.y() + fm.ascent()), s);
  if (rotated) painter->restore();
  d->penPos = TPoint{x + d->LogLength(w), y};
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
  if (FRecording) Record("TextRect", {TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}, TPoint{x, y}}, text);
  if (!d->Ensure()) return;
  QRect box = d->R(r).normalized();
  QFont f = d->DeviceFont();
  QFontMetrics fm(f);
  QPainter* painter = d->painter;
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (d->EffectiveBkMode() == OPAQUE && !box.isEmpty()) painter->fillRect(box, ToQColor(d->EffectiveBkColor()));
  painter->save();
  painter->setClipRect(box, Qt::IntersectClip);
  painter->setFont(f);
  painter->setPen(ToQColor(d->EffectiveTextColor()));
  QPoint p = d->P(x, y);
  painter->drawText(QPoint(p.x(), p.y() + fm.ascent()), CanvasString(text));
  painter->restore();
}

TSize TCanvas::TextExtent(const String& text) {
  QFontMetrics fm(d->DeviceFont());
  return TSize{d->LogLength(fm.horizontalAdvance(CanvasString(text))), d->LogLength(fm.height())};
}

int TCanvas::TextWidth(const String& text) { return TextExtent(text).cx; }
int TCanvas::TextHeight(const String& text) { return TextExtent(text).cy; }

TTextMetric TCanvas::GetTextMetrics() {
  QFont f = d->DeviceFont();
  QFontMetrics fm(f);
  TTextMetric m;
  m.tmHeight = d->LogLength(fm.height());
  m.tmAscent = d->LogLength(fm.ascent());
  m.tmDescent = d->LogLength(fm.descent());
  m.tmInternalLeading = d->LogLength(std::max(0, fm.height() - f.pixelSize()));
  m.tmExternalLeading = d->LogLength(std::max(0, fm.leading()));
  m.tmAveCharWidth = d->LogLength(fm.averageCharWidth());
  m.tmMaxCharWidth = d->LogLength(fm.maxWidth());
  return m;
}

// ---- DrawText -----------------------------------------------------------------------------

namespace {

// One line of formatted text: its characters and which of them carry an access-key underline.
struct TextLine {
  QString text;
  std::vector<bool> underline;

  TextLine Mid(qsizetype from, qsizetype count = -1) const {
    TextLine r;
    r.text = text.mid(from, count);
    auto begin = underline.begin() + from;
    r.underline.assign(begin, begin + r.text.size());
    return r;
  }
  void Append(const QString& s) {
    text += s;
    underline.resize(static_cast<size_t>(text.size()), false);
  }
};

class TextLayout {
 public:
  TextLayout(const QFontMetrics& fm, uint32_t format) : FFm(fm), FFormat(format) {
    FTabWidth = std::max(1, 8 * fm.averageCharWidth());
  }

  // Advance of a run of text, tabs going to the next stop when tabs are expanded.
  int Width(const QString& s) const {
    if (!(FFormat & DT_EXPANDTABS) || !s.contains(u'\t')) return FFm.horizontalAdvance(s);
    int x = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= s.size(); ++i) {
      if (i == s.size() || s[i] == u'\t') {
        x += FFm.horizontalAdvance(s.mid(start, i - start));
        if (i < s.size()) x = (x / FTabWidth + 1) * FTabWidth;
        start = i + 1;
      }
    }
    return x;
  }

  // Splits the text into lines: access keys resolved, hard breaks, word wrap, ellipses.
  std::vector<TextLine> Lines(const QString& source, int width) const {
    TextLine all = ResolvePrefixes(source);
    if (!(FFormat & DT_EXPANDTABS)) all.text.replace(u'\t', u' ');
    std::vector<TextLine> hard;
    if (FFormat & DT_SINGLELINE) {
      TextLine line;
      for (qsizetype i = 0; i < all.text.size(); ++i) {
        if (all.text[i] == u'\r' || all.text[i] == u'\n') continue;
        line.text += all.text[i];
        line.underline.push_back(all.underline[static_cast<size_t>(i)]);
      }
      hard.push_back(std::move(line));
    } else {
      qsizetype start = 0;
      for (qsizetype i = 0; i <= all.text.size(); ++i) {
        if (i < all.text.size() && all.text[i] != u'\r' && all.text[i] != u'\n') continue;
        hard.push_back(all.Mid(start, i - start));
        if (i < all.text.size() && all.text[i] == u'\r' && i + 1 < all.text.size() && all.text[i + 1] == u'\n') ++i;
        start = i + 1;
      }
    }
    std::vector<TextLine> lines;
    for (TextLine& line : hard) {
      if ((FFormat & DT_WORDBREAK) && !(FFormat & DT_SINGLELINE))
        Wrap(line, width, lines);
      else
        lines.push_back(std::move(line));
    }
    if (FFormat & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS | DT_WORD_ELLIPSIS))
      for (TextLine& line : lines) Elide(line, width);
    return lines;
  }

 private:
  TextLine ResolvePrefixes(const QString& s) const {
    TextLine r;
    if (FFormat & DT_NOPREFIX) {
      r.text = s;
      r.underline.assign(static_cast<size_t>(s.size()), false);
      return r;
    }
    bool next = false;
    for (qsizetype i = 0; i < s.size(); ++i) {
      if (s[i] == u'&') {
        if (i + 1 < s.size() && s[i + 1] == u'&') {
          r.text += u'&';
          r.underline.push_back(false);
          ++i;
        } else {
          next = true;  // a trailing '&' shows nothing
        }
        continue;
      }
      r.text += s[i];
      r.underline.push_back(next && !(FFormat & DT_HIDEPREFIX));
      next = false;
    }
    return r;
  }

  static qsizetype TrimmedEnd(const QString& s, qsizetype from, qsizetype to) {
    while (to > from && s[to - 1] == u' ') --to;
    return to;
  }

  // Greedy word wrap: lines break after runs of spaces; a word wider than the line stays
  // whole unless DT_EDITCONTROL, which breaks it between characters.
  void Wrap(const TextLine& line, int width, std::vector<TextLine>& out) const {
    const QString& s = line.text;
    const qsizetype n = s.size();
    if (n == 0) {
      out.push_back(line);
      return;
    }
    qsizetype lineStart = 0;
    while (lineStart < n) {
      qsizetype lastBreak = -1;  // start of the next line if we break at the last space run
      qsizetype i = lineStart;
      bool emitted = false;
      while (i < n) {
        qsizetype wordEnd = i;
        while (wordEnd < n && s[wordEnd] != u' ') ++wordEnd;
        qsizetype next = wordEnd;
        while (next < n && s[next] == u' ') ++next;
        int w = Width(s.mid(lineStart, wordEnd - lineStart));
        if (w > width) {
          if (lastBreak > lineStart) {
            out.push_back(line.Mid(lineStart, TrimmedEnd(s, lineStart, lastBreak) - lineStart));
            lineStart = lastBreak;
          } else if (FFormat & DT_EDITCONTROL) {
            qsizetype fit = lineStart + 1;
            while (fit < wordEnd && Width(s.mid(lineStart, fit + 1 - lineStart)) <= width) ++fit;
            out.push_back(line.Mid(lineStart, fit - lineStart));
            lineStart = fit;
          } else {
            out.push_back(line.Mid(lineStart, wordEnd - lineStart));
            lineStart = next;
          }
          emitted = true;
          break;
        }
        lastBreak = next;
        i = next;
      }
      if (!emitted) {
        out.push_back(line.Mid(lineStart, TrimmedEnd(s, lineStart, n) - lineStart));
        break;
      }
    }
  }

  void Elide(TextLine& line, int width) const {
    static const QString kDots = QStringLiteral("...");
    if (Width(line.text) <= width) return;
    if (FFormat & DT_PATH_ELLIPSIS) {
      qsizetype sep = std::max(line.text.lastIndexOf(u'\\'), line.text.lastIndexOf(u'/'));
      if (sep > 0) {
        TextLine tail = line.Mid(sep);
        qsizetype keep = sep;
        while (keep > 0 && Width(line.text.left(keep) + kDots + tail.text) > width) --keep;
        TextLine r = line.Mid(0, keep);
        r.Append(kDots);
        r.text += tail.text;
        r.underline.insert(r.underline.end(), tail.underline.begin(), tail.underline.end());
        line = std::move(r);
        if (Width(line.text) <= width) return;
      }
    }
    qsizetype keep = line.text.size();
    while (keep > 0 && Width(line.text.left(keep) + kDots) > width) --keep;
    if (FFormat & DT_WORD_ELLIPSIS) {
      qsizetype word = keep;
      while (word > 0 && line.text[word - 1] != u' ' && word < line.text.size() && line.text[word] != u' ') --word;
      if (word > 0) keep = word;
    }
    TextLine r = line.Mid(0, keep);
    r.Append(kDots);
    line = std::move(r);
  }

  const QFontMetrics& FFm;
  uint32_t FFormat;
  int FTabWidth;
};

}  // namespace

int TCanvas::DrawText(const String& text, TRect& r, uint32_t format) {
  if (FRecording && !(format & DT_CALCRECT)) Record("DrawText", {TPoint{r.Left, r.Top}, TPoint{r.Right, r.Bottom}}, text);
  const bool calc = format & DT_CALCRECT;
  bool device = d->Ensure();
  if (!device && !calc) return 0;
  QFont f = d->DeviceFont();
  QFontMetrics fm(f);
  TextLayout layout(fm, format);
  QRect box = d->Mapped() ? d->R(r) : QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
  QString source = ToQString(text);
  if (source.isEmpty()) {
    if (calc) {
      r.Right = r.Left;
      r.Bottom = r.Top;
    }
    return 0;
  }
  std::vector<TextLine> lines = layout.Lines(source, box.width());
  const int lineHeight = fm.height() + ((format & DT_EXTERNALLEADING) ? std::max(0, fm.leading()) : 0);
  const int total = lineHeight * static_cast<int>(lines.size());
  int widest = 0;
  for (const TextLine& line : lines) widest = std::max(widest, layout.Width(line.text));

  if (calc) {
    r.Right = r.Left + d->LogLength(widest);
    r.Bottom = d->Mapped() ? r.Top - d->LogLength(total) : r.Top + total;
    return d->LogLength(total);
  }

  int y = box.top();
  const bool single = format & DT_SINGLELINE;
  if (single && (format & DT_VCENTER)) y = box.top() + (box.height() - lineHeight) / 2;
  else if (single && (format & DT_BOTTOM)) y = box.top() + box.height() - lineHeight;

  QPainter* painter = d->painter;
  painter->save();
  painter->setCompositionMode(QPainter::CompositionMode_SourceOver);
  if (!(format & DT_NOCLIP)) painter->setClipRect(box, Qt::IntersectClip);
  painter->setFont(f);
  const QColor textColor = ToQColor(d->EffectiveTextColor());
  const bool opaque = d->EffectiveBkMode() == OPAQUE;
  const QColor bk = ToQColor(d->EffectiveBkColor());
  const int tabWidth = std::max(1, 8 * fm.averageCharWidth());
  int lineTop = y;
  for (const TextLine& line : lines) {
    int w = layout.Width(line.text);
    int x = box.left();
    if (format & DT_CENTER) x = box.left() + (box.width() - w) / 2;
    else if (format & DT_RIGHT) x = box.left() + box.width() - w;
    if (opaque && w > 0) painter->fillRect(QRect(x, lineTop, w, fm.height()), bk);
    painter->setPen(textColor);
    const int baseline = lineTop + fm.ascent();
    if ((format & DT_EXPANDTABS) && line.text.contains(u'\t')) {
      int cx = 0;
      for (const QString& part : line.text.split(u'\t')) {
        painter->drawText(QPoint(x + cx, baseline), part);
        cx += fm.horizontalAdvance(part);
        cx = (cx / tabWidth + 1) * tabWidth;
      }
    } else {
      painter->drawText(QPoint(x, baseline), line.text);
    }
    for (size_t i = 0; i < line.underline.size(); ++i) {
      if (!line.underline[i]) continue;
      int x0 = x + layout.Width(line.text.left(static_cast<qsizetype>(i)));
      int cw = fm.horizontalAdvance(line.text.at(static_cast<qsizetype>(i)));
      painter->fillRect(QRect(x0, baseline + std::max(1, fm.underlinePos()), cw, std::max(1, fm.lineWidth())), textColor);
    }
    lineTop += lineHeight;
  }
  painter->restore();
  d->clipApplied = true;  // restore() brought back the canvas's clip
  if (single && (format & (DT_VCENTER | DT_BOTTOM))) return d->LogLength(y - box.top() + lineHeight);
  return d->LogLength(total);
}
