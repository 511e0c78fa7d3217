#include "disc/ByteSource.h"

#include <cstring>

std::unique_ptr<CFileByteSource> CFileByteSource::Open(const std::string& path) {
    std::unique_ptr<CFileByteSource> source(new CFileByteSource);
    source->m_file.open(path, std::ios::binary | std::ios::in);
    if (!source->m_file)
        return nullptr;
    source->m_file.seekg(0, std::ios::end);
    const std::streamoff end = source->m_file.tellg();
    if (end < 0)
        return nullptr;
    source->m_size = static_cast<uint64_t>(end);
    return source;
}

bool CFileByteSource::Read(uint64_t offset, void* buffer, size_t count) {
    if (offset > m_size || count > m_size - offset)
        return false;
    m_file.clear(); // a failed read leaves the stream in a state that blocks every later one
    m_file.seekg(static_cast<std::streamoff>(offset));
    m_file.read(static_cast<char*>(buffer), static_cast<std::streamsize>(count));
    return m_file.gcount() == static_cast<std::streamsize>(count);
}

bool CMemoryByteSource::Read(uint64_t offset, void* buffer, size_t count) {
    if (offset > m_bytes.size() || count > m_bytes.size() - offset)
        return false;
    if (count)
        memcpy(buffer, m_bytes.data() + offset, count);
    return true;
}

bool ReadTextFile(const std::string& path, std::string& text, size_t limit) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<uint64_t>(size) > limit)
        return false;
    file.seekg(0);
    text.assign(static_cast<size_t>(size), '\0');
    file.read(&text[0], size);
    return file.gcount() == size;
}

bool FileExists(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return static_cast<bool>(file);
}
