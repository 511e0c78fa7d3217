#include "disc/CueSheet.h"

#include <cctype>
#include <cstdlib>

namespace {
std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// Splits a line into words; a double-quoted word may hold blanks.
std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i])))
            ++i;
        if (i >= line.size())
            break;
        std::string word;
        if (line[i] == '"') {
            size_t end = line.find('"', i + 1);
            if (end == std::string::npos)
                end = line.size();
            word = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i])))
                word += line[i++];
        }
        words.push_back(word);
    }
    return words;
}

bool Number(const std::string& text, int low, int high, int& value) {
    if (text.empty() || text.size() > 3)
        return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    value = std::atoi(text.c_str());
    return value >= low && value <= high;
}

// "mm:ss:ff" to frames.
bool Msf(const std::string& text, int64_t& frames) {
    int m = 0, s = 0, f = 0;
    size_t a = text.find(':'), b = text.rfind(':');
    if (a == std::string::npos || a == b)
        return false;
    if (!Number(text.substr(0, a), 0, 999, m) || !Number(text.substr(a + 1, b - a - 1), 0, 59, s) ||
        !Number(text.substr(b + 1), 0, 74, f))
        return false;
    frames = (int64_t(m) * 60 + s) * 75 + f;
    return true;
}

bool Mode(const std::string& text, CueTrackMode& mode) {
    const std::string t = Upper(text);
    if (t == "AUDIO")
        mode = CueTrackMode::Audio;
    else if (t == "MODE1/2048")
        mode = CueTrackMode::Mode1_2048;
    else if (t == "MODE1/2352")
        mode = CueTrackMode::Mode1_2352;
    else if (t == "MODE2/2352")
        mode = CueTrackMode::Mode2_2352;
    else
        return false;
    return true;
}

class CParser {
public:
    CParser(CueSheet& sheet, std::string& error) : m_sheet(sheet), m_error(error) {}

    bool Line(const std::vector<std::string>& w) {
        const std::string command = Upper(w[0]);
        if (command == "REM")
            return Remark(w);
        if (command == "FILE")
            return File(w);
        if (command == "TRACK")
            return Track(w);
        if (command == "INDEX")
            return Index(w);
        if (command == "PREGAP" || command == "POSTGAP")
            return Gap(w, command == "PREGAP");
        if (command == "FLAGS")
            return Flags(w);
        if (command == "TITLE" || command == "PERFORMER" || command == "SONGWRITER")
            return CdText(w, command);
        if (command == "CDTEXTFILE") {
            if (w.size() < 2)
                return Fail("CDTEXTFILE without a file");
            m_sheet.cdTextFile = w[1];
            return true;
        }
        if (command == "CATALOG" || command == "ISRC")
            return true;
        return Fail("unknown command " + w[0]);
    }

    bool Finish() {
        if (m_sheet.tracks.empty())
            return Fail("no track");
        for (const CueTrack& t : m_sheet.tracks) {
            bool hasStart = false;
            for (const CueIndex& i : t.indexes)
                hasStart = hasStart || i.number == 1;
            if (!hasStart)
                return Fail("track " + std::to_string(t.number) + " has no INDEX 01");
        }
        return true;
    }

private:
    bool Fail(const std::string& message) {
        m_error = message;
        return false;
    }

    CueTrack* Current() { return m_sheet.tracks.empty() ? nullptr : &m_sheet.tracks.back(); }

    bool Remark(const std::vector<std::string>& w) {
        if (w.size() < 3)
            return true;
        const std::string what = Upper(w[1]);
        if (what == "SESSION") {
            int session = 0;
            if (!Number(w[2], 1, 99, session) || session < m_session || session > m_session + 1)
                return Fail("sessions must count up from 1");
            if (session != m_session && !m_sessionHasTrack)
                return Fail("session " + w[2] + " without tracks before it");
            if (session != m_session)
                m_sessionHasTrack = false;
            m_session = session;
        } else if (what == "DISCKIND") {
            m_sheet.discKind = Upper(w[2]);
        }
        return true;
    }

