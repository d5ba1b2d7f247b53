#include "framework/CommandLine.h"

const char* CommandLineTail(const char* commandLine) {
    const char* p = commandLine ? commandLine : "";
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}
