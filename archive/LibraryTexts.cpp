#include "archive/LibraryTexts.h"

namespace zembra {
namespace {

#define K(name) static_cast<int>(LibraryText::name)

const LocalText kGerman[] = {
    {K(ErrorCaption), "Error!"},
    {K(FilePositionNotFound), "Fileposition ließ sich nicht finden!"},
    {K(CopySourceUnreadable), "Quelldatei läßt sich nicht öffnen!"},
    {K(CopyTargetUnopened), "Zieldatei läßt sich nicht öffnen!"},
    {K(CopyPositionNotFound), "Fileposition nicht gefunden!"},
    {K(CopyTargetUnwritten), "Zieldatei läßt sich nicht schreiben!"},
    {K(KeyNotFound), "Key nicht gefunden!(2)"},
    {K(RegistryPathNotFound), "Pfad in der Registry nicht gefunden!\nEntpacken wird abgebrochen!"},
    {K(FolderUnusable), "Der Installationsordner lässt sich nicht bestimmen.\n\n[1]\n\nEntpacken wird abgebrochen!"},
};

const LocalText kEnglish[] = {
    {K(ErrorCaption), "Error!"},
    {K(FilePositionNotFound), "The position in the package could not be found!"},
    {K(CopySourceUnreadable), "The package cannot be opened!"},
    {K(CopyTargetUnopened), "The target file cannot be opened!"},
    {K(CopyPositionNotFound), "Position in the package not found!"},
    {K(CopyTargetUnwritten), "The target file cannot be written!"},
    {K(KeyNotFound), "Registry key not found! (2)"},
    {K(RegistryPathNotFound), "Path not found in the registry!\nUnpacking is cancelled!"},
    {K(FolderUnusable), "The installation folder cannot be determined.\n\n[1]\n\nUnpacking is cancelled!"},
};

#undef K

const TextTables kTables = MakeTextTables("library", kGerman, kEnglish);

}  // namespace

const TextTables& LibraryTextTables() { return kTables; }

std::string Text(LibraryText key, std::initializer_list<std::string> values) {
    return FillMarkers(LookUpText(kTables, static_cast<int>(key)), values);
}

}  // namespace zembra
