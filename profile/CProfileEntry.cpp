#include "profile/CProfileEntry.h"

CProfileEntry::~CProfileEntry() = default;
