// An XML document read whole into a tree of elements, over Qt's stream reader. Text that is
// only white space between elements, comments and processing instructions are left out.
#pragma once

#include <vector>

#include "classlib/Exceptions.h"
#include "classlib/Types.h"

struct TXmlNode {
  String Name;
  std::vector<std::pair<String, String>> Attributes;
  // Child elements and text nodes, in document order.
  std::vector<TXmlNode> Children;
  bool IsText = false;
  // The text of a text node.
  String Text;
  // All the text beneath the node, as the parser gives it (entities already resolved).
  String AllText() const;
};

// A document that is not well-formed: the parser's error code and the line it stopped on.
class EXmlParseError : public Exception {
 public:
  EXmlParseError(String Message, int ACode, int ALine) : Exception(std::move(Message)), Code(ACode), Line(ALine) {}
  int Code;
  int Line;
};

// The document element of the document in Bytes (the encoding from its declaration).
// Raises EXmlParseError; elements nested deeper than MaxDepth are refused as well.
TXmlNode ParseXmlDocument(const String& Bytes, int MaxDepth = 256);
