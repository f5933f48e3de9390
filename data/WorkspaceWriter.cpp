#include <algorithm>

#include "data/AtomicFile.h"
#include "data/BaseOnly.h"
#include "data/NumberText.h"
#include "data/Workspace.h"

wxString WorkspacePathWithExtension(const wxString& path) {
    return path.Contains(".orv") ? path : path + ".orv";
}

std::vector<unsigned> TextBoxCodes(const wxString& text) {
    std::vector<unsigned> codes;
    codes.reserve(text.length());
    for (wxUniChar ch : text) {
        const unsigned c = ch.GetValue();
        if (c == 0) continue;  // 0 ends the text in the file
        if (c > 0xFFFF && c <= 0x10FFFF) {
            codes.push_back(0xD800 + ((c - 0x10000) >> 10));
            codes.push_back(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            codes.push_back(c <= 0xFFFF ? c : 0xFFFD);
        }
    }
    return codes;
}

namespace {

class Writer {
public:
    explicit Writer(AtomicFile& out) : out_(out) {}

    // One line of text; a line break inside it would split the record, so it becomes a blank.
    void TextLine(const wxString& text) {
        const wxScopedCharBuffer utf8 = text.utf8_str();
        std::string line(utf8.data(), utf8.length());
        for (char& c : line)
            if (c == '\n' || c == '\r') c = ' ';
        line += '\n';
        out_.Write(line);
    }

    void IntLine(long long a) {
        char* p = out_.Room(kMaxNumberText + 1);
        std::size_t n = FormatInt(a, p);
        p[n++] = '\n';
        out_.Advance(n);
    }

    void IntPairLine(long long a, long long b) {
        char* p = out_.Room(2 * kMaxNumberText + 2);
        std::size_t n = FormatInt(a, p);
        p[n++] = ' ';
        n += FormatInt(b, p + n);
        p[n++] = '\n';
        out_.Advance(n);
    }

    void RealLine(float v) {
        char* p = out_.Room(kMaxNumberText + 1);
        std::size_t n = FormatFixed6(v, p);
        p[n++] = '\n';
        out_.Advance(n);
    }

    void TextBoxLine(const wxString& text) {
        for (unsigned code : TextBoxCodes(text)) {
            char* p = out_.Room(kMaxNumberText + 1);
            std::size_t n = FormatInt(code, p);
            p[n++] = ' ';
            out_.Advance(n);
        }
        out_.Write("0 \n", 3);
    }

    void Samples(const Storage& record, std::size_t count) {
        const float* t = record.time.data();
        const float* f = record.flow.data();
        const float* pr = record.pressure.data();
        const float* v = record.volume.data();
        for (std::size_t i = 0; i < count; ++i) {
            char* p = out_.Room(4 * kMaxNumberText + 4);
            std::size_t n = FormatFixed6(t[i], p);
            p[n++] = ' ';
            n += FormatFixed6(f[i], p + n);
            p[n++] = ' ';
            n += FormatFixed6(pr[i], p + n);
            p[n++] = ' ';
            n += FormatFixed6(v[i], p + n);
            p[n++] = '\n';
            out_.Advance(n);
        }
    }

private:
    AtomicFile& out_;
};

}  // namespace

bool WriteWorkspace(const wxString& path, const std::vector<Storage>& records, wxString* error) {
    AtomicFile out(path);
    if (out.IsOpen()) {
        Writer w(out);
        w.IntLine(kWorkspaceVersionMarks[3]);
        w.IntLine((long long)records.size());
        for (const Storage& r : records) {
            w.TextLine(r.title);
            w.TextLine(r.dateText);
            w.TextLine(r.info);
            w.IntLine(r.serial);
            w.TextBoxLine(r.boxText);
            w.IntPairLine(r.boxX, r.boxY);
            w.RealLine(r.targetFlow);
            w.IntLine(r.intervalMs);
            w.IntLine(r.pressureUnit);
            // Each record's own flow unit: older programs read it as the preference, and the
            // samples of this record are in it.
            w.IntPairLine(r.metricUnits, r.flowUnit);
            w.IntLine(r.reservedFlag);
            // The four series have one length; the shortest bounds what can be written whole.
            const std::size_t count =
                std::min({r.time.size(), r.flow.size(), r.pressure.size(), r.volume.size()});
            w.IntLine((long long)count);
            w.Samples(r, count);
        }
        if (out.Commit()) return true;
    }
    if (error != nullptr) *error = out.Error();
    return false;
}
