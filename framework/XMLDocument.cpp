#include "framework/XMLDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "framework/KvException.h"

namespace {

// Keeps libxml2 from printing errors; they are read from the parser context.
void quietErrors(void*, xmlErrorPtr) {}

const int kParseOptions = XML_PARSE_NONET | XML_PARSE_NOCDATA | XML_PARSE_NOWARNING |
                          XML_PARSE_NOERROR;

RWEString text(const xmlChar* s) { return RWEString(reinterpret_cast<const char*>(s)); }

std::unique_ptr<KvXMLElement> convert(xmlNodePtr node) {
  auto element = std::make_unique<KvXMLElement>(text(node->name), static_cast<int>(node->line));
  for (xmlAttrPtr a = node->properties; a; a = a->next) {
    xmlChar* value = xmlNodeListGetString(node->doc, a->children, 1);
    element->setAttribute(text(a->name), value ? text(value) : RWEString());
    xmlFree(value);
  }
  for (xmlNodePtr child = node->children; child; child = child->next) {
    if (child->type == XML_ELEMENT_NODE) {
      element->addChild(convert(child));
    } else if (child->type == XML_TEXT_NODE || child->type == XML_CDATA_SECTION_NODE) {
      element->appendCharacterData(text(child->content));
    }
  }
  return element;
}

RWEString errorText(const RWEString& source, const xmlError* error) {
  RWEString message(source);
  if (!error) return message + ": not a well-formed XML document";
  message.appendFormat(":%d: ", error->line);
  RWEString detail(error->message ? error->message : "malformed XML");
  while (detail.length() && (detail[detail.length() - 1] == '\n' || detail[detail.length() - 1] == ' ')) {
    detail = detail(0, detail.length() - 1);
  }
  return message + detail;
}

// 1-based line of the first occurrence of `pattern` in `text` (1 if absent).
int lineOf(const RWEString& text, const char* pattern) {
  size_t at = text.index(pattern);
  if (at == RW_NPOS) return 1;
  int line = 1;
  for (size_t i = 0; i < at; ++i) line += text[i] == '\n';
  return line;
}

}  // namespace

std::unique_ptr<KvXMLElement> XMLDocument::parseText(const RWEString& input,
                                                     const RWEString& source) {
  xmlSetStructuredErrorFunc(nullptr, quietErrors);
  std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> context(xmlNewParserCtxt(),
                                                                    xmlFreeParserCtxt);
  if (!context) throw KvException(source + ": out of memory while parsing");
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
      xmlCtxtReadMemory(context.get(), input.data(), static_cast<int>(input.length()),
                        source.data(), nullptr, kParseOptions),
      xmlFreeDoc);
  if (!doc) throw KvException(errorText(source, xmlCtxtGetLastError(context.get())));
  if (xmlGetIntSubset(doc.get())) {
    RWEString message(source);
    message.appendFormat(":%d: DOCTYPE declarations are not allowed in a configuration",
                         lineOf(input, "<!DOCTYPE"));
    throw KvException(message);
  }
  xmlNodePtr root = xmlDocGetRootElement(doc.get());
  if (!root) throw KvException(source + ": document has no root element");
  return convert(root);
}

std::unique_ptr<KvXMLElement> XMLDocument::parseFile(const RWEString& path) {
  std::ifstream in(path.data(), std::ios::binary);
  if (!in) throw KvException(path + ": cannot read file: " + std::strerror(errno));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw KvException(path + ": cannot read file");
  return parseText(content.str(), path);
}
