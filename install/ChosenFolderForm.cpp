#include "install/ChosenFolderForm.h"

#include "framework/SystemPath.h"
#include "framework/WideText.h"
#include "install/ChosenFolder.h"
#include "install/SetupTexts.h"
#include "run/SystemErrorText.h"

#include <windows.h>

#include <algorithm>

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The length of the root: "C:\" or "\\server\share\".
size_t RootLength(const std::wstring& folder) {
    if (folder.size() >= 3 && folder[1] == L':') return 3;
    size_t end = 2;
    for (int separators = 0; separators < 2; ++separators) {
        end = folder.find(L'\\', end);
        if (end == std::wstring::npos) return folder.size();
        ++end;
    }
    return end;
}

}  // namespace

bool ChosenFolderForm(const std::string& folder, std::string* ansi, std::vector<std::string>* made,
                      std::string* problem) {
    const std::wstring wide = zembra::Utf8ToWide(folder);
    std::vector<std::wstring> levels;
    const auto fail = [&](const std::string& why) {
        *problem = why;
        for (auto it = levels.rbegin(); it != levels.rend(); ++it) RemoveDirectoryW(it->c_str());
        return false;
    };
    // The levels below the deepest one that exists, and of those the last that the code page cannot say.
    size_t existing = RootLength(wide);
    std::vector<std::wstring> missing;
    size_t lastUnsaid = 0;
    for (size_t start = existing; start < wide.size();) {
        const size_t end = std::min(wide.find(L'\\', start), wide.size());
        const std::wstring name = wide.substr(start, end - start);
        std::string said;
        if (missing.empty() && IsFolder(wide.substr(0, end))) {
            existing = end + 1;
        } else {
            missing.push_back(name);
            if (!zembra::WideToAnsi(name, &said)) lastUnsaid = missing.size();
        }
        start = end + 1;
    }
    std::wstring level = wide.substr(0, existing);
    for (size_t i = 0; i < lastUnsaid; ++i) {
        level += missing[i];
        if (!CreateDirectoryW(level.c_str(), nullptr))
            return fail(zembra::Utf8Text(zembra::SetupText::FolderNotMade,
                                         {zembra::AnsiAsUtf8(zembra::SystemErrorText(GetLastError())),
                                          zembra::WideToUtf8(level)}));
        levels.push_back(level);
        level += L'\\';
    }
    const zembra::AnsiPathChoice form = zembra::AnsiPathOf(level);
    if (form.form == zembra::AnsiPathForm::None) return fail(form.problem);
    std::string result = form.path;
    for (size_t i = lastUnsaid; i < missing.size(); ++i) {
        std::string said;
        zembra::WideToAnsi(missing[i], &said);
        result += said + "\\";
    }
    if (result.size() > kMaxChosenFolder + 1) return fail(FolderTooLong(folder));
    made->clear();
    for (const std::wstring& path : levels) made->push_back(zembra::AnsiPathOf(path).path + "\\");
    *ansi = result;
    return true;
}

void RemoveMadeLevels(const std::vector<std::string>& made) {
    for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryA(it->c_str());
}
