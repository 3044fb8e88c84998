#include "RtfTestReader.h"

#include <QString>
#include <cctype>
#include <set>

namespace {

struct State {
    int colour = 0;
    LogStyle style;
    int halfPoints = 24;
    bool skip = false;
};

class Reader {
public:
    explicit Reader(const std::string& rtf) : m_in(rtf) {}

    RtfDocument run() {
        m_stack.push_back(State{});
        int depth = 0;
        while (m_pos < m_in.size()) {
            const char c = m_in[m_pos++];
            if (c == '{') {
                flush();
                m_stack.push_back(m_stack.back());
                ++depth;
            } else if (c == '}') {
                flush();
                m_stack.pop_back();
                if (--depth == 0) {
                    m_doc.balanced = m_in.find_first_not_of("\r\n", m_pos) == std::string::npos;
                    break;
                }
                if (m_stack.empty()) {
                    return m_doc;
                }
            } else if (c == '\\') {
                controlWord();
            } else if (c != '\n' && c != '\r') {
                text(static_cast<unsigned char>(c));
            }
        }
        flush();
        if (!m_line.empty() || m_doc.lines.empty()) {
            m_doc.lines.push_back(m_line);
        }
        return m_doc;
    }

private:
    void text(char16_t unit) {
        if (!m_stack.back().skip) {
            m_pending += unit;
        }
    }

    void flush() {
        if (m_pending.empty()) {
            return;
        }
        const State& s = m_stack.back();
        RtfSegment seg;
        seg.text = QString::fromStdU16String(m_pending).toStdString();
        const auto index = static_cast<std::size_t>(s.colour);
        seg.colour =
            index < m_doc.colourTable.size() ? m_doc.colourTable[index] : LogColour::rgb(1, 2, 3);
        seg.style = s.style;
        seg.sizePt = s.halfPoints / 2;
        m_line.push_back(seg);
        m_pending.clear();
    }

    void controlWord() {
        const char c = m_in[m_pos];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++m_pos;
            if (c == '\\' || c == '{' || c == '}') {
                text(static_cast<char16_t>(c));
            } else {
                m_doc.unknownWords.push_back(std::string(1, c));
            }
            return;
        }
        std::string word;
        while (m_pos < m_in.size() && std::isalpha(static_cast<unsigned char>(m_in[m_pos]))) {
            word += m_in[m_pos++];
        }
        bool hasParam = false;
        int param = 0;
        bool negative = false;
        if (m_pos < m_in.size() && m_in[m_pos] == '-') {
            negative = true;
            ++m_pos;
        }
        while (m_pos < m_in.size() && std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) {
            hasParam = true;
            param = param * 10 + (m_in[m_pos++] - '0');
        }
        if (negative) {
            param = -param;
        }
        if (m_pos < m_in.size() && m_in[m_pos] == ' ') {
            ++m_pos;
        }
        apply(word, hasParam, param);
    }

    void apply(const std::string& word, bool hasParam, int param) {
        static const std::set<std::string> kIgnored = {
            "rtf", "ansi", "ansicpg", "deff", "uc", "f", "fswiss", "fcharset", "pard", "viewkind"};
        State& s = m_stack.back();
        if (word == "fonttbl") {
            s.skip = true;
        } else if (word == "colortbl") {
            readColourTable();
        } else if (word == "cf") {
            flush();
            s.colour = param;
        } else if (word == "b" || word == "i") {
            flush();
            (word == "b" ? s.style.bold : s.style.italic) = !hasParam || param != 0;
        } else if (word == "ul" || word == "ulnone") {
            flush();
            s.style.underline = word == "ul" && (!hasParam || param != 0);
        } else if (word == "fs") {
            flush();
            s.halfPoints = param;
        } else if (word == "par") {
            flush();
            m_doc.lines.push_back(m_line);
            m_line.clear();
        } else if (word == "line" || word == "tab") {
            text(word == "line" ? u'\n' : u'\t');
        } else if (word == "u") {
            text(static_cast<char16_t>(param < 0 ? param + 65536 : param));
            if (m_pos < m_in.size() && m_in[m_pos] != '\\' && m_in[m_pos] != '{' &&
                m_in[m_pos] != '}') {
                ++m_pos; // the one fallback character (\uc1)
            }
        } else if (kIgnored.count(word) == 0 && !m_stack.back().skip) {
            m_doc.unknownWords.push_back(word);
        }
    }

    // Reads "; \redR\greenG\blueB; ..." up to the group's closing brace.
    void readColourTable() {
        LogColour current = LogColour::rgb(0, 0, 0);
        bool any = false;
        while (m_pos < m_in.size() && m_in[m_pos] != '}') {
            const char c = m_in[m_pos++];
            if (c == ';') {
                m_doc.colourTable.push_back(any ? current : LogColour::base());
                current = LogColour::rgb(0, 0, 0);
                any = false;
            } else if (c == '\\') {
                std::string word;
                while (std::isalpha(static_cast<unsigned char>(m_in[m_pos]))) {
                    word += m_in[m_pos++];
                }
                int value = 0;
                while (std::isdigit(static_cast<unsigned char>(m_in[m_pos]))) {
                    value = value * 10 + (m_in[m_pos++] - '0');
                }
                any = true;
                auto& channel = word == "red"     ? current.red
                                : word == "green" ? current.green
                                                  : current.blue;
                channel = static_cast<std::uint8_t>(value);
            }
        }
    }

    const std::string& m_in;
    std::size_t m_pos = 0;
    std::vector<State> m_stack;
    std::u16string m_pending;
    std::vector<RtfSegment> m_line;
    RtfDocument m_doc;
};

} // namespace

RtfDocument ReadRtf(const std::string& rtf) {
    return Reader(rtf).run();
}

std::vector<RtfSegment> Normalise(const std::vector<RtfSegment>& segments) {
    std::vector<RtfSegment> out;
    for (const RtfSegment& seg : segments) {
        if (seg.text.empty()) {
            continue;
        }
        if (!out.empty() && out.back().colour == seg.colour && out.back().style == seg.style &&
            out.back().sizePt == seg.sizePt) {
            out.back().text += seg.text;
        } else {
            out.push_back(seg);
        }
    }
    return out;
}

std::vector<RtfSegment> ExpectedSegments(const LogLine& line) {
    std::vector<RtfSegment> out;
    for (std::size_t i = 0; i < line.runs.size(); ++i) {
        const auto begin = static_cast<std::size_t>(line.runs[i].start);
        const std::size_t end = i + 1 < line.runs.size()
                                    ? static_cast<std::size_t>(line.runs[i + 1].start)
                                    : line.plain.size();
        out.push_back(RtfSegment{line.plain.substr(begin, end - begin), line.runs[i].colour,
                                 line.runs[i].style, line.runs[i].sizePt});
    }
    return Normalise(out);
}
