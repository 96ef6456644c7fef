#include "workbook/XlsxWorkingMemory.h"

#include <malloc.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace {
// zlib allocates some 270 KiB for each part it compresses and frees it after;
// glibc's default trim threshold (128 KiB) gives that back to the system every
// time and faults it in again for the next part: 20 ms a workbook instead of 1.
const int kTrimThreshold = 16 << 20;
const int kMmapThreshold = 4 << 20;

// A working file: the part's bytes, growing as the library writes them.
struct Buffer {
  char* data = nullptr;
  size_t size = 0, capacity = 0, position = 0;
};

ssize_t writeTo(void* cookie, const char* bytes, size_t count) {
  Buffer* b = static_cast<Buffer*>(cookie);
  if (b->position + count > b->capacity) {
    size_t capacity = b->capacity ? b->capacity : 16384;
    while (capacity < b->position + count) capacity *= 2;
    char* grown = static_cast<char*>(std::realloc(b->data, capacity));
    if (!grown) return -1;
    b->data = grown;
    b->capacity = capacity;
  }
  std::memcpy(b->data + b->position, bytes, count);
  b->position += count;
  if (b->position > b->size) b->size = b->position;
  return static_cast<ssize_t>(count);
}

ssize_t readFrom(void* cookie, char* bytes, size_t count) {
  Buffer* b = static_cast<Buffer*>(cookie);
  size_t left = b->position < b->size ? b->size - b->position : 0;
  if (count > left) count = left;
  std::memcpy(bytes, b->data + b->position, count);
  b->position += count;
  return static_cast<ssize_t>(count);
}

int seekIn(void* cookie, off64_t* offset, int whence) {
  Buffer* b = static_cast<Buffer*>(cookie);
  off64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? static_cast<off64_t>(b->position)
                                                             : static_cast<off64_t>(b->size);
  if (base + *offset < 0) return -1;
  b->position = static_cast<size_t>(base + *offset);
  *offset = static_cast<off64_t>(b->position);
  return 0;
}

int closeBuffer(void* cookie) {
  Buffer* b = static_cast<Buffer*>(cookie);
  std::free(b->data);
  delete b;
  return 0;
}
}  // namespace

void XlsxWorkingMemory::prepare() {
  static std::once_flag once;
  std::call_once(once, [] {
    mallopt(M_MMAP_THRESHOLD, kMmapThreshold);
    mallopt(M_TRIM_THRESHOLD, kTrimThreshold);
  });
}

// libxlsxwriter 1.1.4 writes every part of a workbook to a temporary file,
// reads it back into the zip and deletes it: some 250 system calls a workbook,
// a third of what a small workbook costs, and it has no option to keep them in
// memory. It opens each through lxw_tmpfile() (declared in
// xlsxwriter/utility.h, which checks this definition's type), called through
// the dynamic linker: the program's definition is the one it binds, so every
// working file is a buffer behind a stdio stream, freed when the library
// closes it. Thread-safe: each file has its own buffer.
FILE* lxw_tmpfile(char*) {
  Buffer* buffer = new Buffer;
  FILE* file = fopencookie(buffer, "w+", cookie_io_functions_t{readFrom, writeTo, seekIn, closeBuffer});
  if (!file) delete buffer;
  return file;
}
