// Html: the escaping every page goes through. Whatever comes from the
// database, the report files or the request is written into a page only
// through escape(), and into a link only through urlComponent().
#ifndef TARNEL_PORTAL_HTML_H_
#define TARNEL_PORTAL_HTML_H_

#include <string>

class Html {
 public:
  // `text` with & < > " ' as character references: safe as element content
  // and as a quoted attribute value.
  static std::string escape(const std::string& text);
  // `text` percent-encoded as one component of a URL (path segment or query
  // value): only A-Za-z0-9-._~ stay as they are.
  static std::string urlComponent(const std::string& text);
};

#endif  // TARNEL_PORTAL_HTML_H_
