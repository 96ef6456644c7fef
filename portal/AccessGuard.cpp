#include "portal/AccessGuard.h"

#include <arpa/inet.h>
#include <httplib.h>

#include <fstream>
#include <random>

#include "framework/KvException.h"

const char AccessGuard::kCookie[] = "tarnel_session";

namespace {
const char kBearer[] = "Bearer ";
const int kSessionBytes = 32;

std::string randomHex(int bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::random_device source;  // the kernel's random source
  std::string text;
  for (int i = 0; i < bytes; ++i) {
    unsigned value = source() & 0xff;
    text += kHex[value >> 4];
    text += kHex[value & 15];
  }
  return text;
}

std::string trimmed(const std::string& text) {
  size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The value of cookie `name` in a Cookie header ("a=1; b=2"); "" when absent.
std::string cookieValue(const std::string& header, const std::string& name) {
  size_t start = 0;
  while (start < header.size()) {
    size_t end = header.find(';', start);
    if (end == std::string::npos) end = header.size();
    std::string pair = trimmed(header.substr(start, end - start));
    size_t equals = pair.find('=');
    if (equals != std::string::npos && pair.compare(0, equals, name) == 0 &&
        equals == name.size()) {
      return pair.substr(equals + 1);
    }
    start = end + 1;
  }
  return "";
}
}  // namespace

AccessGuard::AccessGuard(const std::string& tokenFile) {
  if (tokenFile.empty()) return;
  std::ifstream in(tokenFile);
  std::string line;
  if (!in || !std::getline(in, line)) {
    throw KvException(RWEString("Cannot read the token file " + tokenFile));
  }
  token_ = trimmed(line);
  if (token_.size() < kMinimumToken) {
    throw KvException(RWEString("The token in " + tokenFile + " is shorter than " +
                                std::to_string(kMinimumToken) + " characters"));
  }
  session_ = randomHex(kSessionBytes);
}

bool AccessGuard::sameBytes(const std::string& secret, const std::string& candidate) {
  volatile unsigned char difference = secret.size() != candidate.size();
  for (size_t i = 0; i < secret.size(); ++i) {
    unsigned char other = candidate.empty() ? 0 : candidate[i % candidate.size()];
    difference = difference | (static_cast<unsigned char>(secret[i]) ^ other);
  }
  return difference == 0;
}

bool AccessGuard::isToken(const std::string& candidate) const {
  return needsToken() && sameBytes(token_, candidate);
}

bool AccessGuard::isLoopback(const std::string& host) {
  if (host == "localhost" || host == "::1" || host == "[::1]") return true;
  in_addr address;
  return inet_pton(AF_INET, host.c_str(), &address) == 1 && (ntohl(address.s_addr) >> 24) == 127;
}

AccessGuard::Verdict AccessGuard::admits(const httplib::Request& request) const {
  if (!needsToken()) {
    std::string host = request.get_header_value("Host");
    size_t colon = host.rfind(':');
    if (colon != std::string::npos && host.find(']', colon) == std::string::npos)
      host.resize(colon);
    return isLoopback(host) ? kAdmitted : kForeignHost;
  }
  std::string authorization = request.get_header_value("Authorization");
  if (authorization.compare(0, sizeof kBearer - 1, kBearer) == 0 &&
      isToken(authorization.substr(sizeof kBearer - 1))) {
    return kAdmitted;
  }
  std::string cookie = cookieValue(request.get_header_value("Cookie"), kCookie);
  return sameBytes(session_, cookie) ? kAdmitted : kNoToken;
}

std::string AccessGuard::sessionCookie() const {
  return std::string(kCookie) + "=" + session_ + "; Path=/; HttpOnly; SameSite=Strict";
}
