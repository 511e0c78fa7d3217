#include "drive/DriveTool.h"

#include "disc/DiscClassifier.h"
#include "disc/DiscImage.h"
#include "disc/SectorData.h"

#include <cstring>

void CDriveTool::PrintUsage(FILE* err) {
    fputs("usage: zl5drive list                      the emulated drives and their discs\n"
          "       zl5drive profiles                  the drive profiles\n"
          "       zl5drive add X: [--profile NAME] [--virtual] [--analog]\n"
          "       zl5drive insert X: IMAGE [--profile NAME] [--cd|--dvd] [--bad FIRST-LAST,...]\n"
          "       zl5drive eject X:\n"
          "       zl5drive remove X:\n"
          "       zl5drive info X:                   label, kind and size of the disc\n"
          "       zl5drive export X: FILE            the newest data session as an ISO image\n",
          err);
}

int CDriveTool::Run(const std::vector<std::string>& args) {
    const std::string command = args.empty() ? "" : args[0];
    Options o;
    if (command == "list" && args.size() == 1)
        return List();
    if (command == "profiles" && args.size() == 1)
        return Profiles();
    if (!ParseOptions(args, o)) {
        PrintUsage(m_err);
        return kUsage;
    }
    const size_t n = o.positional.size();
    if (command == "add" && n == 0)
        return Add(o);
    if (command == "insert" && n == 1)
        return Insert(o);
    if (command == "eject" && n == 0)
        return Eject(o);
    if (command == "remove" && n == 0)
        return Remove(o);
    if (command == "info" && n == 0)
        return Info(o);
    if (command == "export" && n == 1)
        return Export(o);
    PrintUsage(m_err);
    return kUsage;
}

// args[1] is the drive; options may come in any order after it.
bool CDriveTool::ParseOptions(const std::vector<std::string>& args, Options& o) {
    if (args.size() < 2 || !(o.letter = NormalizeLetter(args[1])))
        return false;
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == "--profile" && hasValue)
            o.profile = args[++i];
        else if (a == "--bad" && hasValue) {
            o.badSectors = args[++i];
            o.hasBad = true;
        } else if (a == "--virtual")
            o.isVirtual = true;
        else if (a == "--analog")
            o.analog = true;
        else if (a == "--cd")
            o.cd = true;
        else if (a == "--dvd")
            o.dvd = true;
        else if (a.compare(0, 2, "--") == 0)
            return false;
        else
            o.positional.push_back(a);
    }
    return !(o.cd && o.dvd);
}

bool CDriveTool::Load(char letter, DriveConfig& config) {
    ConfigValues values;
    std::string error;
    if (!m_registry.Read(letter, values)) {
        fprintf(m_err, "zl5drive: there is no emulated drive %c:\n", letter);
        return false;
    }
    if (!ParseDriveConfig(values, config, error)) {
        fprintf(m_err, "zl5drive: drive %c: %s\n", letter, error.c_str());
        return false;
    }
    return true;
}

bool CDriveTool::Save(char letter, const DriveConfig& config) {
    if (m_registry.Write(letter, FormatDriveConfig(config)))
        return true;
    fprintf(m_err, "zl5drive: cannot write HKEY_LOCAL_MACHINE\\%s\\%c\n",
            m_registry.KeyPath().c_str(), letter);
    return false;
}

bool CDriveTool::CheckProfile(const std::string& name) {
    if (name.empty() || FindProfile(name))
        return true;
    fprintf(m_err, "zl5drive: unknown profile \"%s\" (see zl5drive profiles)\n", name.c_str());
    return false;
}

// A drive that is not configured yet starts from the defaults.
bool CDriveTool::LoadForChange(const Options& o, DriveConfig& config) {
    if (!CheckProfile(o.profile) || (m_registry.Exists(o.letter) && !Load(o.letter, config)))
        return false;
    if (!o.profile.empty())
        config.profile = o.profile;
    return true;
}

// Programs watching the drive learn of the old disc going only once the change is stored.
bool CDriveTool::SaveMediaChange(char letter, DriveConfig& config, bool hadDisc) {
    ++config.changes;
    if (!Save(letter, config))
        return false;
    if (hadDisc)
        m_announce(letter, false);
    return true;
}

// The disc in a configured drive. Null when there is no usable one; the reason why goes to
// `report` after `lead`, so each command can word it for its own readers.
std::unique_ptr<CDiscImage> CDriveTool::OpenDisc(char letter, FILE* report, const char* lead) {
    DriveConfig c;
    if (!Load(letter, c))
        return nullptr;
    std::string error;
    auto disc = OpenDiscImage(c.image, c.media, error);
    if (!disc)
        fprintf(report, "%s%s\n", lead, error.c_str());
    return disc;
}

