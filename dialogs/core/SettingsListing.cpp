#include "dialogs/core/SettingsListing.h"

namespace {

unsigned Word(std::span<const uint8_t> b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

}  // namespace

wxString SettingsListing(const ListingInput& in) {
    wxString out = wxString::Format("Firmware Version: \t %x\n", in.version);
    if (!in.block || in.block->size() < 21) return out;
    const std::span<const uint8_t> b = *in.block;

    const unsigned code = Word(b, 0);
    out += wxString::Format("Sample Rate \t %x -> %d\n", code,
                            static_cast<int>(1 + (65535u - code) * 80u / 32768u));
    out += wxString::Format("File Count \t %x\n", Word(b, 2));
    out += wxString::Format("State   \t \t %x\n", b[4]);
    out += wxString::Format("Flow On    \t %d \n", Word(b, 5));
    out += wxString::Format("Delay On    \t %d \n", Word(b, 7));
    out += wxString::Format("Flow Off   \t %d \n", Word(b, 9));
    out += wxString::Format("Delay Off \t %d \n", Word(b, 11));
    out += wxString::Format("Pressure Unit \t %d ", b[19]);
    if (b[19] == 'p') out += "PSI\n";
    if (b[19] == 'b') out += "BAR\n";
    out += wxString::Format("Pressure Scale \t %d \n", b[13]);
    out += wxString::Format("Pressure Zero \t %d \n", b[14]);
    out += wxString::Format("Filter Median \t %d \n", b[16]);
    out += wxString::Format("Flow Clamp \t %d \n", b[17]);
    out += wxString::Format("Display Alternation \t %d \n", b[18]);
    out += wxString::Format("Volume Range \t %d \n", b[20]);
    if (b.size() >= 41) {
        out += wxString::Format("Serial no. \t %d \n", Word(b, 21));
        out += wxString::Format("Manufacture \t %x:%x:%x \n", b[23], b[24], b[25]);
    }

    if (in.clock) {
        const auto& c = *in.clock;
        // The clock chip keeps flags in the top bits of seconds, minutes and hours.
        out += wxString::Format("\nRTC Current Time: \t %x:%x:%x  %x:%x:%x \n", c[2] & 0x3F,
                                c[1] & 0x7F, c[0] & 0x7F, c[4], c[5], c[6]);
    } else {
        out += "\nRTC Current Time: \t no reply \n";
    }
    if (in.clockConfig)
        out += wxString::Format("Clock Configure \t %x %x \n", (*in.clockConfig)[0],
                                (*in.clockConfig)[1]);
    else
        out += "Clock Configure \t no reply \n";
    return out;
}
