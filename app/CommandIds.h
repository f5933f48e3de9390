#pragma once
// The command ids of the main window. The numbers are fixed: buttons, menu entries, the record list
// and the timers carry them, and some handlers serve several of them.

#include <array>

enum CommandId : int {
    ID_EXIT = 1,
    ID_OPEN = 3,
    ID_SAVE = 4,
    ID_SAVE_AS = 5,
    ID_PRINT_BUTTON = 6,
    ID_STATUS_TIMER = 7,
    ID_LIVE_TIMER = 8,
    ID_ZOOM_IN = 9,
    ID_ZOOM_OUT = 10,
    ID_GRAPH_FLOW = 11,
    ID_GRAPH_VOLUME = 12,
    ID_GRAPH_PRESSURE = 13,
    ID_MEASURE_FLOW = 14,
    ID_GRID = 15,
    ID_POINTS = 16,
    ID_LIVE_START = 17,
    ID_LIVE_STOP = 18,
    ID_METER_SETTINGS = 19,
    ID_ERASE_METER = 20,
    ID_GAUGE = 21,  // both resource gauges; no handler
    ID_DOWNLOAD = 22,
    ID_REMOVE_RECORD = 23,
    ID_RENAME_RECORD = 24,
    ID_FLOW_COLOUR = 25,
    ID_VOLUME_COLOUR = 26,
    ID_PRESSURE_COLOUR = 27,
    ID_RECORD_LIST = 28,
    ID_OPEN_BUTTON = 29,
    ID_SAVE_IMAGE = 31,
    ID_FLOW_WIDTH = 32,
    ID_VOLUME_WIDTH = 33,
    ID_PRESSURE_WIDTH = 34,
    ID_EXPORT_CSV = 35,
    ID_PRINT = 36,
    ID_PRINT_PREVIEW = 37,
    ID_FILTER = 38,
    ID_FILTER_SETTINGS = 39,
    ID_RECORD_INFO = 48,
    ID_FACTORY_CONFIG = 55,
    ID_MEASURE_PRESSURE = 56,
    ID_SHOW_TIPS = 58,
    ID_FLOW_UNIT_LPM = 61,
    ID_FLOW_UNIT_M3H = 62,
    ID_FLOW_UNIT_LPS = 63,
    ID_FLOW_UNIT_GPM = 64,
    ID_RECORD_TEXTBOX = 65,
    ID_TARGET_FLOW = 66,
    ID_ABSOLUTE_TIME = 67,
};

// The "Data" menu entry of each flow unit, indexed by the unit code 0..3.
inline constexpr std::array<int, 4> kFlowUnitMenuIds = {ID_FLOW_UNIT_LPM, ID_FLOW_UNIT_LPS,
                                                        ID_FLOW_UNIT_M3H, ID_FLOW_UNIT_GPM};

// The flow unit code a flow unit menu entry selects, or -1 for any other id.
inline constexpr int FlowUnitOfMenuId(int id) {
    for (int code = 0; code < static_cast<int>(kFlowUnitMenuIds.size()); ++code)
        if (kFlowUnitMenuIds[code] == id) return code;
    return -1;
}
