// Reading and writing the profile file syntax: section headers "[name]", key lines "name=value" and
// comment lines, told apart by the first of the characters ";#[=" in the line. Nothing is trimmed.
#include "profile/CProfileDocument.h"

#include "framework/CFile.h"
#include "framework/MessageBox.h"
#include "framework/WaitCursor.h"

#include <cstring>
#include <utility>

namespace {

void ShowProfileError(const CString& text) { ShowMessageBox(text, "Error!", BoxIconError | BoxTaskModal); }

// Control characters (a tab, say) cannot start a line. Bytes from 0x80 up are letters of the ANSI code
// page or a UTF-8 byte-order mark: such a line is read like any other, so an umlaut at the start of a
// comment or key, or a file saved with a byte-order mark, loads.
bool StartsPrintable(const CString& line) {
    unsigned char first = static_cast<unsigned char>(line[0]);
    return first >= 0x20 && first != 0x7F;
}

}  // namespace

bool CProfileDocument::Load() {
    CWaitCursor wait;
    m_bUniqueKeys = false;
    if (!CFile::Exists(m_strPath)) return false;

    std::vector<CString> lines;
    {
        CStdioFile file;
        if (!file.Open(m_strPath, CFile::modeRead)) {
            ShowProfileError("Die Datei\n" + m_strPath + "\nnicht gefunden");
            return false;
        }
        CString line;
        while (file.ReadString(line)) lines.push_back(std::move(line));
        if (file.HasReadError()) {  // a file that cannot be read whole is not loaded in part
            ShowProfileError("Die Datei\n" + m_strPath + "\nnicht gefunden");
            return false;
        }
    }

    CString sectionName, lastKeyName;
    std::vector<CString> pending;  // comments waiting for the next section header
    long lineNumber = 0;
    for (CString& line : lines) {
        ++lineNumber;
        int length = line.GetLength();
        if (length > 0 && line[length - 1] == '\r') line = line.Left(length - 1);
        if (line.IsEmpty()) continue;
        if (!StartsPrintable(line)) {
            CString message;
            message.Format("Die Datei\n%s\nhat einen falschen Datentyp in\nZeile %ld", m_strPath.c_str(), lineNumber);
            ShowProfileError(message);
            return false;
        }
        const char* text = line;
        const char* mark = std::strpbrk(text, ";#[=");
        if (!mark) continue;
        int at = static_cast<int>(mark - text);
        switch (*mark) {
            case ';':
            case '#':
                AddCommentLine(lastKeyName.IsEmpty() ? m_HeaderComments : pending, line);
                break;
            case '=':
                lastKeyName = line.Left(at);
                SetString(sectionName, lastKeyName, text + at + 1);
                break;
            default: {  // '['
                int close = line.Find(']');
                if (close < at) break;  // no ']', or only one before the '['
                sectionName = line.Mid(at + 1, close - at - 1);
                CProfileEntry* section = AddSection(sectionName);
                section->m_Comments = std::move(pending);
                pending.clear();
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
    // leaves the earlier file as it was.
    CString temporary = m_strPath + ".$$$";
    CFile file;
    if (!file.Open(temporary, CFile::modeWrite | CFile::modeCreate)) {
        ShowProfileError("Die Datei\n" + m_strPath + "\nließ sich nicht speichern");
        return false;
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
    if (written) written = CFile::Replace(temporary, m_strPath);
    if (!written) {
        CFile::Remove(temporary);
        ShowProfileError("Die Datei\n" + m_strPath + "\nließ sich nicht speichern");
        return false;
    }
    return true;
}
