#include "framework/XMLDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>

#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "framework/KvException.h"

namespace {

// The first error the parser reports: later ones (a premature end of data at
// the end of the file, say) only follow from it. An entity's text is parsed
// by a context of its own, whose lines count in that text; such an error is
// kept only when the document's context reports none. Collecting the errors
// also keeps libxml2 from printing them.
struct FirstError {
  struct Error {
    bool seen = false;
    int line = 0;
    std::string message;
  };
  const void* document = nullptr;  // the document's parser context
  Error own, inner;

  const Error& first() const { return own.seen ? own : inner; }
};

void keepFirstError(void* data, xmlErrorPtr error) {
  FirstError* errors = static_cast<FirstError*>(data);
  if (!error || error->level < XML_ERR_ERROR) return;
  FirstError::Error& slot = error->ctxt == errors->document ? errors->own : errors->inner;
  if (slot.seen) return;
  slot.seen = true;
  slot.line = error->line;
  slot.message = error->message ? error->message : "malformed XML";
}

void ignoreErrors(void*, xmlErrorPtr) {}

// libxml2 names a parse option in some limits ("use XML_PARSE_HUGE option"),
// which a user of this tool cannot set: the hint is left out.
const char* const kParserHints[] = {" use XML_PARSE_HUGE option", ", use XML_PARSE_HUGE option",
                                    " try XML_PARSE_HUGE", ", try XML_PARSE_HUGE"};

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

RWEString errorText(const RWEString& source, const FirstError::Error& error) {
  RWEString message(source);
  if (!error.seen) return message + ": not a well-formed XML document";
  std::string detail = error.message;
  for (const char* hint : kParserHints) {
    size_t at = detail.find(hint);
    if (at != std::string::npos) detail.erase(at, std::strlen(hint));
  }
  while (!detail.empty() && (detail.back() == '\n' || detail.back() == ' ')) detail.pop_back();
  message.appendFormat(":%d: ", error.line);
  return message + RWEString(detail);
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
  std::unique_ptr<xmlParserCtxt, void (*)(xmlParserCtxtPtr)> context(xmlNewParserCtxt(),
                                                                    xmlFreeParserCtxt);
  if (!context) throw KvException(source + ": out of memory while parsing");
  FirstError errors;
  errors.document = context.get();
  xmlSetStructuredErrorFunc(&errors, keepFirstError);
  struct Restore {
    ~Restore() { xmlSetStructuredErrorFunc(nullptr, ignoreErrors); }
  } restore;
  std::unique_ptr<xmlDoc, void (*)(xmlDocPtr)> doc(
      xmlCtxtReadMemory(context.get(), input.data(), static_cast<int>(input.length()),
                        source.data(), nullptr, kParseOptions),
      xmlFreeDoc);
  if (!doc || !context->wellFormed) throw KvException(errorText(source, errors.first()));
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
  struct stat st;
  if (stat(path.data(), &st) == 0 && S_ISDIR(st.st_mode)) {
    throw KvException(path + ": is a folder, not a file");
  }
  std::ifstream in(path.data(), std::ios::binary);
  if (!in) throw KvException(path + ": cannot read file: " + std::strerror(errno));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw KvException(path + ": cannot read file");
  return parseText(content.str(), path);
}
