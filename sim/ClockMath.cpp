#include "sim/ClockMath.h"

namespace sim {

using namespace std::chrono;

bool IsValidDate(const DateTime& t) {
    const year_month_day ymd{year{t.year}, month{static_cast<unsigned>(t.month)},
                             day{static_cast<unsigned>(t.day)}};
    return ymd.ok() && t.hour >= 0 && t.hour < 24 && t.minute >= 0 && t.minute < 60 &&
           t.second >= 0 && t.second < 60;
}

sys_seconds ToSysSeconds(const DateTime& t) {
    const year_month_day ymd{year{t.year}, month{static_cast<unsigned>(t.month)},
                             day{static_cast<unsigned>(t.day)}};
    return sys_days{ymd} + hours{t.hour} + minutes{t.minute} + seconds{t.second};
}

DateTime FromSysSeconds(sys_seconds s) {
    const sys_days days = floor<std::chrono::days>(s);
    const year_month_day ymd{days};
    const hh_mm_ss<seconds> hms{s - days};
    return {static_cast<int>(ymd.year()),
            static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day())),
            static_cast<int>(hms.hours().count()),
            static_cast<int>(hms.minutes().count()),
            static_cast<int>(hms.seconds().count())};
}

}  // namespace sim
