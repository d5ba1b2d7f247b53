// ZEMBRA_Expand, ZEMBRA_Copy and ZEMBRA_Init: one packaged entry written to a file, decoded or as
// stored, and the setup files unpacked into a temporary folder. An entry is written beside its target
// and takes the target's place only when it is whole, so a failure never leaves a cut file behind.
#include "archive/CrtIo.h"
#include "archive/GzipDecoder.h"
#include "archive/LibraryMessage.h"
#include "archive/LibraryTexts.h"
#include "archive/LibraryState.h"
#include "archive/PackageDirectory.h"
#include "archive/Progress.h"
#include "archive/SetupFiles.h"
#include "archive/StagedFile.h"
#include "archive/UnpackJob.h"
#include "archive/ZembraApi.h"
#include "archive/ZipException.h"
#include "framework/FileName.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int kTargetPathLimit = 259;
constexpr unsigned kCopyBlock = 6144;

void ShowFileError(zembra::LibraryText text) {
    zembra::LibraryMessageBox(nullptr, zembra::Text(text).c_str(),
                              zembra::Text(zembra::LibraryText::ErrorCaption).c_str(), MB_TASKMODAL | MB_ICONHAND);
}

// Folder, a backslash unless it ends with one (an empty folder gets one too), then the name and
// extension of fileName; any drive or folder in fileName is dropped. False when it would not fit.
bool BuildTargetPath(const char* folder, const char* fileName, char (&target)[MAX_PATH]) {
    folder = folder ? folder : "";
    fileName = fileName ? fileName : "";
    const char* name = FileNamePart(fileName);
    size_t folderLength = std::strlen(folder);
    bool slash = folderLength == 0 || folder[folderLength - 1] != '\\';
    size_t total = folderLength + (slash ? 1 : 0) + std::strlen(name);
    if (total > kTargetPathLimit) return false;
    std::memcpy(target, folder, folderLength);
    if (slash) target[folderLength++] = '\\';
    std::strcpy(target + folderLength, name);
    return true;
}

enum class Lookup { Found, LoadFailed, NotFound };

// The common start of both operations: last error and cancel flag cleared, the call's package
// directory loaded, the key looked up.
Lookup FindEntry(const char* package, const char* key, uint32_t* offset, uint32_t* size) {
    SetLastError(ERROR_SUCCESS);
    zembra::Progress().cancelFlag = 0;
    if (!zembra::EnsurePackageDirectory(package)) return Lookup::LoadFailed;
    *offset = zembra::FindPackageEntry(key ? key : "", size);
    return *offset == 0 ? Lookup::NotFound : Lookup::Found;
}

const char* PackageOfCall(const char* package) {
    return package ? package : static_cast<const char*>(zembra::State().packagePath);
}

// A decoding failure must never read as success (0) or as a locked target (5, 32): it keeps a real
// platform error (a full disk) and is otherwise reported as a CRC error.
DWORD DecodeFailureCode() {
    DWORD code = GetLastError();
    return code == ERROR_SUCCESS || code == ERROR_ACCESS_DENIED || code == ERROR_SHARING_VIOLATION ? ERROR_CRC
                                                                                                    : code;
}

// The extraction step of ZEMBRA_Expand. Raises CZipException for every failure except an entry
// offset that cannot be reached, which it shows and reports through *result. The target is replaced
// only by a whole entry whose CRC matched; a cancelled entry is dropped and counts as success.
void ExtractEntry(CUnpackJob& job, const char* target, uint32_t offset, zembra::StagedFile& staged, DWORD* failure,
                  int* result) {
    zembra::GzipResetInput();
    const int in = zembra::State().directory.DataFd();
    if (in < 0) {
        *failure = zembra::CrtOpenError();
        throw new CZipException(job.Capture(), "Quelldatei lässt sich nicht öffnen!");
    }
    DWORD code = staged.Begin(target);
    if (code != ERROR_SUCCESS) {
        *failure = code;
        throw new CZipException(job.Capture(), "Zieldatei konnte nicht erstellt werden!");
    }
    if (!zembra::CrtSeek(in, offset)) {
        ShowFileError(zembra::LibraryText::FilePositionNotFound);
        *result = ERROR_SEEK;
        return;
    }
    SetLastError(ERROR_SUCCESS);
    const bool failed = job.Run(in, staged.Fd()) != 0;
    if (zembra::Progress().cancelFlag) return;
    if (failed) {
        *failure = DecodeFailureCode();
        throw new CZipException(job.Capture(), "Error: %s\n", job.Label());
    }
    code = staged.Commit();
    if (code != ERROR_SUCCESS) {
        *failure = code;
        throw new CZipException(job.Capture(), "Zieldatei konnte nicht erstellt werden!");
    }
}

}  // namespace

