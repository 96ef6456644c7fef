// WorkbookError: a workbook that could not be made, with a message that names
// the file at fault (template, stream, steering data or the workbook being
// written). Thrown by everything under workbook/.
#ifndef TARNEL_WORKBOOK_WORKBOOKERROR_H_
#define TARNEL_WORKBOOK_WORKBOOKERROR_H_

#include <stdexcept>
#include <string>

class WorkbookError : public std::runtime_error {
 public:
  explicit WorkbookError(const std::string& message) : std::runtime_error(message) {}
};

#endif  // TARNEL_WORKBOOK_WORKBOOKERROR_H_
