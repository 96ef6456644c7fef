#include "framework/deg2dmso.h"

#include <cmath>

void deg2dmso(float degrees, int* d, int* m, int* s, char* direction, int isLongitude) {
  double value = degrees;
  if (isLongitude) {
    *direction = value < 0 ? 'W' : 'E';
  } else {
    *direction = value < 0 ? 'S' : 'N';
  }
  long totalSeconds = std::lround(std::fabs(value) * 3600.0);
  *d = static_cast<int>(totalSeconds / 3600);
  *m = static_cast<int>((totalSeconds / 60) % 60);
  *s = static_cast<int>(totalSeconds % 60);
}
