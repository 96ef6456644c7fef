#include "framework/KvException.h"

RWEString KvException::asString() const {
  RWEString text(message_);
  for (const RWEString& c : contexts_) {
    text += '\n';
    text += c;
  }
  return text;
}
