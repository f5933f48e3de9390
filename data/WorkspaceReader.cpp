#include <algorithm>
#include <new>
#include <optional>

#include "data/BaseOnly.h"
#include "data/LineReader.h"
#include "data/NumberText.h"
#include "data/Units.h"
#include "data/Workspace.h"

wxString TextBoxFromCodes(const std::vector<unsigned>& codes) {
    wxString text;
    text.reserve(codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const unsigned c = codes[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < codes.size() && codes[i + 1] >= 0xDC00 &&
            codes[i + 1] < 0xE000) {
            text += wxUniChar(0x10000 + ((c - 0xD800) << 10) + (codes[i + 1] - 0xDC00));
            ++i;
        } else if (c >= 0xD800 && c < 0xE000) {
            text += wxUniChar(0xFFFD);
        } else {
            text += wxUniChar(c);
        }
    }
    return text;
}

namespace {

// Smallest bytes a record can take (version 0: an empty title and five one-digit lines), and a
// sample line ("0 0 0 0" without a break): counts in the file are bounded by these before they size
// anything.
constexpr std::uint64_t kMinRecordBytes = 11;
constexpr std::uint64_t kMinSampleBytes = 7;

struct Failure {
    wxString message;
};

// Windows-1252 from 0x80 to 0x9F, where it departs from Latin-1. The five bytes it leaves undefined
// keep their C1 code point, as Windows itself reads them, so no byte of a title is lost.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

wxString FromWindows1252(std::string_view text) {
    wxString s;
    s.reserve(text.size());
    for (const char c : text) {
        const unsigned char b = static_cast<unsigned char>(c);
        s += wxUniChar(b >= 0x80 && b < 0xA0 ? unsigned(kWindows1252High[b - 0x80]) : unsigned(b));
    }
    return s;
}

// Texts are UTF-8; a line that is not (an old file written on Windows) is read as Windows-1252, so
// no byte is lost.
wxString DecodeText(std::string_view text) {
    if (text.empty()) return wxString();
    wxString s = wxString::FromUTF8(text.data(), text.size());
    if (s.empty()) s = FromWindows1252(text);
    return s;
}

wxString Quote(std::string_view text) {
    constexpr std::size_t kShown = 40;
    wxString shown = DecodeText(text.substr(0, kShown));
    if (text.size() > kShown) shown += "...";
    return "\"" + shown + "\"";
}

class Parser {
public:
    explicit Parser(LineReader& in) : in_(in) {}

    // Records read whole before a damage are kept, with the units of the last of them; a file
    // without one whole record changes nothing.
    WorkspaceReadResult Run(Preferences& prefs) {
        WorkspaceReadResult result;
        Preferences updated = prefs;
        try {
            Read(result.records, updated);
            prefs = updated;
        } catch (const Failure& f) {
            if (whole_ == 0) {
                result.records.clear();
                result.error = f.message;
                return result;
            }
            result.records.erase(result.records.begin() + std::ptrdiff_t(whole_),
                                 result.records.end());
            result.damagedRecord = record_;
            result.damagedTitle = title_;
            result.damagedTitleRead = titleRead_;
            result.recordCount = count_;
            result.damage = f.message;
            prefs = wholePrefs_;
        } catch (const std::bad_alloc&) {
            result.records.clear();
            result.error = "Not enough memory to read the workspace file";
        }
        return result;
    }

private:
    [[noreturn]] void Fail(const wxString& what) const {
        wxString where = wxString::Format("line %zu", in_.LineNumber());
        if (record_ > 0) where += wxString::Format(" (record %d)", record_);
        throw Failure{"Damaged workspace file, " + where + ": " + what};
    }

    std::string_view Line(const char* what) {
        std::string_view line;
        if (!in_.Next(line)) {
            if (in_.Failed()) throw Failure{"Cannot read the workspace file: read error"};
            const wxString where =
                record_ > 0 ? wxString::Format(" in record %d", record_) : wxString();
            throw Failure{wxString::Format(
                "Damaged workspace file: it ends after line %zu%s, where the %s should be",
                in_.LineNumber(), where, what)};
        }
        return line;
    }

