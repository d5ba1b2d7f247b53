#include "tools/pack/ProductManifest.h"

#include "archive/PackageKeys.h"
#include "archive/PeImage.h"
#include "framework/AnsiText.h"
#include "install/FileList.h"
#include "install/ProductRecord.h"
#include "install/Texts.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>

#ifdef _WIN32
#include <windows.h>
#endif

namespace zembra {
namespace {

constexpr size_t kHeadBytes = 4096;
constexpr uint64_t kMaxCount = 0x7FFFFFFF;  // FSize and DataSize are read as signed 32-bit numbers
constexpr size_t kCompareVersionsFlag = 4;   // position 5 of FFlags

// Paths here are in the runtime's narrow encoding: UTF-8 natively, the ANSI code page on Windows.
std::filesystem::path FsPath(const std::string& path) {
#ifdef _WIN32
    return std::filesystem::path(path);
#else
    return std::filesystem::u8path(path);
#endif
}

std::string Where(const std::string& name, const ProductFile& file) {
    return name + ":" + std::to_string(file.line) + ": \"" + file.source + "\"";
}

bool ReadBytes(std::FILE* f, uint64_t count, std::string* bytes) {
    bytes->resize(static_cast<size_t>(count));
    return count == 0 || std::fread(&(*bytes)[0], 1, bytes->size(), f) == bytes->size();
}

void Put(std::string& ini, const std::string& key, const std::string& value) { ini += key + "=" + value + "\r\n"; }

void ListEntries(ProductManifest* manifest) {
    manifest->entries.clear();
    std::set<std::string> packed;
    for (const ManifestFile& m : manifest->files)
        if (packed.insert(m.key).second) manifest->entries.push_back(&m);
}

}  // namespace

bool InspectFile(const std::string& path, FileFacts* m, std::string* problem) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        *problem = "cannot be opened";
        return false;
    }
    std::error_code code;
    const uint64_t size = std::filesystem::file_size(FsPath(path), code);
    bool ok = !code;
    if (!ok) *problem = "cannot be measured";
    else if (size > kMaxCount) *problem = "is larger than the 2 GB the setup program counts", ok = false;
    std::string head;
    if (ok && !ReadBytes(f, std::min<uint64_t>(size, kHeadBytes), &head)) *problem = "cannot be read", ok = false;
    if (ok) {
        m->size = static_cast<uint32_t>(size);
        PeImage image;
        std::string notPe;
        if (ParsePeHeaders(reinterpret_cast<const uint8_t*>(head.data()), head.size(), &image, &notPe)) {
            m->program = !image.dll;
            std::string imageBytes = head;
            const uint64_t end = std::min<uint64_t>(size, image.imageEnd);
            if (end > head.size()) {
                std::string rest;
                if (!ReadBytes(f, end - head.size(), &rest)) *problem = "cannot be read", ok = false;
                imageBytes += rest;
            }
            if (ok)
                m->hasVersion = ReadPeFileVersion(reinterpret_cast<const uint8_t*>(imageBytes.data()), imageBytes.size(),
                                                  &m->versionHigh, &m->versionLow) == PeVersionStatus::Found;
        }
    }
    std::fclose(f);
    return ok;
}

std::string SourcePath(const ProductDescription& description, const std::string& relative) {
    std::string path = relative;
    const bool absolute = (!path.empty() && (path[0] == '/' || path[0] == '\\')) ||
                          (path.size() > 1 && path[1] == ':');
    if (!absolute) path = description.folder + path;
#ifdef _WIN32
    // The description is UTF-8; the runtime opens files by their ANSI names.
    int wide = MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, nullptr, 0);
    if (wide > 0) {
        std::wstring w(static_cast<size_t>(wide), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, path.c_str(), -1, &w[0], wide);
        int ansi = WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, nullptr, 0, nullptr, nullptr);
        if (ansi > 0) {
            std::string a(static_cast<size_t>(ansi), '\0');
            WideCharToMultiByte(CP_ACP, 0, w.c_str(), -1, &a[0], ansi, nullptr, nullptr);
            a.resize(static_cast<size_t>(ansi) - 1);
            path = a;
        }
    }
#else
    for (char& c : path)
        if (c == '\\') c = '/';
#endif
    return path;
}

bool BuildProductManifest(const ProductDescription& description, const std::string& descriptionName,
                          ProductManifest* manifest, std::string* error) {
    *manifest = ProductManifest();
    manifest->files.reserve(description.files.size());
    std::map<std::string, std::string> keyOfSource;
    for (const ProductFile& file : description.files) {
        ManifestFile m;
        m.file = &file;
        m.path = SourcePath(description, file.source);
        std::string problem;
        if (!InspectFile(m.path, &m, &problem)) {
            *error = Where(descriptionName, file) + " " + problem;
            return false;
        }
        if (file.flags[kCompareVersionsFlag] == '1' && !m.hasVersion) {
            *error = Where(descriptionName, file) +
                     " has no version resource, but its flags ask to compare versions (position 5)";
            return false;
        }
        std::error_code code;
        const std::string identity = std::filesystem::weakly_canonical(FsPath(m.path), code).string();
        auto known = keyOfSource.find(code ? m.path : identity);
        if (known != keyOfSource.end()) {
            m.key = known->second;
        } else {
            m.key = ProductFileKey(keyOfSource.size());
            keyOfSource.emplace(code ? m.path : identity, m.key);
        }
        manifest->dataSize += m.size;
        manifest->files.push_back(m);
    }
    if (manifest->dataSize > kMaxCount) {
        *error = descriptionName + ": the files add up to " + std::to_string(manifest->dataSize) +
                 " bytes, more than the 2147483647 the setup program counts";
        return false;
    }
    ListEntries(manifest);
    return true;
}

