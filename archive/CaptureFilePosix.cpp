#include "archive/UnpackJob.h"

std::FILE* OpenCaptureFile() { return std::tmpfile(); }
