// deg2dmso: splits decimal degrees into whole degrees, minutes and rounded
// seconds of the absolute value (60 seconds carry into a minute, 60 minutes
// into a degree), with the direction letter N or S for a latitude
// (isLongitude 0) and E or W for a longitude.
#ifndef TARNEL_FRAMEWORK_DEG2DMSO_H_
#define TARNEL_FRAMEWORK_DEG2DMSO_H_

void deg2dmso(float degrees, int* d, int* m, int* s, char* direction, int isLongitude);

#endif  // TARNEL_FRAMEWORK_DEG2DMSO_H_
