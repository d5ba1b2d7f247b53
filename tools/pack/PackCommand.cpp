#include "tools/pack/PackCommand.h"

#include "archive/PackageDirectory.h"
#include "framework/Language.h"
#include "tools/pack/InitDescription.h"
#include "tools/pack/PackageWriter.h"
#include "tools/pack/ProductPack.h"
#include "tools/pack/WingetManifest.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zembra {
namespace {

#ifdef ZEMBRA_HAVE_LIBDEFLATE
#define ZEMBRA_LEVEL_HELP \
    "  --level N            compression level 0 to 12 for the --gzip entries that follow (default 12);\n" \
    "                       an entry up to 32 MiB is compressed whole by libdeflate, a larger one by\n" \
    "                       zlib in 1 MiB blocks, at level 9 at most\n"
#else
#define ZEMBRA_LEVEL_HELP \
    "  --level N            compression level 0 to 9 for the --gzip entries that follow (default 9); this\n" \
    "                       build has no libdeflate and compresses with zlib, an entry above 32 MiB in\n" \
    "                       1 MiB blocks\n"
#endif

const char kUsage[] =
    "usage: zembra-pack -o PACKAGE [--prefix FILE] [--text TEXT] [--seal] [--level N] [--jobs N] ENTRY...\n"
    "       zembra-pack --product DESCRIPTION --runtime FOLDER -o SETUP.EXE [--ini FILE] [--level N]\n"
    "                   [--jobs N] [--winget FOLDER --url URL]\n"
    "       zembra-pack --winget-only SETUP.EXE --winget FOLDER --url URL\n"
    "       zembra-pack --init DESCRIPTION --from FOLDER [--name NAME] [--lang LANGUAGE]\n"
    "       zembra-pack --list PACKAGE\n"
    "entries, in package order:\n"
    "  --gzip KEY FILE      FILE as one gzip member, for extraction with decoding\n"
    "  --stored KEY FILE    FILE's bytes unchanged, for a plain copy\n"
    "options:\n"
    "  -o, --output PACKAGE the package to write; replaced only once it is complete\n"
    "  --prefix FILE        bytes placed before the first entry (an extractor program, say)\n"
    "  --text TEXT          trailer text, at most 255 bytes (183 with --seal)\n"
    "  --seal               append a SHA-256 of the entries and the directory to the trailer text;\n"
    "                       the extractor runs only sealed packages\n"
    ZEMBRA_LEVEL_HELP
    "  --jobs N             compress on N threads, 1 to 256 (default: one per core); the package is\n"
    "                       the same for any N. At most 64 entries or blocks a thread, 128 MiB of\n"
    "                       input in all, wait in memory to be written\n"
    "  --progress           show the progress on standard error also when it is no terminal\n"
    "product mode (a description needs only ProName and [Files]; the rest has defaults):\n"
    "  --product FILE       the product description (UTF-8 INI: [Product], [Layout], [Placement],\n"
    "                       [Texts], [Pages], [Pictures], [Files])\n"
    "  --runtime FOLDER     where ZembraStart.exe, ZembraSetup.exe and zembra1.dll lie (a Windows\n"
    "                       build's bin folder: win32 for real Windows)\n"
    "  --ini FILE           also write the computed Zembra.ini there\n"
    "  --winget FOLDER      also write the package manager's manifest of the installer into FOLDER\n"
    "                       (needs [Product] PackageIdentifier); write it again after signing with\n"
    "                       --winget-only, since the manifest holds the installer's SHA-256\n"
    "  --url URL            the https:// address the installer is downloaded from\n"
    "a first description:\n"
    "  --init FILE          write a product description that packs as it stands; its optional keys\n"
    "                       and texts are comments showing the defaults. FILE is never replaced.\n"
    "  --from FOLDER        the product's files: each is installed in its folder under <INSTALLDIR>\n"
    "  --name NAME          the product's name (default: the folder's name)\n"
    "  --lang LANGUAGE      the product's language, whose default texts it shows: de (default), en, fr, ...\n";

int Usage(std::ostream& err, const std::string& problem) {
    err << "zembra-pack: " << problem << "\n" << kUsage;
    return 2;
}

const char* LoadErrorText(PackageLoadError error) {
    switch (error) {
        case PackageLoadError::CannotOpen: return "cannot be opened";
        case PackageLoadError::NoMarker: return "is not a package (no marker at its end)";
        case PackageLoadError::OutsideFile: return "is damaged (its trailer reaches before the start of the file)";
        case PackageLoadError::ReadFailed: return "cannot be read";
        case PackageLoadError::OutOfMemory: return "has a directory too large for memory";
        case PackageLoadError::None: break;
    }
    return "cannot be loaded";
}

// A plain decimal number from low to high.
bool ParseNumber(const std::string& text, int low, int high, int* value) {
    if (text.empty() || text.size() > 4 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    const int number = std::stoi(text);
    if (number < low || number > high) return false;
    *value = number;
    return true;
}

constexpr int kMaxJobs = 256;
const std::string kLevelProblem = "--level needs a number from 0 to " + std::to_string(kMaxGzipLevel);
const std::string kJobsProblem = "--jobs needs a number from 1 to " + std::to_string(kMaxJobs);

// One line redrawn on a terminal; otherwise a line per tenth.
class ProgressPrinter {
public:
    ProgressPrinter(std::ostream& err, bool terminal) : m_err(err), m_terminal(terminal) {}
    ~ProgressPrinter() {
        if (m_shown && m_terminal) m_err << "\n";
    }
    void operator()(const PackProgress& p) {
        const int percent = p.inputTotal ? static_cast<int>(std::min<uint64_t>(p.inputDone * 100 / p.inputTotal, 100))
                                         : static_cast<int>(p.entriesDone * 100 / std::max<size_t>(p.entryCount, 1));
        const int step = m_terminal ? percent : percent / 10 * 10;
        if (m_terminal ? step == m_last && p.entriesDone == m_lastEntries : step == m_last) return;
        m_last = step;
        m_lastEntries = p.entriesDone;
        m_shown = true;
        char line[128];
        std::snprintf(line, sizeof line, "zembra-pack: %3d%%  %zu of %zu files, %.1f of %.1f MB", step, p.entriesDone,
                      p.entryCount, p.inputDone / 1e6, p.inputTotal / 1e6);
        if (m_terminal) m_err << "\r" << line << "\x1b[K" << std::flush;
        else m_err << line << "\n";
    }

private:
    std::ostream& m_err;
    bool m_terminal;
    bool m_shown = false;
    int m_last = -1;
    size_t m_lastEntries = 0;
};

std::string WingetCallProblem(const WingetOptions& winget) {
    if (winget.folder.empty() != winget.url.empty()) return "--winget and --url go together";
    return winget.url.empty() ? std::string() : WingetUrlProblem(winget.url);
}

int RunProductCommand(const std::vector<std::string>& args, std::ostream& err, bool errIsTerminal) {
    ProductPackOptions options;
    bool progress = errIsTerminal;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--product" && hasValue) options.description = args[++i];
        else if (a == "--runtime" && hasValue) options.runtimeFolder = args[++i];
        else if ((a == "-o" || a == "--output") && hasValue) options.output = args[++i];
        else if (a == "--ini" && hasValue) options.iniOutput = args[++i];
        else if (a == "--winget" && hasValue) options.winget.folder = args[++i];
        else if (a == "--url" && hasValue) options.winget.url = args[++i];
        else if (a == "--level" && hasValue && ParseNumber(args[i + 1], 0, kMaxGzipLevel, &options.level)) ++i;
        else if (a == "--jobs" && hasValue && ParseNumber(args[i + 1], 1, kMaxJobs, &options.jobs)) ++i;
        else if (a == "--progress") progress = true;
        else if (a == "--level") return Usage(err, kLevelProblem);
        else if (a == "--jobs") return Usage(err, kJobsProblem);
        else if (a == "--product" || a == "--runtime" || a == "-o" || a == "--output" || a == "--ini" ||
                 a == "--winget" || a == "--url")
            return Usage(err, a + " needs a value");
        else return Usage(err, "unknown argument \"" + a + "\" in product mode");
    }
    if (options.description.empty()) return Usage(err, "no product description given (--product FILE)");
    if (options.runtimeFolder.empty()) return Usage(err, "no runtime folder given (--runtime FOLDER)");
    if (options.output.empty()) return Usage(err, "no installer given (-o SETUP.EXE)");
    const std::string wingetProblem = WingetCallProblem(options.winget);
    if (!wingetProblem.empty()) return Usage(err, wingetProblem);
    options.warning = [&err](const std::string& warning) { err << "zembra-pack: " << warning << "\n"; };
    std::string error;
    bool ok;
    {
        ProgressPrinter printer(err, errIsTerminal);
        if (progress) options.progress = [&printer](const PackProgress& p) { printer(p); };
        ok = PackProduct(options, &error);
    }
    if (!ok) {
        err << "zembra-pack: " << error << "\n";
        return 1;
    }
    return 0;
}

// The manifest of an installer written before, such as one signed since.
int RunWingetCommand(const std::vector<std::string>& args, std::ostream& err) {
    std::string installer;
    WingetOptions winget;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* value = a == "--winget-only" ? &installer : a == "--winget" ? &winget.folder
                             : a == "--url" ? &winget.url : nullptr;
        if (!value) return Usage(err, "unknown argument \"" + a + "\" with --winget-only");
        if (i + 1 == args.size()) return Usage(err, a + " needs a value");
        *value = args[++i];
    }
    if (winget.folder.empty()) return Usage(err, "--winget-only needs the manifest's folder (--winget FOLDER)");
    const std::string problem = WingetCallProblem(winget);
    if (!problem.empty()) return Usage(err, problem);
    std::string error;
    if (!WriteWingetManifest(installer, winget, &error,
                             [&err](const std::string& warning) { err << "zembra-pack: " << warning << "\n"; })) {
        err << "zembra-pack: " << error << "\n";
        return 1;
    }
    return 0;
}

int RunInitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    InitOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        std::string* value = a == "--init" ? &options.description : a == "--from" ? &options.folder
                             : a == "--name" ? &options.name : a == "--lang" ? &options.language : nullptr;
        if (!value) return Usage(err, "unknown argument \"" + a + "\" with --init");
        if (i + 1 == args.size()) return Usage(err, a + " needs a value");
        *value = args[++i];
    }
    if (options.folder.empty()) return Usage(err, "--init needs the folder of the product's files (--from FOLDER)");
    if (!FindLanguage(options.language))
        return Usage(err,
                     "--lang " + options.language + " is no language zembra-pack knows (" + KnownLanguageCodes() + ")");
    options.language = FindLanguage(options.language)->code;
    std::string summary, error;
    if (!WriteInitialDescription(options, &summary, &error)) {
        err << "zembra-pack: " << error << "\n";
        return 1;
    }
    out << "zembra-pack: " << summary << "\n";
    return 0;
}

}  // namespace

int ListPackage(const std::string& path, std::ostream& out, std::ostream& err) {
    PackageDirectory directory;
    if (!directory.Load(path.c_str())) {
        err << "zembra-pack: " << path << " " << LoadErrorText(directory.LastError()) << "\n";
        return 1;
    }
    size_t width = 3;
    for (size_t i = 0; i < directory.EntryCount(); ++i) width = std::max(width, std::strlen(directory.Entry(i).key));
    char line[64];
    out << "KEY" << std::string(width - 3, ' ');
    std::snprintf(line, sizeof line, " %10s %10s\n", "OFFSET", "SIZE");
    out << line;
    for (size_t i = 0; i < directory.EntryCount(); ++i) {
        PackageEntryInfo e = directory.Entry(i);
        out << e.key << std::string(width - std::strlen(e.key), ' ');
        std::snprintf(line, sizeof line, " %10lu %10lu\n", static_cast<unsigned long>(e.offset),
                      static_cast<unsigned long>(e.size));
        out << line;
    }
    return 0;
}

int RunPackCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errIsTerminal) {
    if (args.empty()) return Usage(err, "nothing to do");
    if (args[0] == "--help" || args[0] == "-h") {
        out << kUsage;
        return 0;
    }
    if (args[0] == "--list") {
        if (args.size() != 2) return Usage(err, "--list takes exactly one package");
        return ListPackage(args[1], out, err);
    }

    for (const std::string& a : args) {
        if (a == "--product") return RunProductCommand(args, err, errIsTerminal);
        if (a == "--init") return RunInitCommand(args, out, err);
        if (a == "--winget-only") return RunWingetCommand(args, err);
    }

    PackageWriter writer;
    std::string output;
    int level = kDefaultGzipLevel;
    int jobs = 0;
    bool progress = errIsTerminal;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto needs = [&](size_t count) { return i + count < args.size(); };
        if (a == "-o" || a == "--output") {
            if (!needs(1)) return Usage(err, a + " needs a package path");
            output = args[++i];
        } else if (a == "--prefix") {
            if (!needs(1)) return Usage(err, "--prefix needs a file");
            writer.SetPrefixFile(args[++i]);
        } else if (a == "--text") {
            if (!needs(1)) return Usage(err, "--text needs a text");
            writer.SetTrailerText(args[++i]);
        } else if (a == "--progress") {
            progress = true;
        } else if (a == "--seal") {
            writer.SetSealed(true);
        } else if (a == "--level") {
            if (!needs(1) || !ParseNumber(args[i + 1], 0, kMaxGzipLevel, &level)) return Usage(err, kLevelProblem);
            ++i;
        } else if (a == "--jobs") {
            if (!needs(1) || !ParseNumber(args[i + 1], 1, kMaxJobs, &jobs)) return Usage(err, kJobsProblem);
            ++i;
        } else if (a == "--gzip" || a == "--stored") {
            if (!needs(2)) return Usage(err, a + " needs a key and a file");
            writer.AddFile(args[i + 1], args[i + 2], a == "--gzip" ? EntryMode::Gzip : EntryMode::Stored, level);
            i += 2;
        } else {
            return Usage(err, "unknown argument \"" + a + "\"");
        }
    }
    if (output.empty()) return Usage(err, "no package given (-o PACKAGE)");
    if (writer.Entries().empty()) return Usage(err, "no entries given");

    std::string error;
    bool ok;
    {
        ProgressPrinter printer(err, errIsTerminal);
        if (progress) writer.SetProgress([&printer](const PackProgress& p) { printer(p); });
        writer.SetJobs(jobs);
        ok = writer.Write(output, &error);
    }
    if (!ok) {
        err << "zembra-pack: " << error << "\n";
        return 1;
    }
    return 0;
}

}  // namespace zembra
