#include "tools/pack/DefaultPages.h"

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

}  // namespace

std::string DefaultPage(int page, const ProductDescription& d) {
    const std::string name = Value(d, "ProName"), version = Value(d, "ProVersion");
    const std::string nameAndVersion = Rtf(name + (version.empty() ? "" : " " + version));
    if (page == 0) {
        std::string body = Words(u8"Dieses Programm installiert ") + Bold(name) + Words(u8" auf Ihrem Computer.") +
                           "\\par\r\n" + Words(u8"Bitte schließen Sie alle anderen Programme, bevor Sie fortfahren.") +
                           "\\par\r\n";
        const std::string& install = d.texts[13];
        if (!install.empty() && d.DocNumber("PathChange") != 0)
            body += Words(u8"Wählen Sie unten den Zielordner und klicken Sie dann auf ") + Bold(install) + ".\\par\r\n";
        else if (!install.empty())
            body += Words(u8"Klicken Sie auf ") + Bold(install) + Words(u8", um die Installation zu beginnen.") +
                    "\\par\r\n";
        return Page(Words(u8"Willkommen bei ") + nameAndVersion, 32, body, 20, 120);
    }
    if (page == 1)
        return Page(Rtf(name) + Words(u8" wird installiert"), 26,
                    Words(u8"Die Dateien werden jetzt entpackt und in den Zielordner kopiert.") + "\\par\r\n", 18, 80);
    std::string body = nameAndVersion + Words(u8" ist jetzt installiert.") + "\\par\r\n";
    if (!d.texts[11].empty())
        body += Words(u8"Klicken Sie auf ") + Bold(d.texts[11]) + Words(u8", um das Setup zu beenden.") + "\\par\r\n";
    return Page(Words(u8"Fertig!"), 32, body, 20, 120);
}

}  // namespace zembra
