#include "install/FileList.h"

#include "profile/CNyStringArray.h"
#include "profile/CProfileDocument.h"

CString EncodeName(const char* name) {
    CString encoded;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(name); *p; ++p) {
        encoded += static_cast<char>('A' + (*p & 15));
        encoded += static_cast<char>('A' + ((*p >> 4) & 15));
    }
    return encoded;
}

CString DecodeName(const char* encoded) {
    // Names longer than a path are kept whole: cutting them would record a different folder.
    CString name;
    for (const char* p = encoded; p[0] && p[1]; p += 2) {
        int low = static_cast<unsigned char>(p[0]) - 'A';
        int high = static_cast<unsigned char>(p[1]) - 'A';
        name += static_cast<char>((high * 16 + low) & 0xFF);
    }
    return name;
}

namespace {
void MergeSection(CProfileDocument& list, const char* section, const char* keyPrefix, const char* countKey,
                  CNyStringArray& names) {
    int32_t earlier = list.GetInt("Doc", countKey, 0);
    for (int32_t i = 0; i < earlier; ++i) {
        CString key;
        key.Format("%s%ld", keyPrefix, static_cast<long>(i));
        CString value = list.GetString(section, key, "");
        if (!value.IsEmpty()) names.AddUnique(DecodeName(value));
    }
}

void WriteSection(CProfileDocument& list, const char* section, const char* keyPrefix, const char* countKey,
                  const CNyStringArray& names) {
    list.SetInt("Doc", countKey, static_cast<uint32_t>(names.GetSize()));
    for (int i = 0; i < names.GetSize(); ++i) {
        CString key;
        key.Format("%s%ld", keyPrefix, static_cast<long>(i));
        list.SetString(section, key, EncodeName(names.GetAt(i)));
    }
}
}  // namespace

void MergeFileList(const CString& path, CNyStringArray& files, CNyStringArray& folders) {
    CProfileDocument list;
    list.SetPath(path);
    list.Load();  // a missing file is an empty list; an unreadable one has been reported
    // Both counts are read before either is rewritten.
    MergeSection(list, "FName", "File", "FileCount", files);
    MergeSection(list, "FDir", "Dir", "DirCount", folders);
    WriteSection(list, "FName", "File", "FileCount", files);
    WriteSection(list, "FDir", "Dir", "DirCount", folders);
    list.Save();
}
