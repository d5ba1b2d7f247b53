// Reading and writing the profile file syntax: section headers "[name]", key lines "name=value" and
// comment lines, told apart by the first of the characters ";#[=" in the line. Nothing is trimmed.
#include "profile/CProfileDocument.h"

#include "framework/CFile.h"
#include "framework/TextLines.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"
#include "profile/ProfileTexts.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

void ShowProfileError(const std::string& text) {
    ShowMessageBox(text.c_str(), zembra::Text(zembra::ProfileText::ErrorCaption).c_str(), BoxIconError | BoxTaskModal);
}

// Control characters (a tab, say) cannot start a line. Bytes from 0x80 up are letters of the ANSI code
// page or a UTF-8 byte-order mark: such a line is read like any other, so an umlaut at the start of a
// comment or key, or a file saved with a byte-order mark, loads.
bool StartsPrintable(char first) {
    unsigned char c = static_cast<unsigned char>(first);
    return c >= 0x20 && c != 0x7F;
}

// Longer lines do not fit the string type; they are reported like any other line that is no text.
constexpr size_t kMaxLine = 0x3FFFFFFF;

CString Text(const char* begin, const char* end) { return CString(begin, static_cast<int>(end - begin)); }

}  // namespace

bool CProfileDocument::Load() {
    CWaitCursor wait;
    m_bUniqueKeys = false;
    if (!CFile::Exists(m_strPath)) return false;

    std::vector<char> bytes;
    {
        CFile file;
        // A file that cannot be read whole is not loaded in part.
        if (!file.Open(m_strPath, CFile::modeRead) || !file.ReadToEnd(bytes)) {
            ShowProfileError(zembra::Text(zembra::ProfileText::FileNotFound, {m_strPath.c_str()}));
            return false;
        }
    }

    CString sectionName;
    bool lastKeyNamed = false;  // the most recent key line had a name
    std::vector<CString> pending;  // comments waiting for the next section header
    AnsiNoCaseIndex headerIndex, pendingIndex;
    for (size_t i = 0; i < m_HeaderComments.size(); ++i) {
        if (m_HeaderComments[i].IsEmpty()) continue;
        headerIndex.Insert(static_cast<uint32_t>(i), m_HeaderComments[i], [this](uint32_t k) { return m_HeaderComments[k].c_str(); });
    }
    long lineNumber = 0;
    CTextLines lines(bytes.data(), bytes.size());
    const char* text;
    size_t length;
    while (lines.Next(text, length)) {
        ++lineNumber;
        if (length > 0 && text[length - 1] == '\r') --length;
        if (length == 0) continue;
        if (!StartsPrintable(text[0]) || length > kMaxLine) {
            ShowProfileError(
                zembra::Text(zembra::ProfileText::WrongLine, {m_strPath.c_str(), std::to_string(lineNumber)}));
            return false;
        }
        const char* end = text + length;
        const char* mark = std::find_if(text, end, [](char c) { return c == ';' || c == '#' || c == '[' || c == '='; });
        if (mark == end) continue;
        switch (*mark) {
            case ';':
            case '#':
                if (lastKeyNamed) AddCommentLine(pending, Text(text, end), &pendingIndex);
                else AddCommentLine(m_HeaderComments, Text(text, end), &headerIndex);
                break;
            case '=':
                // SetString without its copy of the value: nothing here can move this text.
                lastKeyNamed = mark > text;
                FindOrAddKey(sectionName, Text(text, mark))->m_strValue = Text(mark + 1, end);
                break;
            default: {  // '['
                const char* close = std::find(text, end, ']');
                if (close == end || close < mark) break;  // no ']', or only one before the '['
                sectionName = Text(mark + 1, close);
                CProfileEntry* section = AddSection(sectionName);
                section->m_Comments = std::move(pending);
                pending.clear();
                pendingIndex.Clear();
                m_pCurrentSection = section;
                break;
            }
        }
    }
    m_pCurrentSection = nullptr;
    m_bUniqueKeys = true;
    return m_nSectionCount > 0;
}

bool CProfileDocument::Save() {
    // Written beside the file and put in its place only when whole: a full disk or a failing write
    // leaves the earlier file as it was. Where no file can be made beside it (a path at the length
    // limit, say), the file itself is written, as before, and removed again when that fails.
    CString temporary = m_strPath + ".$$$";
    CFile file;
    bool inPlace = false;
    if (!file.Open(temporary, CFile::modeWrite | CFile::modeCreate)) {
        inPlace = true;
        if (!file.Open(m_strPath, CFile::modeWrite | CFile::modeCreate)) {
            ShowProfileError(zembra::Text(zembra::ProfileText::NotSaved, {m_strPath.c_str()}));
            return false;
        }
    }
    bool written = true;
    CString block;
    for (const CString& comment : m_HeaderComments) {
        if (comment.IsEmpty()) continue;
        block += comment;
        block += "\r\n";
    }
    if (!block.IsEmpty()) written = file.Write(block.c_str(), static_cast<unsigned>(block.GetLength()));
    for (int s = 0; s < m_nSectionCount && written; ++s) {
        const CProfileEntry& section = m_Sections[static_cast<size_t>(s)];
        block = "\r\n";
        for (const CString& comment : section.m_Comments) {
            block += comment;
            block += "\r\n";
        }
        block += '[';
        block += section.m_strName;
        block += "]\r\n";
        for (int k = 0; k < section.m_nKeyCount; ++k) {
            const CProfileEntry& key = section.m_Keys[static_cast<size_t>(k)];
            block += key.m_strName;
            block += '=';
            block += key.m_strValue;
            block += "\r\n";
        }
        written = file.Write(block.c_str(), static_cast<unsigned>(block.GetLength()));
    }
    written = file.Close() && written;
    if (written && !inPlace) written = CFile::Replace(temporary, m_strPath);
    if (!written) {
        CFile::Remove(inPlace ? m_strPath : temporary);
        ShowProfileError(zembra::Text(zembra::ProfileText::NotSaved, {m_strPath.c_str()}));
        return false;
    }
    return true;
}
