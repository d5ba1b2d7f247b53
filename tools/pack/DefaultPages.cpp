#include "tools/pack/DefaultPages.h"

#include "framework/Language.h"
#include "tools/pack/Cp1252.h"

#include <cstdio>

namespace zembra {
namespace {

// RTF for text in code page 1252: the specials escaped, bytes beyond ASCII as \'xx, line breaks of
// numbered texts (byte 6) as spaces.
std::string Rtf(const std::string& ansi) {
    std::string rtf;
    for (unsigned char c : ansi) {
        if (c == '\\' || c == '{' || c == '}') {
            rtf += '\\';
            rtf += static_cast<char>(c);
        } else if (c == '\t') {
            rtf += "\\tab ";
        } else if (c < 0x20) {
            rtf += ' ';
        } else if (c >= 0x80) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", c);
            rtf += hex;
        } else {
            rtf += static_cast<char>(c);
        }
    }
    return rtf;
}

// Fixed wording, written here in UTF-8.
std::string Words(const char* utf8) {
    std::string ansi;
    size_t bad = 0;
    Utf8ToCp1252(utf8, &ansi, &bad);
    return Rtf(ansi);
}

std::string Bold(const std::string& ansi) { return "\\b " + Rtf(ansi) + "\\b0 "; }

std::string Value(const ProductDescription& d, const char* key) {
    const std::string* value = d.Doc(key);
    return value ? *value : std::string();
}

// The demo's look: a coloured heading over grey body text in Arial.
std::string Page(const std::string& heading, int headingSize, const std::string& body, int bodySize, int spacing) {
    return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
           "{\\colortbl;\\red40\\green70\\blue140;\\red60\\green60\\blue60;}\r\n"
           "\\viewkind4\\uc1\\pard\\sa" + std::to_string(spacing) + "\\cf1\\b\\f0\\fs" + std::to_string(headingSize) +
           " " + heading + "\\b0\\par\r\n\\cf2\\fs" + std::to_string(bodySize) + " " + body + "}\r\n";
}

// The pages' fixed wording (UTF-8), around the product's name and the buttons' texts.
struct PageWords {
    const char* welcome;
    const char* installs;
    const char* onComputer;
    const char* closeOthers;
    const char* chooseThenClick;
    const char* click;
    const char* toBegin;
    const char* beingInstalled;
    const char* copying;
    const char* done;
    const char* installed;
    const char* toEnd;
};

const PageWords kGermanWords = {
    u8"Willkommen bei ",
    u8"Dieses Programm installiert ",
    u8" auf Ihrem Computer.",
    u8"Bitte schließen Sie alle anderen Programme, bevor Sie fortfahren.",
    u8"Wählen Sie unten den Zielordner und klicken Sie dann auf ",
    u8"Klicken Sie auf ",
    u8", um die Installation zu beginnen.",
    u8" wird installiert",
    u8"Die Dateien werden jetzt entpackt und in den Zielordner kopiert.",
    u8"Fertig!",
    u8" ist jetzt installiert.",
    u8", um das Setup zu beenden.",
};

const PageWords kEnglishWords = {
    u8"Welcome to ",
    u8"This program installs ",
    u8" on your computer.",
    u8"Please close all other programs before you continue.",
    u8"Choose the target folder below and then click ",
    u8"Click ",
    u8" to begin the installation.",
    u8" is being installed",
    u8"The files are now being unpacked and copied into the target folder.",
    u8"Done!",
    u8" is now installed.",
    u8" to end the setup.",
};

}  // namespace

std::string DefaultPage(int page, const ProductDescription& d, const std::string& language,
                        const std::string (&texts)[kTextCount]) {
    const PageWords& w = FixedTextLanguage(language) == TextLanguage::German ? kGermanWords : kEnglishWords;
    const std::string name = Value(d, "ProName"), version = Value(d, "ProVersion");
    const std::string nameAndVersion = Rtf(name + (version.empty() ? "" : " " + version));
    if (page == 0) {
        std::string body = Words(w.installs) + Bold(name) + Words(w.onComputer) + "\\par\r\n" + Words(w.closeOthers) +
                           "\\par\r\n";
        const std::string& install = texts[13];
        if (!install.empty() && d.DocNumber("PathChange") != 0)
            body += Words(w.chooseThenClick) + Bold(install) + ".\\par\r\n";
        else if (!install.empty())
            body += Words(w.click) + Bold(install) + Words(w.toBegin) + "\\par\r\n";
        return Page(Words(w.welcome) + nameAndVersion, 32, body, 20, 120);
    }
    if (page == 1) return Page(Rtf(name) + Words(w.beingInstalled), 26, Words(w.copying) + "\\par\r\n", 18, 80);
    std::string body = nameAndVersion + Words(w.installed) + "\\par\r\n";
    if (!texts[11].empty()) body += Words(w.click) + Bold(texts[11]) + Words(w.toEnd) + "\\par\r\n";
    return Page(Words(w.done), 32, body, 20, 120);
}

}  // namespace zembra
