#include "archive/PackageDirectory.h"

#include "archive/LibraryState.h"
#include "framework/AnsiText.h"
#include "framework/LittleEndian.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace zembra {
namespace {

bool g_forceSortedIndex = false;

}  // namespace

bool PackageDirectory::Load(const char* path) {
    PackageFile file(path, PackageFile::Sharing::Shared);
    if (!file.IsOpen()) return Fail(PackageLoadError::CannotOpen);
    return Load(file, path);
}

bool PackageDirectory::Load(PackageSource& source, const char* path) {
    CString loadedFrom(path);  // path may point into the state this load replaces
    Free();
    m_packageSize = source.Size();

    PackageTrailer trailer;
    const PackageLoadError error = ReadPackageTrailer(source, &trailer);
    if (error != PackageLoadError::None) return Fail(error);

    // The directory is bounded by the file, so a hostile size cannot ask for more than the file holds.
    try {
        m_buffer.resize(trailer.directorySize);
    } catch (const std::bad_alloc&) {
        return Fail(PackageLoadError::OutOfMemory);
    }
    if (!source.ReadAt(trailer.directoryStart, m_buffer.data(), trailer.directorySize))
        return Fail(PackageLoadError::ReadFailed);

    m_dataBase = trailer.dataBase;
    try {
        ReadRecords();
        if (!g_forceSortedIndex && AnsiNoCaseIndex::SingleByteCodePage()) HashRecords();
        else SortRecords();
    } catch (const std::bad_alloc&) {
        return Fail(PackageLoadError::OutOfMemory);
    }
    m_path = loadedFrom;
    m_loaded = true;
    return true;
}

// Walks the records once: names are unmasked in place, and the zero that ends a name overwrites the
// first byte of its size field once that size has been read. Every record takes at least five bytes,
// so a hostile count cannot make the walk longer than the directory.
void PackageDirectory::ReadRecords() {
    const uint32_t end = static_cast<uint32_t>(m_buffer.size());
    if (end < 4) return;
    uint32_t count = ReadLe32(m_buffer.data());
    m_records.reserve(std::min<uint32_t>(count, end / 5));
    uint64_t offset = m_dataBase;
    uint32_t pos = 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (end - pos < 1) break;
        uint32_t length = std::min<uint32_t>(m_buffer[pos], kMaxStoredNameLength);
        uint32_t name = pos + 1;
        if (end - name < length + 4) break;
        for (uint32_t k = 0; k + 1 < length; ++k) m_buffer[name + k] ^= kPackageNameMask;
        uint32_t size = ReadLe32(&m_buffer[name + length]);
        m_buffer[name + length] = 0;
        // An offset past 2^32 - 1 cannot be reported, and a wrapped one would point at other data.
        if (offset > UINT32_MAX) break;
        m_records.push_back(Record{name, static_cast<uint32_t>(offset), size});
        offset += size;
        pos = name + length + 4;
    }
}

// A record whose key is already present is left out, so the first record in directory order is the
// one found.
void PackageDirectory::HashRecords() {
    auto nameOf = [this](uint32_t record) { return NameOf(record); };
    for (uint32_t record = 0; record < m_records.size(); ++record) m_index.Insert(record, NameOf(record), nameOf);
}

void PackageDirectory::SortRecords() {
    m_byKey.resize(m_records.size());
    for (uint32_t i = 0; i < m_byKey.size(); ++i) m_byKey[i] = i;
    std::stable_sort(m_byKey.begin(), m_byKey.end(),
                     [this](uint32_t a, uint32_t b) { return AnsiCompareNoCase(NameOf(a), NameOf(b)) < 0; });
}

uint32_t PackageDirectory::Lookup(const char* key) const {
    if (m_index.Size() > 0) {
        uint32_t record = m_index.Find(key, [this](uint32_t r) { return NameOf(r); });
        return record == AnsiNoCaseIndex::kNone ? kNone : record;
    }
    auto it = std::lower_bound(m_byKey.begin(), m_byKey.end(), key,
                               [this](uint32_t record, const char* k) { return AnsiCompareNoCase(NameOf(record), k) < 0; });
    return it != m_byKey.end() && AnsiCompareNoCase(NameOf(*it), key) == 0 ? *it : kNone;
}

void PackageDirectory::ForceSortedIndex(bool sorted) { g_forceSortedIndex = sorted; }

bool PackageDirectory::Fail(PackageLoadError error) {
    uint64_t size = m_packageSize;
    Free();
    m_packageSize = size;
    m_error = error;
    return false;
}

int PackageDirectory::DataFd() {
    if (m_loaded && !m_data.IsOpen()) m_data.Open(m_path, PackageFile::Sharing::Shared);
    return m_data.Fd();
}

void PackageDirectory::Free() {
    m_data.Close();
    m_loaded = false;
    m_error = PackageLoadError::None;
    m_path.Empty();
    m_dataBase = 0;
    m_packageSize = 0;
    std::vector<uint8_t>().swap(m_buffer);
    std::vector<Record>().swap(m_records);
    m_index.Clear();
    std::vector<uint32_t>().swap(m_byKey);
}

uint32_t PackageDirectory::Find(const char* key, uint32_t* size) const {
    uint32_t found = 0, foundSize = 0;
    uint32_t record = key ? Lookup(key) : kNone;
    if (record != kNone) {
        found = m_records[record].offset;
        if (found != 0) foundSize = m_records[record].size;
    }
    if (size) *size = foundSize;
    return found;
}

PackageEntryInfo PackageDirectory::Entry(size_t index) const {
    const Record& r = m_records[index];
    return PackageEntryInfo{NameOf(static_cast<uint32_t>(index)), r.offset, r.size};
}

bool LoadPackageDirectory(const char* path) { return State().directory.Load(path); }

uint32_t FindPackageEntry(const char* key, uint32_t* size) { return State().directory.Find(key, size); }

void FreePackageDirectory() { State().directory.Free(); }

bool EnsurePackageDirectory(const char* packageOrNull) {
    LibraryState& state = State();
    const char* package = packageOrNull ? packageOrNull : state.packagePath.c_str();
    PackageDirectory& directory = state.directory;
    if (directory.IsLoaded() && AnsiCompareNoCase(directory.Path(), package) == 0) return true;
    return directory.Load(package);
}

}  // namespace zembra
