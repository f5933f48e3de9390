#pragma once
// Calendar arithmetic for the simulated clock.

#include <chrono>

#include "sim/Meter.h"

namespace sim {

bool IsValidDate(const DateTime& t);
std::chrono::sys_seconds ToSysSeconds(const DateTime& t);
DateTime FromSysSeconds(std::chrono::sys_seconds s);

}  // namespace sim
