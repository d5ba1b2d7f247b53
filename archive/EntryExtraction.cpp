// ZEMBRA_Expand, ZEMBRA_Copy and ZEMBRA_Init: one packaged entry written to a file, decoded or as
// stored, and the setup files unpacked into a temporary folder.
#include "archive/CrtIo.h"
#include "archive/GzipDecoder.h"
#include "archive/LibraryState.h"
#include "archive/PackageDirectory.h"
#include "archive/Progress.h"
#include "archive/UnpackJob.h"
#include "archive/ZembraApi.h"
#include "archive/ZipException.h"

#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int kTargetPathLimit = 259;
constexpr unsigned kCopyBlock = 6144;

void ShowFileError(const char* text) { MessageBoxA(nullptr, text, "Error!", MB_TASKMODAL | MB_ICONHAND); }

// Folder, a backslash unless it ends with one (an empty folder gets one too), then the name and
// extension of fileName; any drive or folder in fileName is dropped. False when it would not fit.
bool BuildTargetPath(const char* folder, const char* fileName, char (&target)[MAX_PATH]) {
    folder = folder ? folder : "";
    fileName = fileName ? fileName : "";
    const char* name = fileName;
    for (const char* p = fileName; *p; ++p) {
        if (*p == '\\' || *p == '/' || *p == ':') name = p + 1;
    }
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
// offset that cannot be reached, which it shows and reports through *result.
void ExtractEntry(CUnpackJob& job, const char* package, const char* target, uint32_t offset, DWORD* failure,
                  int* result) {
    zembra::GzipResetInput();
    int in = zembra::OpenPackageData(package);
    if (in < 0) {
        *failure = GetLastError() ? GetLastError() : ERROR_OPEN_FAILED;
        throw new CZipException(job.Capture(), "Quelldatei lässt sich nicht öffnen!");
    }
    int out = zembra::CrtOpenReadWriteCreate(target);
    if (out < 0) {
        *failure = GetLastError() ? GetLastError() : ERROR_OPEN_FAILED;
        zembra::ClosePackageData(in);
        throw new CZipException(job.Capture(), "Zieldatei konnte nicht erstellt werden!");
    }
    if (!zembra::CrtSeek(in, offset)) {
        ShowFileError("Fileposition ließ sich nicht finden!");
        zembra::ClosePackageData(in);
        zembra::CrtClose(out);
        *result = ERROR_SEEK;
        return;
    }
    SetLastError(ERROR_SUCCESS);
    bool failed = job.Run(in, out) != 0;
    if (zembra::Progress().cancelFlag) failed = false;
    if (failed) *failure = DecodeFailureCode();
    zembra::ClosePackageData(in);
    zembra::CrtClose(out);
    if (failed) throw new CZipException(job.Capture(), "Error: %s\n", job.Label());
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

    DeleteFileA(target);
    int result = 0;
    CString packagePath = PackageOfCall(package);
    DWORD failure = ERROR_SUCCESS;
    CGzipUnpackJob* job = nullptr;
    try {
        job = new CGzipUnpackJob(packagePath);
        ExtractEntry(*job, packagePath, target, offset, &failure, &result);
    } catch (CZipException* e) {
        // The text (with what the decoder said) is not shown; the code tells the caller enough.
        result = static_cast<int>(failure);
        delete e;
    } catch (const std::bad_alloc&) {
        result = ERROR_NOT_ENOUGH_MEMORY;
    }
    delete job;
    if (zembra::Progress().cancelFlag) DeleteFileA(target);
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

    int in = zembra::CrtOpenRead(PackageOfCall(package));
    if (in < 0) {
        ShowFileError("Quelldatei läßt sich nicht öffnen!");
        return 1;
    }
    int out = zembra::CrtOpenWriteTruncate(target);
    if (out < 0) {
        zembra::CrtClose(in);
        ShowFileError("Zieldatei läßt sich nicht öffnen!");
        return 1;
    }
    if (!zembra::CrtSeek(in, offset)) {
        ShowFileError("Fileposition nicht gefunden!");
        zembra::CrtClose(in);
        zembra::CrtClose(out);
        return 1;
    }
    std::unique_ptr<char[]> block(new (std::nothrow) char[kCopyBlock]);
    if (!block) {
        zembra::CrtClose(in);
        zembra::CrtClose(out);
        return 1;
    }

    const uint32_t base = zembra::Progress().base;
    uint32_t copied = 0;
    bool writeFailed = false;
    while (copied < size) {
        unsigned length = size - copied < kCopyBlock ? size - copied : kCopyBlock;
        // A read that comes up short at the end of the package is padded with zero bytes.
        std::memset(block.get(), 0, length);
        int got = zembra::CrtRead(in, block.get(), length);
        if (got <= 0) break;
        if (zembra::CrtWrite(out, block.get(), length) != static_cast<int>(length)) {
            writeFailed = true;
            break;
        }
        copied += static_cast<uint32_t>(got);
        zembra::UpdateProgress(base + copied);
    }
    zembra::CrtClose(in);
    zembra::CrtClose(out);
    if (writeFailed) {
        // A full disk must not leave a cut file that reads as copied.
        DeleteFileA(target);
        ShowFileError("Zieldatei läßt sich nicht schreiben!");
        return 1;
    }
    zembra::UpdateProgress(base + size);
    return 0;
}

int WINAPI ZEMBRA_Init(const char* package, const char* tempFolder, int reserved1, int reserved2, int) {
    static const struct {
        const char* key;
        const char* fileName;
    } kSetupFiles[] = {
        {"A10", "Zembra.exe"}, {"A20", "gfx1.bmp"},   {"A21", "gfx2.bmp"}, {"A22", "gfx3.bmp"},
        {"A23", "Zembra.ini"}, {"A11", "t1.rtf"},     {"A12", "t2.rtf"},   {"A13", "t3.rtf"},
    };
    zembra::SetLibraryPackage(package, tempFolder, reserved1, reserved2);
    const CString folder = zembra::State().tempFolder;
    for (const auto& file : kSetupFiles) ZEMBRA_Expand(package, folder, file.key, file.fileName, 0);
    return 0;
}
