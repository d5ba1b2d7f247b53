// The extractor's working folder: made fresh under a temporary folder for one run, never one that
// already exists, and removed with everything in it at the end.
//
// It is private: an access list of its own (run/WorkFolderGuard.h: SYSTEM and the Administrators, and
// the user too for a run without elevation) and nothing inherited from the temporary folder, where
// others may be allowed to create files. Its name comes from the system's cryptographic random source,
// so nobody can prepare a folder or files under it beforehand.
#pragma once

#include <string>
#include <vector>

namespace zembra {

class WorkFolder {
public:
    WorkFolder() = default;
    ~WorkFolder() { Remove(); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // A new folder for this process: under the roots and with the guard that its token calls for
    // (run/WorkFolderGuard.h), the first root where one can be made. False with the system's error
    // code; *root names the last folder tried. The name leaves room for the longest file the run places
    // in it. A root is named in its ANSI form (framework/AnsiPath.h); one that has none is not used:
    // ERROR_NO_UNICODE_TRANSLATION, *root empty and *problem (UTF-8) saying why.
    bool Create(std::string* root, unsigned long* error, std::string* problem);
    const std::string& Path() const { return m_path; }  // ends with a backslash; empty before Create

    // Removes the folder and what is left in it, links never followed. Files that are still in use get
    // a few moments; true once the folder is gone.
    bool Remove();
    // The folder stays where it is, for a caller that cannot remove it (its own program lies in it).
    void Keep() { m_path.clear(); }

private:
    bool CreateUnder(const std::string& root, void* security, unsigned long* error);

    std::string m_path;
};

// The working folder's descriptor for this process in the system's descriptor language
// ("O:BAD:P(A;OICI;FA;;;SY)..."); empty with the system's error code when the token cannot be read.
std::string PrivateFolderDescriptor(unsigned long* error);

}  // namespace zembra
