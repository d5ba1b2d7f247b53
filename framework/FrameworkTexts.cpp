#include "framework/FrameworkTexts.h"

namespace zembra {
namespace {

#define K(name) static_cast<int>(FrameworkText::name)

const LocalText kGerman[] = {
    {K(NoShortName), "Der Name \"[1]\" lässt sich im Zeichensatz dieses Systems (ANSI-Codepage) nicht schreiben, und "
                     "Windows nennt für den Pfad keinen kurzen Namen (8.3), der ihn ersetzen könnte:\n[2]"},
    {K(ShortNamesOff), "Der Name \"[1]\" lässt sich im Zeichensatz dieses Systems (ANSI-Codepage) nicht schreiben, "
                       "und er hat keinen kurzen Namen (8.3), der ihn ersetzen könnte: auf diesem Laufwerk sind kurze "
                       "Namen abgeschaltet.\n[2]"},
};

const LocalText kEnglish[] = {
    {K(NoShortName), "The name \"[1]\" cannot be written in this system's character set (ANSI code page), and "
                     "Windows gives no short name (8.3) for the path that could stand in for it:\n[2]"},
    {K(ShortNamesOff), "The name \"[1]\" cannot be written in this system's character set (ANSI code page), and it "
                       "has no short name (8.3) that could stand in for it: short names are switched off on this "
                       "drive.\n[2]"},
};

#undef K

const TextTables kTables = MakeTextTables("framework", kGerman, kEnglish);

}  // namespace

const TextTables& FrameworkTextTables() { return kTables; }

std::string Utf8Text(FrameworkText key, std::initializer_list<std::string> values) {
    return FillMarkersUtf8(LookUpText(kTables, static_cast<int>(key)), values);
}

}  // namespace zembra
