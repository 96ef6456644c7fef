// XMLDocument: parses configuration documents with libxml2 into KvXMLElement
// trees. Parsing never touches the network, loads no DTD and substitutes no
// entities; a document with a DOCTYPE is refused, so entity expansion cannot
// be abused. Errors throw KvException naming the source and line.
#ifndef TARNEL_FRAMEWORK_XMLDOCUMENT_H_
#define TARNEL_FRAMEWORK_XMLDOCUMENT_H_

#include <memory>

#include "framework/KvXMLElement.h"

class XMLDocument {
 public:
  // Root element of the document in the file at `path`. Throws KvException
  // "<path>: cannot read file" or "<path>:<line>: <parser message>".
  static std::unique_ptr<KvXMLElement> parseFile(const RWEString& path);
  // Root element of `text`; `source` names it in error messages.
  static std::unique_ptr<KvXMLElement> parseText(const RWEString& text, const RWEString& source);
};

#endif  // TARNEL_FRAMEWORK_XMLDOCUMENT_H_
