#include "workbook/WorksheetXml.h"

#include <libxml/xmlwriter.h>

#include <cstdio>
#include <memory>

#include "workbook/WorkbookError.h"

namespace {

const char kMainNamespace[] = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const size_t kMaxRows = 1048576;
const size_t kMaxColumns = 16384;
const size_t kMaxCellCharacters = 32767;
const char kReplacement[] = "\xEF\xBF\xBD";

const xmlChar* x(const char* s) { return reinterpret_cast<const xmlChar*>(s); }

bool hex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

// "_x0041_" in the text itself: its underscore must be escaped so that a
// reader does not take it for an escape.
bool looksEscaped(const std::string& t, size_t i) {
  return i + 6 < t.size() && t[i + 1] == 'x' && hex(t[i + 2]) && hex(t[i + 3]) && hex(t[i + 4]) &&
         hex(t[i + 5]) && t[i + 6] == '_';
}

std::string escaped(unsigned code) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "_x%04X_", code);
  return buffer;
}

// Length of the well-formed UTF-8 sequence at t[i] and its code point; 0 if not one.
size_t sequence(const std::string& t, size_t i, unsigned& code) {
  unsigned char lead = static_cast<unsigned char>(t[i]);
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || i + length > t.size()) return 0;
  code = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    unsigned char next = static_cast<unsigned char>(t[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  if (overlong || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

// Characters as the spreadsheet counts them (UTF-16 units).
size_t characters(const std::string& t) {
  size_t count = 0;
  for (size_t i = 0; i < t.size(); ++i) {
    unsigned char b = static_cast<unsigned char>(t[i]);
    if ((b & 0xC0) != 0x80) count += b >= 0xF0 ? 2 : 1;
  }
  return count;
}

struct FreeWriter {
  void operator()(xmlTextWriter* w) const { xmlFreeTextWriter(w); }
};
struct FreeBuffer {
  void operator()(xmlBuffer* b) const { xmlBufferFree(b); }
};

void writeCell(xmlTextWriter* w, const DataCell& cell, const std::string& ref) {
  xmlTextWriterStartElement(w, x("c"));
  xmlTextWriterWriteAttribute(w, x("r"), x(ref.c_str()));
  if (cell.kind == DataCell::kNumber) {
    xmlTextWriterWriteElement(w, x("v"), x(cell.text.c_str()));
  } else {
    std::string text = WorksheetXml::cellText(cell.text);
    xmlTextWriterWriteAttribute(w, x("t"), x("inlineStr"));
    xmlTextWriterStartElement(w, x("is"));
    xmlTextWriterStartElement(w, x("t"));
    const std::string spaces(" \t\r\n");
    if (!text.empty() && (spaces.find(text.front()) != std::string::npos || spaces.find(text.back()) != std::string::npos)) {
      xmlTextWriterWriteAttribute(w, x("xml:space"), x("preserve"));
    }
    xmlTextWriterWriteString(w, x(text.c_str()));
    xmlTextWriterEndElement(w);
    xmlTextWriterEndElement(w);
  }
  xmlTextWriterEndElement(w);
}

}  // namespace

std::string WorksheetXml::reference(size_t row, size_t column) {
  std::string letters;
  for (size_t c = column + 1; c > 0; c = (c - 1) / 26) {
    letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
  }
  return letters + std::to_string(row + 1);
}

std::string WorksheetXml::cellText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (b < 0x80) {
      if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') {
        out += escaped(b);
      } else if (b == '_' && looksEscaped(text, i)) {
        out += escaped('_');
      } else {
        out += static_cast<char>(b);
      }
      ++i;
      continue;
    }
    unsigned code = 0;
    size_t length = sequence(text, i, code);
    if (length == 0) {
      out += kReplacement;
      ++i;
    } else {
      out += (code == 0xFFFE || code == 0xFFFF) ? escaped(code) : text.substr(i, length);
      i += length;
    }
  }
  return out;
}

std::string WorksheetXml::write(const std::vector<DataRow>& rows, const std::string& source) {
  if (rows.size() > kMaxRows) {
    throw WorkbookError("More rows than a sheet holds (1048576) in " + source);
  }
  std::unique_ptr<xmlBuffer, FreeBuffer> buffer(xmlBufferCreate());
  std::unique_ptr<xmlTextWriter, FreeWriter> writer(xmlNewTextWriterMemory(buffer.get(), 0));
  if (!writer) throw WorkbookError("Out of memory writing the sheet of " + source);
  xmlTextWriter* w = writer.get();
  xmlTextWriterStartDocument(w, nullptr, "UTF-8", "yes");
  xmlTextWriterStartElement(w, x("worksheet"));
  xmlTextWriterWriteAttribute(w, x("xmlns"), x(kMainNamespace));
  xmlTextWriterStartElement(w, x("sheetData"));
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r].empty()) continue;
    if (rows[r].size() > kMaxColumns) {
      throw WorkbookError("More columns than a sheet holds (16384) in line " + std::to_string(r + 1) +
                          " of " + source);
    }
    xmlTextWriterStartElement(w, x("row"));
    xmlTextWriterWriteAttribute(w, x("r"), x(std::to_string(r + 1).c_str()));
    for (size_t c = 0; c < rows[r].size(); ++c) {
      const DataCell& cell = rows[r][c];
      if (cell.kind == DataCell::kEmpty) continue;
      if (cell.kind == DataCell::kString && characters(cell.text) > kMaxCellCharacters) {
        throw WorkbookError("A value longer than a cell holds (32767 characters) in line " +
                            std::to_string(r + 1) + " of " + source);
      }
      writeCell(w, cell, reference(r, c));
    }
    xmlTextWriterEndElement(w);
  }
  if (xmlTextWriterEndDocument(w) < 0) throw WorkbookError("Out of memory writing the sheet of " + source);
  writer.reset();
  return std::string(reinterpret_cast<const char*>(xmlBufferContent(buffer.get())),
                     static_cast<size_t>(xmlBufferLength(buffer.get())));
}