bool AddUninstaller(const ProductDescription& description, const std::string& uninstallerPath,
                    const std::string& descriptionName, ProductManifest* manifest, std::string* error) {
    for (const ManifestFile& m : manifest->files) {
        for (const char* own : {kUninstallerName, kProductRecordName, kInstalledListName}) {
            if (AnsiCompareNoCase(m.file->name.c_str(), own) != 0) continue;
            *error = Where(descriptionName, *m.file) + ": " + own + " is the uninstaller's own name (Uninstall=1)";
            return false;
        }
    }
    const auto doc = [&description](const char* key) {
        const std::string* value = description.Doc(key);
        return value ? *value : std::string();
    };
    ProductFile program{uninstallerPath, "<LISTDIR>", "10000111", kUninstallerName, "/register", 0};
    ProductFile record{kProductRecordName, "<LISTDIR>", "10000000", kProductRecordName, "", 0};
    manifest->addedFiles.push_front(record);
    manifest->addedFiles.push_front(program);
    ManifestFile uninstaller;
    uninstaller.file = &manifest->addedFiles[0];
    uninstaller.path = uninstallerPath;
    uninstaller.key = kUninstallerKey;
    std::string problem;
    if (!InspectFile(uninstallerPath, &uninstaller, &problem)) {
        *error = "the uninstaller " + uninstallerPath + " " + problem;
        return false;
    }
    ManifestFile made;
    made.file = &manifest->addedFiles[1];
    made.key = kProductRecordKey;
    made.made = ProductRecordText({doc("ProName"), doc("ProVersion"), doc("Publisher"), doc("RegVersion"), doc("AppId"),
                                   description.LanguageList()});
    made.size = static_cast<uint32_t>(made.made.size());
    manifest->files.insert(manifest->files.begin(), {uninstaller, made});
    manifest->dataSize += uninstaller.size + made.size;
    if (manifest->dataSize > kMaxCount) {
        *error = descriptionName + ": the files and the uninstaller add up to more than the 2147483647 bytes the "
                                   "setup program counts";
        return false;
    }
    ListEntries(manifest);
    return true;
}

std::string ZembraIniText(const ProductDescription& description, const ProductManifest& manifest) {
    std::string ini = "; Written by zembra-pack from the product description; the manifest is computed from the files.\r\n";
    ini += "\r\n[Doc]\r\n";
    for (const auto& key : description.docKeys) Put(ini, key.first, key.second);
    if (!description.LanguageList().empty()) Put(ini, "Languages", description.LanguageList());
    for (int n = 0; n < kTextCount; ++n)
        if (description.hasText[n]) Put(ini, "Text" + std::to_string(n), description.texts[n]);
    Put(ini, "FileCount", std::to_string(manifest.files.size()));
    Put(ini, "DataSize", std::to_string(manifest.dataSize));
    for (size_t i = 0; i < manifest.files.size(); ++i) {
        const ManifestFile& m = manifest.files[i];
        ini += "\r\n[PFile" + std::to_string(i) + "]\r\n";
        Put(ini, "FFlags", m.file->flags);
        Put(ini, "FName", m.file->name);
        Put(ini, "FDir", m.file->folder);
        Put(ini, "FPName", m.key);
        Put(ini, "FSize", std::to_string(m.size));
        if (!m.file->params.empty()) Put(ini, "FParams", m.file->params);
        if (m.hasVersion) {
            Put(ini, "Vers1", std::to_string(m.versionHigh));
            Put(ini, "Vers2", std::to_string(m.versionLow));
        }
    }
    // The further languages' texts, where the setup program finds them by language (install/Texts.h).
    for (const LanguageTexts& t : description.translations) {
        ini += "\r\n[" + std::string(kLanguageTextsSection) + t.code + "]\r\n";
        for (int n = 0; n < kTextCount; ++n)
            if (t.hasText[n]) Put(ini, "Text" + std::to_string(n), t.texts[n]);
    }
    for (bool desktop : {false, true}) {
        std::string section;
        size_t count = 0;
        for (const ProductShortcut& s : description.shortcuts) {
            if (s.desktop != desktop) continue;
            const std::string n = std::to_string(count++);
            Put(section, "Name" + n, s.name);
            Put(section, "Target" + n, s.folder + "\\" + s.file);
            if (!s.arguments.empty()) Put(section, "Arguments" + n, s.arguments);
        }
        if (count > 0)
            ini += std::string("\r\n[") + (desktop ? "Desktop" : "Shortcuts") + "]\r\nCount=" + std::to_string(count) +
                   "\r\n" + section;
    }
    return ini;
}

}  // namespace zembra
