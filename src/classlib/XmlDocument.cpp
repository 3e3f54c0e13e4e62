#include "classlib/XmlDocument.h"

#include <QXmlStreamReader>

namespace {

String ToUtf8(QStringView S) { return S.toString().toStdString(); }

void AppendText(const TXmlNode& Node, String& Out) {
  if (Node.IsText) Out += Node.Text;
  for (const TXmlNode& child : Node.Children) AppendText(child, Out);
}

}  // namespace

String TXmlNode::AllText() const {
  String out;
  AppendText(*this, out);
  return out;
}

TXmlNode ParseXmlDocument(const String& Bytes, int MaxDepth) {
  QXmlStreamReader reader(QByteArray(Bytes.data(), static_cast<qsizetype>(Bytes.size())));
  std::vector<TXmlNode> open;
  TXmlNode root;
  bool haveRoot = false;
  auto fail = [&](int Code, const String& What) -> void {
    throw EXmlParseError(What, Code, static_cast<int>(reader.lineNumber()));
  };
  while (!reader.atEnd()) {
    switch (reader.readNext()) {
      case QXmlStreamReader::StartElement: {
        if (static_cast<int>(open.size()) >= MaxDepth) fail(100, "Elements nested too deeply");
        TXmlNode node;
        node.Name = ToUtf8(reader.qualifiedName());
        for (const QXmlStreamAttribute& a : reader.attributes())
          node.Attributes.emplace_back(ToUtf8(a.qualifiedName()), ToUtf8(a.value()));
        open.push_back(std::move(node));
        break;
      }
      case QXmlStreamReader::EndElement: {
        TXmlNode done = std::move(open.back());
        open.pop_back();
        if (open.empty()) {
          root = std::move(done);
          haveRoot = true;
        } else {
          open.back().Children.push_back(std::move(done));
        }
        break;
      }
      case QXmlStreamReader::Characters:
        if (!open.empty() && !reader.isWhitespace()) {
          TXmlNode text;
          text.IsText = true;
          text.Text = ToUtf8(reader.text());
          // The parser may hand one text in pieces (around entities and CDATA).
          if (!open.back().Children.empty() && open.back().Children.back().IsText)
            open.back().Children.back().Text += text.Text;
          else
            open.back().Children.push_back(std::move(text));
        }
        break;
      default:
        break;
    }
  }
  if (reader.hasError()) fail(static_cast<int>(reader.error()), reader.errorString().toStdString());
  if (!haveRoot) fail(static_cast<int>(QXmlStreamReader::PrematureEndOfDocumentError), "No document element");
  return root;
}