int WINAPI ZEMBRA_Expand(const char* package, const char* folder, const char* key, const char* fileName, int) {
    char target[MAX_PATH];
    if (!BuildTargetPath(folder, fileName, target)) return ERROR_FILENAME_EXCED_RANGE;
    uint32_t offset = 0, size = 0;
    switch (FindEntry(package, key, &offset, &size)) {
        case Lookup::LoadFailed: return 1;
        case Lookup::NotFound: return 0;
        case Lookup::Found: break;
    }

    int result = 0;
    CString packagePath = PackageOfCall(package);
    DWORD failure = ERROR_SUCCESS;
    zembra::StagedFile staged;  // whatever happens below, a target that was not replaced stays as it was
    CGzipUnpackJob* job = nullptr;
    try {
        job = new CGzipUnpackJob(packagePath);
        ExtractEntry(*job, target, offset, staged, &failure, &result);
    } catch (CZipException* e) {
        // The text (with what the decoder said) is not shown; the code tells the caller enough.
        result = static_cast<int>(failure);
        delete e;
    } catch (const std::bad_alloc&) {
        result = ERROR_NOT_ENOUGH_MEMORY;
    }
    delete job;
    return result;
}

int WINAPI ZEMBRA_Copy(const char* package, const char* folder, const char* key, const char* fileName, int) {
    char target[MAX_PATH];
    if (!BuildTargetPath(folder, fileName, target)) return 1;
    uint32_t offset = 0, size = 0;
    switch (FindEntry(package, key, &offset, &size)) {
        case Lookup::LoadFailed: return 1;
        case Lookup::NotFound: return 0;
        case Lookup::Found: break;
    }

    const int in = zembra::State().directory.DataFd();
    if (in < 0) {
        ShowFileError(zembra::LibraryText::CopySourceUnreadable);
        return 1;
    }
    zembra::StagedFile staged;
    if (staged.Begin(target) != ERROR_SUCCESS) {
        ShowFileError(zembra::LibraryText::CopyTargetUnopened);
        return 1;
    }
    if (!zembra::CrtSeek(in, offset)) {
        ShowFileError(zembra::LibraryText::CopyPositionNotFound);
        return 1;
    }
    std::unique_ptr<char[]> block(new (std::nothrow) char[kCopyBlock]);
    if (!block) return 1;

    const uint32_t base = zembra::Progress().base;
    uint32_t copied = 0;
    bool written = true;
    while (copied < size) {
        unsigned length = size - copied < kCopyBlock ? size - copied : kCopyBlock;
        // A read that comes up short at the end of the package is padded with zero bytes.
        std::memset(block.get(), 0, length);
        int got = zembra::CrtRead(in, block.get(), length);
        if (got <= 0) break;
        if (zembra::CrtWrite(staged.Fd(), block.get(), length) != static_cast<int>(length)) {
            written = false;
            break;
        }
        copied += static_cast<uint32_t>(got);
        zembra::UpdateProgress(base + copied);
    }
    if (!written || staged.Commit() != ERROR_SUCCESS) {
        ShowFileError(zembra::LibraryText::CopyTargetUnwritten);
        return 1;
    }
    zembra::UpdateProgress(base + size);
    return 0;
}

// The result is that of the first setup file the package carries that could not be unpacked whole,
// so that the caller never starts the setup program with a cut configuration; 0 when all arrived.
int WINAPI ZEMBRA_Init(const char* package, const char* tempFolder, int reserved1, int reserved2, int) {
    zembra::SetLibraryPackage(package, tempFolder, reserved1, reserved2);
    const CString folder = zembra::State().tempFolder;
    int first = 0;
    for (const zembra::SetupFile& file : zembra::kSetupFiles) {
        const int result = ZEMBRA_Expand(package, folder, file.key, file.fileName, 0);
        if (first == 0) first = result;
    }
    return first;
}
