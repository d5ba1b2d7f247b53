// The extractor's working folder: made fresh under the user's temporary folder for one run, never one
// that already exists, and removed with everything in it at the end.
//
// It is private: its access list grants the process's user, SYSTEM and the Administrators full access
// and nobody else anything, and it inherits nothing from the temporary folder, where others may be
// allowed to create files. Its name comes from the system's cryptographic random source, so nobody can
// prepare a folder or files under it beforehand.
#pragma once

#include <string>

namespace zembra {

class WorkFolder {
public:
    WorkFolder() = default;
    ~WorkFolder() { Remove(); }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    // A new folder under root (which ends with a backslash); false with the system's error code. The
    // name leaves room for the longest file the run places in it.
    bool Create(const std::string& root, unsigned long* error);
    const std::string& Path() const { return m_path; }  // ends with a backslash; empty before Create

    // Removes the folder and what is left in it, links never followed. Files that are still in use get
    // a few moments; true once the folder is gone.
    bool Remove();
    // The folder stays where it is, for a caller that cannot remove it (its own program lies in it).
    void Keep() { m_path.clear(); }

private:
    std::string m_path;
};

// The access list of the working folder in the system's descriptor language ("D:P(A;OICI;FA;;;SY)...")
// for the process's user; empty with the system's error code when the user cannot be read.
std::string PrivateFolderDescriptor(unsigned long* error);

}  // namespace zembra
