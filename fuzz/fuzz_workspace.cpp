// libFuzzer target for the workspace reader: whatever the bytes, reading must end without a crash,
// an overrun, undefined behaviour or a hang, and a file it accepts (or the part of it before a
// damage) must give whole records.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/Workspace.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Preferences prefs;
    const Preferences before = prefs;
    const WorkspaceReadResult result =
        ReadWorkspaceBytes(std::string_view(reinterpret_cast<const char*>(data), size), prefs);
    if (!result.Ok()) {
        // A refused file names its fault and changes nothing.
        if (!result.records.empty() || result.error.empty() || prefs.flowUnit != before.flowUnit ||
            prefs.pressureUnit != before.pressureUnit || prefs.metricUnits != before.metricUnits)
            std::abort();
        return 0;
    }
    // A damaged file keeps the whole records before the damage, and says which one it left out.
    if (result.Damaged() &&
        (result.records.empty() || result.damagedRecord != int(result.records.size()) + 1 ||
         result.damage.empty() || DamagedWorkspaceWarning(result, "f.orv").empty()))
        std::abort();
    for (const Storage& r : result.records) {
        const std::size_t n = r.time.size();
        if (r.flow.size() != n || r.pressure.size() != n || r.volume.size() != n) std::abort();
        float t, f, p, v;
        if (n > 0) r.GetLastSample(t, f, p, v);
        (void)r.GetTargetX();
    }
    return 0;
}
