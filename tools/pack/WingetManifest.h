// zembra-pack --winget: the package manager's multi-file manifest, version 1.10.0, of a finished
// installer: ID.yaml (version), ID.installer.yaml and ID.locale.LOCALE.yaml (the default locale: the
// product's main language, de-DE unless Languages names another first), ID being [Product]
// PackageIdentifier. Everything comes from the installer itself: the product's keys
// from its "Zembra.ini", the architecture from the extractor's machine type, the SHA-256 from its
// bytes. So a manifest belongs to exactly the file it was written from; signing the installer changes
// its bytes, and the manifest is written again from the signed file (--winget-only).
#pragma once

#include <functional>
#include <string>

namespace zembra {

// The manifest's locale of a product language ("en" -> "en-US"); "de-DE" for a code it does not know.
std::string WingetLocale(const std::string& languageCode);

struct WingetOptions {
    std::string folder;  // where the three files go; made when missing
    std::string url;     // where the installer is downloaded from: https only
};

// Empty, or why identifier is none of the package manager's (two to eight parts of 1 to 32 characters
// joined by dots, no blanks and none of \ / : * ? " < > |).
std::string PackageIdentifierProblem(const std::string& identifier);

// Empty, or why url cannot be the installer's address.
std::string WingetUrlProblem(const std::string& url);

// Empty, or what a product's keys (code page 1252, as doc looks them up; null for a missing one) lack
// for a manifest, naming the key.
std::string WingetKeyProblem(const std::function<const std::string*(const char*)>& doc);

// Writes the three files from the installer. False with a message, naming the installer; warning is
// told what the manifest has to leave out.
bool WriteWingetManifest(const std::string& installer, const WingetOptions& options, std::string* error,
                         const std::function<void(const std::string&)>& warning);

}  // namespace zembra
