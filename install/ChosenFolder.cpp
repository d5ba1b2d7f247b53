#include "install/ChosenFolder.h"

#include "framework/AddBackslash.h"
#include "framework/AnsiText.h"
#include "framework/WideText.h"
#include "install/SetupTexts.h"

#include <cstring>
#include <vector>

namespace {

bool IsLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }

// The names between backslashes. In UTF-8 no byte of a character beyond ASCII is a backslash.
std::vector<std::string> Names(const std::string& path) {
    std::vector<std::string> names(1);
    for (char c : path) {
        if (c == '\\') names.emplace_back();
        else names.back() += c;
    }
    return names;
}

bool RefusedCharacter(const std::string& name) {
    for (unsigned char c : name)
        if (c < 0x20 || (c < 0x80 && std::strchr("<>:\"|?*/", c))) return true;
    return false;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9, also with an extension: the system opens the device instead.
bool DeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    for (char& c : base) c = static_cast<char>(c & ~0x20);
    if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL") return true;
    return base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

}  // namespace

std::string FolderTooLong(const std::string& text) {
    return zembra::Utf8Text(zembra::SetupText::FolderTooLong, {std::to_string(kMaxChosenFolder), text});
}

bool TakeFolderSwitch(const std::string& text, bool pathChange, std::string* folder, std::string* problem) {
    using zembra::SetupText;
    using zembra::Utf8Text;
    if (!pathChange) {
        *problem = Utf8Text(SetupText::FolderFixed, {text});
        return false;
    }
    std::string path = text;
    for (char& c : path)
        if (c == '/') c = '\\';  // never a trail byte

    // The names after the root: a drive's, or a network share's (\\server\share).
    size_t root;
    if (path.size() >= 3 && IsLetter(path[0]) && path[1] == ':' && path[2] == '\\') {
        root = 3;
    } else if (path.size() > 2 && path[0] == '\\' && path[1] == '\\') {
        root = 2;
    } else {
        *problem = Utf8Text(SetupText::FolderNotFull, {text});
        return false;
    }
    std::vector<std::string> names = Names(path.substr(root));
    if (names.size() > 1 && names.back().empty()) names.pop_back();  // one final backslash
    if (root == 3 && names.size() == 1 && names[0].empty()) names.clear();  // the drive's root
    if (root == 2 && names.size() < 2) names.emplace_back();  // a server without a share
    for (const std::string& name : names) {
        SetupText why = SetupText::FolderBadName;
        if (name.empty() || name == "." || name == "..")
            why = SetupText::NameEmpty;
        else if (RefusedCharacter(name))
            why = SetupText::NameBadCharacter;
        else if (name.back() == '.' || name.back() == ' ')
            why = SetupText::NameTrailingDot;
        else if (DeviceName(name))
            why = SetupText::NameDevice;
        if (why != SetupText::FolderBadName) {
            *problem = Utf8Text(SetupText::FolderBadName, {zembra::AnsiAsUtf8(zembra::Text(why)), text});
            return false;
        }
    }
    std::string joined = path.substr(0, root);
    for (size_t i = 0; i < names.size(); ++i) joined += (i ? "\\" : "") + names[i];
    // Characters, not bytes: the folder's ANSI form is checked again once it is known.
    if (zembra::Utf8ToWide(joined).size() > kMaxChosenFolder) {
        *problem = FolderTooLong(text);
        return false;
    }
    *folder = root == 3 && names.empty() ? joined : joined + "\\";
    return true;
}

CString ListFolderFor(const CString& offered, const CString& chosen, const CString& listDir) {
    CString a = offered, b = chosen;
    AddBackslash(a);
    AddBackslash(b);
    return AnsiCompareNoCase(a, b) == 0 ? listDir : b;
}
