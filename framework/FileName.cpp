#include "framework/FileName.h"

const char* FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    }
    return name;
}

CString FileTitle(const char* path) {
    CString title(FileNamePart(path));
    const int dot = title.ReverseFind('.');
    return dot >= 0 ? title.Left(dot) : title;
}
