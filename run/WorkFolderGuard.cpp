#include "run/WorkFolderGuard.h"

namespace zembra {
namespace {

std::string WithBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

}  // namespace

std::string FolderGuard::Sddl() const {
    std::string sddl = owner.empty() ? std::string() : "O:" + owner;
    sddl += "D:P";
    for (const std::string& sid : grants) sddl += "(A;OICI;FA;;;" + sid + ")";
    if (!label.empty()) sddl += "S:(ML;OICI;NW;;;" + label + ")";
    return sddl;
}

FolderGuard WorkFolderGuard(const TokenFacts& token) {
    FolderGuard guard;
    guard.grants = {"SY", "BA"};
    if (token.system || token.elevated) {
        // The owner may always change the list: never the user, whose other programs run unelevated.
        guard.owner = token.system ? "SY" : "BA";
        guard.label = "HI";
    } else {
        guard.grants.push_back(token.userSid);
    }
    return guard;
}

std::vector<std::string> WorkFolderRoots(const TokenFacts& token, const std::string& userTemp,
                                         const std::string& windowsFolder) {
    if (!token.system && !token.elevated) {
        if (userTemp.empty()) return {};
        return {WithBackslash(userTemp)};
    }
    if (windowsFolder.empty()) return {};
    const std::string windows = WithBackslash(windowsFolder);
    if (token.system) return {windows + "SystemTemp\\", windows + "Temp\\"};
    return {windows + "Temp\\"};
}

}  // namespace zembra
