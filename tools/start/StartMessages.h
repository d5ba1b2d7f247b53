// What the extractor tells the user when it cannot run the setup, and the exit codes that go with it.
// Every stop is shown in a message box, in an unattended run too: nobody else would learn why nothing
// was installed. Only /quiet leaves the box out; the stop is then in the log and in the exit code.
#pragma once

#include "run/RunMessages.h"
#include "run/SystemErrorText.h"

#include <string>

namespace zembra {

enum StartExitCode {
    kStartBadCall = 10,       // no package attached and none named, or a malformed command line
    kStartPackageUnreadable = 11,
    kStartPackageDamaged = 12,  // cut, altered, unsealed or not a package
    kStartNoWorkFolder = 13,
    kStartUnpackFailed = 14,  // runtime library or setup program could not be placed or loaded
    kStartSetupFailed = 15,   // the setup program could not be started or waited for
};

constexpr char kStartCaption[] = "Setup";

// Shows text in a message box (error icon, in front of other windows), or under /quiet only logs it,
// and returns code.
int StopWithMessage(RunMessages& messages, const std::string& text, int code);
// The same for a text in UTF-8 (one that names a path the ANSI code page cannot say).
int StopWithUtf8Message(RunMessages& messages, const std::string& utf8Text, int code);

}  // namespace zembra