    bool File(const std::vector<std::string>& w) {
        if (w.size() < 2 || w[1].empty())
            return Fail("FILE without a name");
        const std::string type = w.size() > 2 ? Upper(w[2]) : "BINARY";
        if (type != "BINARY")
            return Fail("only BINARY files are read, not " + type);
        m_sheet.files.push_back(w[1]);
        return true;
    }

    bool Track(const std::vector<std::string>& w) {
        CueTrack t;
        if (m_sheet.files.empty())
            return Fail("TRACK before FILE");
        if (w.size() < 3 || !Number(w[1], 1, 99, t.number) || !Mode(w[2], t.mode))
            return Fail("bad TRACK line");
        if (Current() && t.number != Current()->number + 1)
            return Fail("track numbers must count up by one");
        t.session = m_session;
        m_sessionHasTrack = true;
        m_sheet.tracks.push_back(t);
        return true;
    }

    bool Index(const std::vector<std::string>& w) {
        CueTrack* t = Current();
        CueIndex index;
        if (!t || w.size() < 3 || !Number(w[1], 0, 99, index.number) || !Msf(w[2], index.frames))
            return Fail("bad INDEX line");
        const int expected = t->indexes.empty() ? index.number : t->indexes.back().number + 1;
        if (index.number != expected || (t->indexes.empty() && index.number > 1))
            return Fail("indexes must start at 00 or 01 and count up by one");
        index.file = static_cast<int>(m_sheet.files.size()) - 1;
        if (!t->indexes.empty() && t->indexes.back().file == index.file &&
            index.frames < t->indexes.back().frames)
            return Fail("indexes must not go back");
        if (m_last.file == index.file && index.frames < m_last.frames)
            return Fail("tracks must not overlap in their file");
        m_last = index;
        t->indexes.push_back(index);
        return true;
    }

    bool Gap(const std::vector<std::string>& w, bool pre) {
        CueTrack* t = Current();
        int64_t frames = 0;
        if (!t || w.size() < 2 || !Msf(w[1], frames))
            return Fail("bad gap line");
        (pre ? t->pregap : t->postgap) = static_cast<uint32_t>(frames);
        return true;
    }

    bool Flags(const std::vector<std::string>& w) {
        CueTrack* t = Current();
        if (!t)
            return Fail("FLAGS before TRACK");
        for (size_t i = 1; i < w.size(); ++i) {
            const std::string f = Upper(w[i]);
            if (f == "4CH")
                t->flags |= 8;
            else if (f == "DCP")
                t->flags |= 2;
            else if (f == "PRE")
                t->flags |= 1;
        }
        return true;
    }

    bool CdText(const std::vector<std::string>& w, const std::string& command) {
        m_sheet.cdTextLines = true;
        if (w.size() < 2)
            return true;
        CueTrack* t = Current();
        std::string& text = command == "TITLE"       ? (t ? t->title : m_sheet.title)
                            : command == "PERFORMER" ? (t ? t->performer : m_sheet.performer)
                                                     : (t ? t->songwriter : m_sheet.songwriter);
        text = w[1];
        return true;
    }

    CueSheet& m_sheet;
    std::string& m_error;
    int m_session = 1;
    bool m_sessionHasTrack = false;
    CueIndex m_last{0, -1, 0};
};
} // namespace

uint32_t CueSectorSize(CueTrackMode mode) {
    return mode == CueTrackMode::Mode1_2048 ? 2048 : 2352;
}

bool CueIsData(CueTrackMode mode) {
    return mode != CueTrackMode::Audio;
}

bool ParseCueSheet(const std::string& text, CueSheet& sheet, std::string& error) {
    sheet = CueSheet();
    CParser parser(sheet, error);
    size_t start = 0;
    int lineNumber = 0;
    // Skips a UTF-8 byte order mark some editors put in front.
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        start = 3;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(start, end - start);
        ++lineNumber;
        const std::vector<std::string> words = Words(line);
        if (!words.empty() && !parser.Line(words)) {
            error = "line " + std::to_string(lineNumber) + ": " + error;
            return false;
        }
        start = end + 1;
    }
    return parser.Finish();
}
