// AccessGuard: who may use the portal. Without a token every request passes
// (the portal then listens on a loopback address only, and checks the Host
// header so that another site's pages cannot reach it by DNS rebinding).
// With a token, a request passes when it carries the token in
// "Authorization: Bearer <token>", or the session cookie that the login form
// sets once it has been given the token; the session value is random per
// portal start. Every comparison takes the same time whatever the bytes
// compared. Immutable after construction: safe from any thread.
#ifndef TARNEL_PORTAL_ACCESSGUARD_H_
#define TARNEL_PORTAL_ACCESSGUARD_H_

#include <string>

namespace httplib {
struct Request;
}

class AccessGuard {
 public:
  static const char kCookie[];  // the session cookie's name
  static const size_t kMinimumToken = 16;

  // Reads the token from the first line of `tokenFile`; "" for none. Throws
  // KvException when the file cannot be read or its token is shorter than
  // kMinimumToken characters.
  explicit AccessGuard(const std::string& tokenFile);

  enum Verdict {
    kAdmitted,
    kNoToken,      // a token is needed and the request carries none that is right
    kForeignHost,  // no token is set and the Host header names no loopback address
  };

  bool needsToken() const { return !token_.empty(); }
  // Whether `request` may be served.
  Verdict admits(const httplib::Request& request) const;
  // Whether `candidate` is the token (the login form's check).
  bool isToken(const std::string& candidate) const;
  // The Set-Cookie value that admits the browser that logged in.
  std::string sessionCookie() const;

  // Whether `host` (a name or address, without port; an IPv6 address with or
  // without brackets) is a loopback address: 127.0.0.0/8, ::1 or localhost.
  static bool isLoopback(const std::string& host);
  // Whether `candidate` equals `secret`, in a time that depends only on the
  // secret's length.
  static bool sameBytes(const std::string& secret, const std::string& candidate);

 private:
  std::string token_;
  std::string session_;
};

#endif  // TARNEL_PORTAL_ACCESSGUARD_H_
