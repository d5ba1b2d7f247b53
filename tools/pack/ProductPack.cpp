#include "tools/pack/ProductPack.h"

#include "archive/PackageKeys.h"
#include "archive/PackageSeal.h"
#include "archive/PeImage.h"
#include "archive/SetupLock.h"
#include "tools/pack/DefaultPages.h"
#include "tools/pack/PictureFile.h"
#include "tools/pack/ProductDefaults.h"
#include "tools/pack/ProductDescription.h"
#include "tools/pack/ProductManifest.h"
#include "tools/pack/ProductWarnings.h"
#include "tools/pack/WholeFile.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace zembra {
namespace {

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

bool ReadFile(const std::string& path, std::string* bytes, size_t limit = std::string::npos) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    if (limit == std::string::npos) {
        bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else {
        bytes->assign(limit, '\0');
        in.read(&(*bytes)[0], static_cast<std::streamsize>(limit));
        bytes->resize(static_cast<size_t>(in.gcount()));
    }
    return !in.bad();
}

const char* MachineName(uint16_t machine) {
    switch (machine) {
        case kPeMachineI386: return "32-bit (x86)";
        case kPeMachineAmd64: return "64-bit (x86-64)";
        default: return "of an unknown machine";
    }
}

// The runtime programs (the uninstaller when asked for), all there and all of one architecture.
bool CheckRuntime(const std::string& folder, bool uninstaller, std::string paths[4], std::string* error) {
    const char* const names[4] = {kExtractorProgram, kSetupProgram, kRuntimeFileName, kUninstallerProgram};
    uint16_t machine = 0;
    for (int i = 0; i < (uninstaller ? 4 : 3); ++i) {
        paths[i] = folder + (folder.empty() || folder.back() == '/' || folder.back() == '\\' ? "" : "/") + names[i];
        std::string head;
        if (!ReadFile(paths[i], &head, 4096)) {
            *error = "the runtime folder " + Quoted(folder) + " lacks " + names[i] +
                     " (give the bin folder of a Windows build with --runtime)";
            return false;
        }
        PeImage image;
        std::string problem;
        if (!ParsePeHeaders(reinterpret_cast<const uint8_t*>(head.data()), head.size(), &image, &problem)) {
            *error = Quoted(paths[i]) + ": " + problem;
            return false;
        }
        if (image.dll != (i == 2)) {
            *error = Quoted(paths[i]) + (i == 2 ? " is not a DLL" : " is a DLL, not a program");
            return false;
        }
        if (i == 0) machine = image.machine;
        else if (image.machine != machine) {
            *error = "the runtime folder mixes architectures: " + std::string(names[0]) + " is " + MachineName(machine) +
                     ", " + names[i] + " is " + MachineName(image.machine);
            return false;
        }
    }
    return true;
}

// One language's three pages: the entries' keys, and the author's files or the pages made for them.
struct LanguagePages {
    std::string keys[3], files[3], made[3];
};

bool CheckPage(const std::string& path, std::string* problem) {
    std::string head;
    if (!ReadFile(path, &head, 5)) *problem = "cannot be read";
    else if (head != "{\\rtf") *problem = "is not an RTF file (it must begin with {\\rtf)";
    else return true;
    return false;
}

}  // namespace