int CDriveTool::List() {
    for (char letter : m_registry.Letters()) {
        DriveConfig c;
        ConfigValues values;
        std::string error;
        if (!m_registry.Read(letter, values) || !ParseDriveConfig(values, c, error)) {
            fprintf(m_out, "%c:  (unusable configuration: %s)\n", letter, error.c_str());
            continue;
        }
        std::string flags = c.isVirtual ? " virtual" : "";
        flags += c.analog ? " analog" : "";
        std::string disc = "empty";
        if (!c.image.empty()) {
            disc = c.image;
            if (c.media != MediaHint::Auto)
                disc += " (" + MediaHintName(c.media) + ")";
            if (!OpenDiscImage(c.image, c.media, error))
                disc += "  [no medium: " + error + "]";
        }
        fprintf(m_out, "%c:  %-12s%-16s %s\n", letter, c.profile.c_str(), flags.c_str(),
                disc.c_str());
    }
    return kOk;
}

int CDriveTool::Profiles() {
    for (const DriveProfile& p : NamedProfiles())
        fprintf(m_out, "%-12s %s\n", p.name.c_str(), p.description.c_str());
    return kOk;
}

int CDriveTool::Add(const Options& o) {
    DriveConfig c;
    if (!LoadForChange(o, c))
        return kFailed;
    c.isVirtual = o.isVirtual;
    c.analog = o.analog;
    return Save(o.letter, c) ? kOk : kFailed;
}

int CDriveTool::Insert(const Options& o) {
    DriveConfig c;
    if (!LoadForChange(o, c))
        return kFailed;
    std::vector<SectorRange> bad;
    if (o.hasBad && !ParseSectorRanges(o.badSectors, bad)) {
        fprintf(m_err, "zl5drive: \"%s\" is not a list of sectors FIRST-LAST,...\n",
                o.badSectors.c_str());
        return kUsage;
    }
    const bool hadDisc = !c.image.empty();
    c.image = m_fullPath(o.positional[0]);
    c.media = o.cd ? MediaHint::Cd : o.dvd ? MediaHint::Dvd : MediaHint::Auto;
    c.badSectors = bad;
    std::string error;
    if (!OpenDiscImage(c.image, c.media, error))
        fprintf(m_err, "zl5drive: warning: %s; the drive will show no disc\n", error.c_str());
    if (!SaveMediaChange(o.letter, c, hadDisc))
        return kFailed;
    m_announce(o.letter, true);
    return kOk;
}

int CDriveTool::Eject(const Options& o) {
    DriveConfig c;
    if (!Load(o.letter, c))
        return kFailed;
    const bool hadDisc = !c.image.empty();
    c.image.clear();
    c.media = MediaHint::Auto;
    c.badSectors.clear();
    return SaveMediaChange(o.letter, c, hadDisc) ? kOk : kFailed;
}

int CDriveTool::Remove(const Options& o) {
    DriveConfig c;
    if (!Load(o.letter, c) || !m_registry.Remove(o.letter))
        return kFailed;
    if (!c.image.empty())
        m_announce(o.letter, false);
    return kOk;
}

int CDriveTool::Info(const Options& o) {
    auto disc = OpenDisc(o.letter, m_out, "medium=none\nproblem=");
    if (!disc)
        return kFailed;
    const CDiscLayout& layout = disc->Layout();
    fprintf(m_out, "medium=%s\nlabel=%s\ntype=%u\nlastsector=%lld\ntracks=%u\nsessions=%u\n",
            disc->IsDvd() ? "dvd" : "cd", disc->Label().c_str(), ClassifyDisc(*disc),
            static_cast<long long>(disc->LastSector()), static_cast<unsigned>(layout.tracks.size()),
            static_cast<unsigned>(layout.sessions.size()));
    for (const LayoutTrack& t : layout.tracks)
        fprintf(m_out, "track=%d %s session %d start %lld\n", t.number,
                t.IsData() ? "data" : "audio", t.session, static_cast<long long>(t.startLba));
    return kOk;
}

// The newest session with data, as an ISO image: its file system addresses sectors from the
// disc's start, so the first address is printed ("start=N") for tools that need to know
// where the image was meant to lie (xorriso -displacement -N).
int CDriveTool::Export(const Options& o) {
    auto disc = OpenDisc(o.letter, m_err, "zl5drive: ");
    if (!disc)
        return kFailed;
    const CDiscLayout& layout = disc->Layout();
    const LayoutTrack* first = nullptr;
    for (const LayoutTrack& t : layout.tracks)
        if (t.IsData() && (!first || t.session != first->session))
            first = &t;
    if (!first) {
        fprintf(m_err, "zl5drive: the disc in %c: holds no data\n", o.letter);
        return kFailed;
    }
    int64_t end = layout.LeadOut();
    for (const LayoutSession& s : layout.sessions)
        if (s.number == first->session)
            end = s.leadoutLba;
    FILE* file = fopen(o.positional[0].c_str(), "wb");
    if (!file) {
        fprintf(m_err, "zl5drive: cannot write %s\n", o.positional[0].c_str());
        return kFailed;
    }
    uint8_t user[SectorData::kUserSize];
    bool ok = true;
    for (int64_t lba = first->startLba; ok && lba < end; ++lba) {
        if (!disc->ReadUser(lba, user))
            memset(user, 0, sizeof(user));
        ok = fwrite(user, sizeof(user), 1, file) == 1;
    }
    ok = fclose(file) == 0 && ok;
    if (ok)
        fprintf(m_out, "start=%lld\n", static_cast<long long>(first->startLba));
    return ok ? kOk : kFailed;
}