    wxString TextLine(const char* what) { return DecodeText(Line(what)); }

    int IntLine(const char* what) {
        const std::string_view line = Line(what);
        const std::optional<int> v = ParseIntLine(line);
        if (!v)
            Fail(wxString::Format("the %s should be a whole number, found ", what) + Quote(line));
        return *v;
    }

    std::pair<int, int> IntPairLine(const char* what) {
        std::string_view line = Line(what);
        const std::string_view whole = line;
        long long a = 0;
        long long b = 0;
        if (!ScanInt(line, a) || !ScanInt(line, b) || !OnlyBlanks(line) || a < INT32_MIN ||
            a > INT32_MAX || b < INT32_MIN || b > INT32_MAX)
            Fail(wxString::Format("the %s should be two whole numbers, found ", what) +
                 Quote(whole));
        return {int(a), int(b)};
    }

    float RealLine(const char* what) {
        std::string_view line = Line(what);
        const std::string_view whole = line;
        float v = 0;
        if (!ScanFloat(line, v) || !OnlyBlanks(line))
            Fail(wxString::Format("the %s should be a number, found ", what) + Quote(whole));
        return v;
    }

    // UTF-16 code units, each followed by a blank, ending with 0 on the same line.
    wxString TextBoxLine() {
        std::string_view line = Line("text box");
        std::vector<unsigned> codes;
        long long code = 0;
        for (;;) {
            if (!ScanInt(line, code)) {
                if (OnlyBlanks(line)) Fail("the text box does not end with 0");
                Fail("the text box should hold character codes, found " + Quote(line));
            }
            if (code == 0) break;
            if (code < 0 || code > 0xFFFF)
                Fail(wxString::Format("the text box holds the invalid character code %lld", code));
            codes.push_back(unsigned(code));
        }
        if (!OnlyBlanks(line))
            Fail("unexpected text after the end of the text box: " + Quote(line));
        return TextBoxFromCodes(codes);
    }

    void Samples(Storage& record, int count) {
        if (count < 0) Fail(wxString::Format("the number of samples is negative (%d)", count));
        record.Reserve(std::size_t(
            std::min<std::uint64_t>(std::uint64_t(count), in_.BytesLeft() / kMinSampleBytes + 1)));
        for (int i = 0; i < count; ++i) {
            std::string_view line;
            if (!in_.Next(line)) {
                if (in_.Failed()) throw Failure{"Cannot read the workspace file: read error"};
                throw Failure{
                    wxString::Format("Damaged workspace file: record %d should have %d samples, "
                                     "but the file ends after %d of them "
                                     "(line %zu)",
                                     record_, count, i, in_.LineNumber())};
            }
            float v[4];
            if (!ScanFloatLine(line, v, 4))
                Fail("a sample should be four numbers (time, flow, pressure, volume), found " +
                     Quote(line));
            record.AddStoredSample(v[0], v[1], v[2], v[3]);
        }
    }

