#include "framework/KvTraceStatic.h"

#include <iostream>
#include <mutex>

bool __envKVDevelopment = false;

namespace {
std::ostream* traceSink = nullptr;
std::mutex traceMutex;
}  // namespace

void KvTraceStatic::output(const char* context, const char* text) {
  std::lock_guard<std::mutex> lock(traceMutex);
  std::ostream& out = traceSink ? *traceSink : std::cerr;
  out << context << ": " << text << '\n';
}

void KvTraceStatic::setSink(std::ostream* sink) { traceSink = sink; }
