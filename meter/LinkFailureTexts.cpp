#include "meter/LinkFailureTexts.h"

#include <cstddef>
#include <iterator>

namespace {

using K = LinkFailureKind;

// In the enum's order: the row of a kind is found by its value.
constexpr LinkFailureTexts kRows[] = {
    {K::kNone, "", ""},
    {K::kNoMeter, "no HVX-2 meter (04d8:fffd) on the USB bus",
     "nessun HVX-2 collegato alla porta USB"},
    {K::kPermissionDenied,
     "permission denied on the meter's USB device: install the udev rule 60-hvx2.rules (see the "
     "README, \"Installing\") and plug the meter in again",
     "permesso negato sul dispositivo USB dello strumento: installare la regola udev "
     "60-hvx2.rules (README, \"Installing\") e ricollegare lo strumento"},
    {K::kOpenFailed, "the meter's USB device could not be opened",
     "impossibile aprire il dispositivo USB dello strumento"},
    {K::kTransferFailed, "a USB transfer to the meter failed", "trasferimento USB fallito"},
    {K::kTimedOut, "the meter did not answer in time", "lo strumento non ha risposto in tempo"},
    {K::kShortReply, "the meter's reply was cut short", "risposta dello strumento incompleta"},
    {K::kReconfigureRefused, "a USB transfer failed and the meter refused to be reconfigured",
     "trasferimento USB fallito e riconfigurazione rifiutata"},
};

constexpr std::size_t kKinds = static_cast<std::size_t>(K::kCount);
static_assert(std::size(kRows) == kKinds, "every failure kind needs its row of texts");

constexpr bool RowsInKindOrder() {
    for (std::size_t i = 0; i < kKinds; ++i)
        if (kRows[i].kind != static_cast<K>(i)) return false;
    return true;
}
static_assert(RowsInKindOrder(), "the rows follow the order of LinkFailureKind");

}  // namespace

const LinkFailureTexts& TextsFor(LinkFailureKind kind) {
    const auto row = static_cast<std::size_t>(kind);
    return row < kKinds ? kRows[row] : kRows[0];
}