    void Read(std::vector<Storage>& records, Preferences& prefs) {
        const int first = IntLine("version or record count");
        int version = 0;
        for (int i = 0; i < 4; ++i)
            if (first == kWorkspaceVersionMarks[i]) version = i + 1;
        const int count = version == 0 ? first : IntLine("record count");
        count_ = count;
        if (count < 0) Fail(wxString::Format("the record count is negative (%d)", count));
        // Records are large next to the bytes they need in the file: reserve a few, grow on demand.
        records.reserve(std::size_t(std::min<std::uint64_t>(
            {std::uint64_t(count), in_.BytesLeft() / kMinRecordBytes + 1, 64})));

        for (record_ = 1; record_ <= count; ++record_) {
            titleRead_ = false;
            title_ = TextLine("title");
            titleRead_ = true;
            const wxString& title = title_;
            wxString dateText;
            wxString info;
            int serial = 0;
            wxString boxText;
            std::pair<int, int> box{0, 0};
            float targetFlow = 0.0f;
            if (version >= 1) {
                dateText = TextLine("date");
                info = TextLine("information line");
            }
            if (version >= 2) serial = IntLine("serial number");
            if (version >= 4) {
                boxText = TextBoxLine();
                box = IntPairLine("text box position");
                targetFlow = RealLine("target flow");
            }
            const int interval = IntLine("sample interval");
            const int pressureUnit = IntLine("pressure unit");
            std::pair<int, int> units{1, 0};
            if (version >= 3)
                units = IntPairLine("units");
            else
                units.first = IntLine("units");
            const int reserved = IntLine("reserved flag");
            const int samples = IntLine("number of samples");

            // Each record takes the units of its own line 10: the flow unit it was saved with
            // (versions 3 and 4; older files knew litres per minute only) and its measurement
            // system, so a gallon record of an old file is not read as litres.
            const int flowUnit = version >= 3 ? units.second : kFlowLitresPerMinute;
            Storage& r = records.emplace_back(dateText, interval, units.first,
                                              reserved != 0 ? 1 : 0, flowUnit, record_);
            r.title = title;
            r.info = info;
            r.serial = serial;
            r.boxText = boxText;
            r.boxX = box.first;
            r.boxY = box.second;
            r.targetFlow = targetFlow;
            r.pressureUnit = std::uint8_t(pressureUnit & 0xFF);
            prefs.pressureUnit = std::uint8_t(pressureUnit & 0xFF);
            prefs.metricUnits = std::uint8_t(units.first & 0xFF);
            prefs.flowUnit = std::uint8_t(version >= 3 ? units.second & 0xFF : 0);
            Samples(r, samples);
            whole_ = records.size();
            wholePrefs_ = prefs;
        }
        record_ = 0;
    }

    LineReader& in_;
    int record_ = 0;
    int count_ = 0;
    wxString title_;  // of record_
    bool titleRead_ = false;
    std::size_t whole_ = 0;   // records read whole
    Preferences wholePrefs_;  // the units after the last of them
};

}  // namespace

WorkspaceReadResult ReadWorkspace(const wxString& path, Preferences& prefs) {
    LineReader in(path);
    if (!in.IsOpen()) {
        WorkspaceReadResult result;
        result.error = "Cannot open File for Reading";
        return result;
    }
    return Parser(in).Run(prefs);
}

WorkspaceReadResult ReadWorkspaceBytes(std::string_view bytes, Preferences& prefs) {
    LineReader in(bytes);
    return Parser(in).Run(prefs);
}

wxString DamagedWorkspaceWarning(const WorkspaceReadResult& result, const wxString& fileName) {
    const auto it = [](const char* utf8) { return wxString::FromUTF8(utf8); };
    const int damaged = result.damagedRecord;
    wxString record = wxString::Format("il record %d", damaged);
    if (result.damagedTitleRead && !result.damagedTitle.empty()) {
        constexpr std::size_t kShown = 60;
        wxString title = result.damagedTitle.Left(kShown);
        if (result.damagedTitle.length() > kShown) title += "...";
        record += " (\"" + title + "\")";
    }
    wxString text = "Il file \"" + fileName + it("\" è danneggiato: ") + record +
                    it(" non è integro ed è stato escluso.");
    if (result.recordCount == damaged + 1)
        text += wxString::Format(it(" Anche il record %d, che lo segue, è stato escluso."),
                                 damaged + 1);
    else if (result.recordCount > damaged + 1)
        text +=
            wxString::Format(it(" Anche i record successivi (dal %d al %d) sono stati esclusi."),
                             damaged + 1, result.recordCount);
    const std::size_t kept = result.records.size();
    text += kept == 1 ? it("\nÈ stato aperto il record integro che lo precede.")
                      : wxString::Format(
                            "\nSono stati aperti i %zu record integri che lo precedono.", kept);
    text +=
        it("\nPer non sovrascrivere il file danneggiato, il salvataggio chiederà un nuovo nome.");
    if (!result.damage.empty()) text += "\n\n" + result.damage;
    return text;
}
