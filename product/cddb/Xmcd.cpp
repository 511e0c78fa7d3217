#include "cddb/Xmcd.h"

#include <cstdlib>
#include <cstring>

namespace {
constexpr size_t kMaxLine = 256;

std::string Trim(const std::string& s) {
    size_t begin = 0, end = s.size();
    while (begin < end && (s[begin] == ' ' || s[begin] == '\t'))
        ++begin;
    while (end > begin && (s[end - 1] == ' ' || s[end - 1] == '\t'))
        --end;
    return s.substr(begin, end - begin);
}

bool StartsWith(const std::string& s, const char* prefix) {
    return s.compare(0, strlen(prefix), prefix) == 0;
}

// A decimal number of at most nine digits filling the text; false otherwise.
bool Decimal(const std::string& text, uint32_t& value) {
    const std::string t = Trim(text);
    if (t.empty() || t.size() > 9)
        return false;
    uint32_t v = 0;
    for (char c : t) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + static_cast<uint32_t>(c - '0');
    }
    value = v;
    return true;
}

std::string Unescape(const std::string& raw) {
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\\' && i + 1 < raw.size()) {
            const char next = raw[i + 1];
            if (next == 'n' || next == 't' || next == '\\') {
                out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (c != '\r')
            out += c;
    }
    return out;
}

// Control bytes other than the tab carry no text; binary garbage loses them here.
void AppendClean(std::string& value, const std::string& raw) {
    for (char c : raw) {
        if (value.size() >= kXmcdMaxValue)
            return;
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
            value += c;
    }
}

// "TTITLE12" with prefix "TTITLE" -> 12; false for a bad or too large number.
bool TrackKey(const std::string& key, const char* prefix, size_t& index) {
    uint32_t n = 0;
    if (!StartsWith(key, prefix) || key.size() == strlen(prefix) ||
        !Decimal(key.substr(strlen(prefix)), n) || n >= kXmcdMaxTracks)
        return false;
    index = n;
    return true;
}

void AppendAt(std::vector<std::string>& list, size_t index, const std::string& raw) {
    if (list.size() <= index)
        list.resize(index + 1);
    AppendClean(list[index], raw);
}

class CEntryReader {
public:
    explicit CEntryReader(XmcdEntry& entry) : m_entry(entry) {}

    void Line(const std::string& line) {
        if (!line.empty() && line[0] == '#')
            Comment(line.substr(1));
        else
            Value(line);
    }

    void Finish() {
        for (std::string* v : {&m_entry.discIds, &m_entry.dtitle, &m_entry.year, &m_entry.genre,
                               &m_entry.extd, &m_entry.playOrder})
            *v = Unescape(*v);
        for (auto* list : {&m_entry.titles, &m_entry.extended})
            for (std::string& v : *list)
                v = Unescape(v);
        m_entry.discIds = Trim(m_entry.discIds);
        m_entry.year = Trim(m_entry.year);
    }

private:
    void Comment(const std::string& text) {
        const std::string t = Trim(text);
        uint32_t n = 0;
        if (m_inOffsets) {
            if (Decimal(t, n) && m_entry.frameOffsets.size() < kXmcdMaxTracks) {
                m_entry.frameOffsets.push_back(n);
                return;
            }
            m_inOffsets = false;
        }
        if (StartsWith(t, "Track frame offsets")) {
            m_inOffsets = true;
            m_entry.frameOffsets.clear();
        } else if (StartsWith(t, "Disc length:")) {
            const std::string rest = Trim(t.substr(12));
            if (Decimal(rest.substr(0, rest.find(' ')), n))
                m_entry.discLength = n;
        } else if (StartsWith(t, "Revision:")) {
            if (Decimal(t.substr(9), n))
                m_entry.revision = static_cast<int>(n);
        }
    }

    void Value(const std::string& line) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            return;
        const std::string key = Trim(line.substr(0, equals));
        const std::string raw = line.substr(equals + 1);
        size_t index = 0;
        if (key == "DISCID")
            AppendClean(m_entry.discIds, raw);
        else if (key == "DTITLE")
            AppendClean(m_entry.dtitle, raw);
        else if (key == "DYEAR")
            AppendClean(m_entry.year, raw);
        else if (key == "DGENRE")
            AppendClean(m_entry.genre, raw);
        else if (key == "EXTD")
            AppendClean(m_entry.extd, raw);
        else if (key == "PLAYORDER")
            AppendClean(m_entry.playOrder, raw);
        else if (TrackKey(key, "TTITLE", index))
            AppendAt(m_entry.titles, index, raw);
        else if (TrackKey(key, "EXTT", index))
            AppendAt(m_entry.extended, index, raw);
    }

    XmcdEntry& m_entry;
    bool m_inOffsets = false;
};

// Writes KEY=value over as many lines as freedb's line limit needs, never splitting an
// escape sequence or a UTF-8 character.
void WriteValue(std::string& out, const std::string& key, const std::string& text) {
    const std::string value = Escape(text);
    const size_t room = kMaxLine - key.size() - 1;
    size_t pos = 0;
    do {
        size_t end = pos + room < value.size() ? pos + room : value.size();
        if (end < value.size()) {
            size_t backslashes = 0;
            for (size_t k = end; k > pos && value[k - 1] == '\\'; --k)
                ++backslashes;
            if (backslashes % 2)
                --end;
            while (end > pos + 1 && (static_cast<unsigned char>(value[end]) & 0xC0) == 0x80)
                --end;
        }
        out += key + "=" + value.substr(pos, end - pos) + "\n";
        pos = end;
    } while (pos < value.size());
}
} // namespace

bool ParseXmcd(const std::string& text, XmcdEntry& entry) {
    entry = XmcdEntry();
    size_t start = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    if (text.compare(start, 6, "# xmcd") != 0)
        return false;
    CEntryReader reader(entry);
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        size_t stop = end;
        if (stop > start && text[stop - 1] == '\r')
            --stop;
        reader.Line(text.substr(start, stop - start));
        start = end + 1;
    }
    reader.Finish();
    return true;
}

std::string FormatXmcd(const XmcdEntry& entry, const std::string& submittedVia) {
    std::string out = "# xmcd\n#\n# Track frame offsets:\n";
    for (uint32_t offset : entry.frameOffsets)
        out += "#\t" + std::to_string(offset) + "\n";
    out += "#\n# Disc length: " + std::to_string(entry.discLength) + " seconds\n#\n";
    out += "# Revision: " + std::to_string(entry.revision) + "\n";
    out += "# Submitted via: " + submittedVia + "\n#\n";
    WriteValue(out, "DISCID", entry.discIds);
    WriteValue(out, "DTITLE", entry.dtitle);
    WriteValue(out, "DYEAR", entry.year);
    WriteValue(out, "DGENRE", entry.genre);
    for (size_t i = 0; i < entry.titles.size(); ++i)
        WriteValue(out, "TTITLE" + std::to_string(i), entry.titles[i]);
    WriteValue(out, "EXTD", entry.extd);
    for (size_t i = 0; i < entry.titles.size(); ++i)
        WriteValue(out, "EXTT" + std::to_string(i),
                   i < entry.extended.size() ? entry.extended[i] : std::string());
    WriteValue(out, "PLAYORDER", entry.playOrder);
    return out;
}

void SplitArtistTitle(const std::string& text, std::string& artist, std::string& title) {
    const size_t cut = text.find(" / ");
    if (cut == std::string::npos) {
        artist = title = Trim(text);
        return;
    }
    artist = Trim(text.substr(0, cut));
    title = Trim(text.substr(cut + 3));
}
