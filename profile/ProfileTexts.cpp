#include "profile/ProfileTexts.h"

namespace zembra {
namespace {

#define K(name) static_cast<int>(ProfileText::name)

const LocalText kGerman[] = {
    {K(ErrorCaption), "Error!"},
    {K(FileNotFound), "Die Datei\n[1]\nnicht gefunden"},
    {K(WrongLine), "Die Datei\n[1]\nhat einen falschen Datentyp in\nZeile [2]"},
    {K(NotSaved), "Die Datei\n[1]\nließ sich nicht speichern"},
};

const LocalText kEnglish[] = {
    {K(ErrorCaption), "Error!"},
    {K(FileNotFound), "The file\n[1]\nwas not found"},
    {K(WrongLine), "The file\n[1]\nhas a wrong data type in\nline [2]"},
    {K(NotSaved), "The file\n[1]\ncould not be saved"},
};

#undef K

const TextTables kTables = MakeTextTables("profile", kGerman, kEnglish);

}  // namespace

const TextTables& ProfileTextTables() { return kTables; }

std::string Text(ProfileText key, std::initializer_list<std::string> values) {
    return FillMarkers(LookUpText(kTables, static_cast<int>(key)), values);
}

}  // namespace zembra
