#include "env/WriteJournal.h"

#include <windows.h>

#include <vector>

namespace {
const char kJournalVariable[] = "ZL5ENV_JOURNAL";

// Read on each call so a test can switch the journal on and off inside one process.
std::string JournalPath() {
    DWORD size = GetEnvironmentVariableA(kJournalVariable, nullptr, 0);
    if (size == 0)
        return "";
    std::vector<char> buffer(size);
    DWORD length = GetEnvironmentVariableA(kJournalVariable, buffer.data(), size);
    return length && length < size ? std::string(buffer.data(), length) : "";
}
} // namespace

void CWriteJournal::Append(const std::string& line) {
    std::string path = JournalPath();
    if (path.empty())
        return;
    // Append-only access makes every write go to the end of the file, whoever else has it
    // open; one WriteFile per line keeps lines from different processes apart.
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}
