#include "scsi/EmulatedBackEnd.h"

#include "disc/DiscRecords.h"

CEmulatedBackEnd::CEmulatedBackEnd(CDriveRegistry registry)
    : m_registry(std::move(registry)), m_watch(m_registry.KeyPath()) {}

void CEmulatedBackEnd::Refresh() {
    if (!m_watch.Changed())
        return;
    m_letters.clear();
    m_virtual.clear();
    for (char letter : m_registry.Letters()) {
        ConfigValues values;
        DriveConfig config;
        std::string error;
        // A configuration that cannot be understood leaves the drive out altogether.
        if (!m_registry.Read(letter, values) || !ParseDriveConfig(values, config, error))
            continue;
        auto& drive = m_drives[letter];
        if (!drive)
            drive.reset(new CEmulatedDrive(letter, static_cast<int>(m_drives.size()) - 1));
        drive->Configure(config);
        m_letters += letter;
        if (config.isVirtual)
            m_virtual += letter;
    }
}

std::string CEmulatedBackEnd::KnownDrives() {
    std::lock_guard<std::mutex> lock(m_mutex);
    Refresh();
    return m_letters;
}

std::string CEmulatedBackEnd::VirtualDrives() {
    std::lock_guard<std::mutex> lock(m_mutex);
    Refresh();
    return m_virtual;
}

IDrive* CEmulatedBackEnd::Find(char letter) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Refresh();
    const char upper = NormalizeLetter(std::string(1, letter));
    if (!upper || m_letters.find(upper) == std::string::npos)
        return nullptr;
    return m_drives[upper].get();
}

int CEmulatedBackEnd::GetSessionsDetails(const MULTISESSION_INFO* info, SESSIONS_DETAILS* details) {
    return SessionDetailsFromInfo(*info, *details) ? 1 : 0;
}

int CEmulatedBackEnd::Eject(char letter) {
    ConfigValues values;
    DriveConfig config;
    std::string error;
    if (!m_registry.Read(letter, values) || !ParseDriveConfig(values, config, error) ||
        config.image.empty())
        return 0;
    config.image.clear();
    config.media = MediaHint::Auto;
    config.badSectors.clear();
    ++config.changes; // re-inserting the same image later is a media change too
    return m_registry.Write(letter, FormatDriveConfig(config)) ? 1 : 0;
}
