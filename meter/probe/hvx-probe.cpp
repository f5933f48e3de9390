// hvx-probe: a diagnostic for technicians and end-to-end checks. Lists the HVX-2 meters on the USB
// bus and prints the first one's version, settings, logger status, clock and table of contents;
// --dump FILE writes its whole 128 KiB memory; --download FILE.orv downloads the logged events
// into a workspace file, as the program's download does, without a display.

#include <usb.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "meter/KestUSB.h"
#include "meter/LoggerStatus.h"
#include "meter/MemoryLayout.h"
#include "meter/MeterClock.h"
#include "meter/SampleRate.h"
#include "meter/SettingsBlock.h"
#include "meter/probe/ProbeDownload.h"

namespace {

int ListMeters() {
    usb_init();
    usb_find_busses();
    usb_find_devices();
    int found = 0;
    for (usb_bus* bus = usb_get_busses(); bus != nullptr; bus = bus->next)
        for (struct usb_device* dev = bus->devices; dev != nullptr; dev = dev->next)
            if (dev->descriptor.idVendor == KestUSB::kVendorId &&
                dev->descriptor.idProduct == KestUSB::kProductId) {
                if (found++ == 0) std::printf("Meters on the USB bus:\n");
                std::printf("  bus %s device %s  %04x:%04x\n", bus->dirname, dev->filename,
                            dev->descriptor.idVendor, dev->descriptor.idProduct);
            }
    return found;
}

const char* PressureUnitName(int code) {
    switch (code) {
        case kPressurePsi:
            return "psi";
        case kPressureBar:
            return "bar";
        case kPressureMetresWater:
            return "m H2O";
        case kPressureKpa:
            return "kPa";
        default:
            return "unknown";
    }
}

void PrintSettings(const SettingsBlock& s) {
    std::printf("Settings block (%zu bytes):\n", s.length());
    std::printf("  sample interval: %d ms (rate code 0x%04X)\n", IntervalMsFromCode(s.rateCode),
                s.rateCode);
    std::printf("  logged events: %u\n", s.fileCount);
    std::printf("  units: %s\n", s.metricUnits() ? "litres" : "US gallons");
    std::printf("  auto-logging: %s; on above %u after %u samples, off below %u after %u samples\n",
                s.autoLog() ? "on" : "off", s.flowOnThreshold, s.flowOnDelay, s.flowOffThreshold,
                s.flowOffDelay);
    std::printf("  pressure calibration: zero %u, rough %u, fine %u\n", s.pressureZero,
                s.pressureRough, s.pressureFine);
    std::printf("  flow filter: median %u, clamp %u\n", s.medianLength, s.flowClamp);
    std::printf("  pressure unit: %s (code %u)\n", PressureUnitName(s.pressureUnit),
                s.pressureUnit);
    std::printf("  display alternation %u, volume range %u\n", s.displayAlternation, s.volumeRange);
    if (!s.longForm) {
        std::printf("  serial number, manufacture date and flow unit: not in the short block\n");
        return;
    }
    std::printf("  serial number: %u\n", *s.serial);
    std::printf("  manufacture date: %02X %02X %02X\n", (*s.manufactureDate)[0],
                (*s.manufactureDate)[1], (*s.manufactureDate)[2]);
    if (*s.unitMarker == kFlowUnitMarker)
        std::printf("  meter flow unit bit: %u\n", *s.flowUnitBit);
    else
        std::printf("  meter flow unit: not set\n");
}

void PrintStatus(const LoggerStatus& st) {
    std::printf("Logger status:\n");
    std::printf("  free memory: %u bytes (memory level %d/700, about %ld s of logging left)\n",
                st.freeMemory, MemoryLevel(st.freeMemory),
                RemainingSeconds(st.freeMemory, st.rateCode));
    std::printf("  battery: %u (level %d/700)\n", st.battery, BatteryLevel(st.battery));
    std::printf("  rate code: 0x%04X (%d ms)\n", st.rateCode, IntervalMsFromCode(st.rateCode));
}

bool PrintToc(KestUSB& link, unsigned n, unsigned settingsLength) {
    std::printf("Table of contents (%u events, newest first):\n", n);
    if (n == 0) return true;
    n = std::min(n, kMaxEvents);
    std::vector<uint8_t> toc(kTocEntrySize * n);
    if (!link.ReadMemory(TocAddress(n), static_cast<unsigned>(toc.size()), toc.data()))
        return false;
    std::vector<TocEntry> entries;
    for (unsigned k = 0; k < n; ++k)
        entries.push_back(DecodeTocEntry(toc.data() + kTocEntrySize * k));
    // Each event starts where the older one (the next entry) ends; the oldest starts after the
    // settings.
    for (unsigned k = 0; k < n; ++k) {
        const uint32_t start = k + 1 < n ? entries[k + 1].endAddress : settingsLength;
        const TocEntry& e = entries[k];
        const long samples =
            e.endAddress >= start ? static_cast<long>((e.endAddress - start) / 3) : -1;
        std::printf("  Memoria %u  %s  0x%05X..0x%05X  ", k + 1, FormatEventDate(e).c_str(), start,
                    e.endAddress);
        if (samples >= 0)
            std::printf("%ld samples\n", samples);
        else
            std::printf("end below start\n");
    }
    return true;
}

bool Dump(KestUSB& link, const std::string& path) {
    std::vector<uint8_t> memory(kMemorySize);
    if (!link.ReadMemory(0, kMemorySize, memory.data())) {
        std::fprintf(stderr, "hvx-probe: the memory read failed: %s\n",
                     ReasonText(link.LastFailure()).c_str());
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(memory.data()),
              static_cast<std::streamsize>(memory.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "hvx-probe: cannot write '%s'\n", path.c_str());
        return false;
    }
    std::printf("Memory dump: %u bytes written to %s\n", kMemorySize, path.c_str());
    return true;
}

int NoAnswer(const KestUSB& link, const char* what) {
    std::fprintf(stderr, "hvx-probe: the meter does not answer (%s): %s\n", what,
                 ReasonText(link.LastFailure()).c_str());
    return kNoAnswer;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dumpPath, downloadPath;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--dump") == 0 && i + 1 < argc) {
            dumpPath = argv[++i];
        } else if (std::strcmp(argv[i], "--download") == 0 && i + 1 < argc) {
            downloadPath = argv[++i];
        } else {
            std::fprintf(stderr, "usage: hvx-probe [--dump FILE] | --download FILE.orv\n");
            return kUsage;
        }
    }
    if (!downloadPath.empty()) {
        if (!dumpPath.empty()) {
            std::fprintf(stderr, "usage: hvx-probe [--dump FILE] | --download FILE.orv\n");
            return kUsage;
        }
        return DownloadToWorkspace(downloadPath);
    }
    if (ListMeters() == 0) {
        std::fprintf(stderr, "hvx-probe: no HVX-2 meter (04d8:fffd) found on the USB bus\n");
        return kNoMeter;
    }
    KestUSB link;
    const uint8_t* version = link.GetFirmwareVersion();
    if (version == nullptr) return NoAnswer(link, "firmware version");
    const uint16_t word = VersionWord(version);
    std::printf("Firmware version: 0x%04X (%d.%d)\n", word, word >> 8, word & 0xFF);

    const std::size_t length = SettingsBlockLength(word);
    uint8_t block[kLongSettingsLength] = {};
    if (!link.ReadMemory(0, static_cast<unsigned>(length), block))
        return NoAnswer(link, "settings block");
    const SettingsBlock settings = *DecodeSettingsBlock(std::span<const uint8_t>(block, length));
    PrintSettings(settings);

    const uint8_t* status = link.GetLoggerStatus();
    if (status == nullptr) return NoAnswer(link, "logger status");
    PrintStatus(*DecodeLoggerStatus(std::span<const uint8_t>(status, kLoggerStatusLength)));

    const uint8_t* clockBytes = link.GetClock();
    if (clockBytes == nullptr) return NoAnswer(link, "clock");
    const MeterClock c = *DecodeClock(std::span<const uint8_t>(clockBytes, kClockLength));
    std::printf("Clock: %04d-%02d-%02d %02d:%02d:%02d (fourth byte 0x%02X)\n", c.year, c.month,
                c.day, c.hour, c.minute, c.second, c.fourth);

    if (!PrintToc(link, settings.fileCount, static_cast<unsigned>(length)))
        return NoAnswer(link, "table of contents");
    if (!dumpPath.empty() && !Dump(link, dumpPath)) return kNoAnswer;
    return 0;
}