bool PackProduct(const ProductPackOptions& options, std::string* error) {
    std::string text;
    if (!ReadFile(options.description, &text)) {
        *error = "cannot read the product description " + Quoted(options.description);
        return false;
    }
    ProductDescription description;
    if (!ParseProductDescription(text, options.description, &description, error)) return false;
    const auto doc = [&description](const char* key) { return description.Doc(key); };
    const std::string wingetProblem = options.winget.folder.empty() ? "" : WingetKeyProblem(doc);
    if (!wingetProblem.empty()) {
        *error = options.description + ":" + std::to_string(description.lineCount) + ": " + wingetProblem;
        return false;
    }

    const bool uninstaller = description.DocNumber("Uninstall") == 1;
    std::string runtime[4];
    if (!CheckRuntime(options.runtimeFolder, uninstaller, runtime, error)) return false;

    ProductManifest manifest;
    if (!BuildProductManifest(description, options.description, &manifest, error)) return false;
    ApplyProductDefaults(&description, DefaultProductVersion(ProgramVersion(manifest.files)));
    if (uninstaller && !AddUninstaller(description, runtime[3], options.description, &manifest, error)) return false;

    // The author's pages and pictures, checked; the missing ones made (a missing last picture is left
    // to the setup program, which then shows the first one again). Each further language has its own
    // pages after the main language's.
    const char* const pictureKeys[3] = {"A20", "A21", "A22"};
    std::vector<LanguagePages> pages(description.languages.size());
    std::string pictures[3], madePictures[3];
    PictureSize sizes[3];
    for (size_t l = 0; l < pages.size(); ++l) {
        const bool main = l == 0;
        const std::string& code = description.languages[l];
        const std::string* given = main ? description.pages : description.translations[l - 1].pages;
        for (int i = 0; i < 3; ++i) {
            pages[l].keys[i] = main ? "A1" + std::to_string(i + 1) : LanguagePageKey(i + 1, code);
            std::string problem;
            if (given[i].empty()) {
                pages[l].made[i] =
                    DefaultPage(i, description, code, main ? description.texts : description.translations[l - 1].texts);
                continue;
            }
            pages[l].files[i] = SourcePath(description, given[i]);
            if (!CheckPage(pages[l].files[i], &problem)) {
                *error = options.description + ": page " + std::to_string(i + 1) + (main ? "" : " of " + code) + " " +
                         Quoted(given[i]) + " " + problem;
                return false;
            }
        }
    }
    for (int i = 0; i < 3; ++i) {
        std::string problem;
        if (!description.pictures[i].empty()) {
            pictures[i] = SourcePath(description, description.pictures[i]);
            std::string bytes;
            if (!ReadFile(pictures[i], &bytes)) problem = "cannot be read";
            if (!problem.empty() || !MeasurePicture(bytes, &sizes[i], &problem)) {
                *error = options.description + ": picture " + std::to_string(i + 1) + " " +
                         Quoted(description.pictures[i]) + " " + problem;
                return false;
            }
        } else if (i < 2) {
            const long width = description.DocNumber(i == 0 ? "Pic1Width" : "Pic2Width");
            const long height = description.DocNumber(i == 0 ? "Pic1Height" : "Pic2Height");
            if (width > 0 && height > 0) madePictures[i] = PlainPicture(width, height, i == 1);
        }
    }
    if (options.warning)
        for (const std::string& warning : ProductWarnings(description, manifest, sizes, options.description))
            options.warning(warning);

    std::string trailer = description.trailerText;
    if (trailer.empty()) {
        const std::string* name = description.Doc("ProName");
        const std::string* version = description.Doc("ProVersion");
        trailer = (name ? *name : std::string()) + (version && !version->empty() ? " " + *version : std::string());
        trailer = trailer.substr(0, kMaxSealedFreeText);
    }
    const std::string ini = ZembraIniText(description, manifest);
    // Installations of the product, in any version and folder, exclude each other; other products' do not.
    const std::string& name = *description.Doc("ProName");
    const std::string* appId = description.Doc("AppId");
    std::string lock;
    if (!SetupLockText(appId && !appId->empty() ? *appId : name, name, &lock, error)) return false;

    // In the order the library unpacks them, then the runtime library and the product's files.
    PackageWriter writer;
    writer.SetPrefixFile(runtime[0]);
    writer.SetTrailerText(trailer);
    writer.SetSealed(true);
    writer.SetProgress(options.progress);
    writer.SetJobs(options.jobs);
    writer.AddData(kSetupLockKey, lock, EntryMode::Stored);
    if (!description.LanguageList().empty())
        writer.AddData(kLanguagesKey, description.LanguageList(), EntryMode::Stored);
    writer.AddFile(kSetupProgramKey, runtime[1], EntryMode::Gzip, options.level);
    for (int i = 0; i < 3; ++i) {
        if (!pictures[i].empty()) writer.AddFile(pictureKeys[i], pictures[i], EntryMode::Gzip, options.level);
        else if (!madePictures[i].empty()) writer.AddData(pictureKeys[i], madePictures[i], EntryMode::Gzip, options.level);
    }
    writer.AddData("A23", ini, EntryMode::Gzip, options.level);
    const auto addPages = [&](const LanguagePages& language) {
        for (int i = 0; i < 3; ++i) {
            if (!language.files[i].empty())
                writer.AddFile(language.keys[i], language.files[i], EntryMode::Gzip, options.level);
            else writer.AddData(language.keys[i], language.made[i], EntryMode::Gzip, options.level);
        }
    };
    addPages(pages[0]);
    writer.AddFile(kRuntimeKey, runtime[2], EntryMode::Gzip, options.level);
    // The setup program unpacks a further language's pages itself, when it speaks it.
    for (size_t l = 1; l < pages.size(); ++l) addPages(pages[l]);
    for (const ManifestFile* entry : manifest.entries) {
        if (entry->path.empty()) writer.AddData(entry->key, entry->made, EntryMode::Gzip, options.level);
        else writer.AddFile(entry->key, entry->path, EntryMode::Gzip, options.level);
    }

    std::string problem = writer.Validate();
    if (!problem.empty()) {
        *error = options.description + ": " + problem;
        return false;
    }
    if (!writer.Write(options.output, error)) return false;
    if (!options.iniOutput.empty() && !WriteWholeFile(options.iniOutput, ini, ExistingFile::Replace, error))
        return false;
    return options.winget.folder.empty() ||
           WriteWingetManifest(options.output, options.winget, error, [&options](const std::string& warning) {
               if (options.warning) options.warning(warning);
           });
}

}  // namespace zembra
