#include "app/core/UsbFailureText.h"

namespace {

const char* KindText(LinkFailureKind kind) {
    switch (kind) {
        case LinkFailureKind::kNone:
            return "";
        case LinkFailureKind::kNoMeter:
            return "nessun HVX-2 collegato alla porta USB";
        case LinkFailureKind::kPermissionDenied:
            return "permesso negato sul dispositivo USB dello strumento: installare la regola "
                   "udev 60-hvx2.rules (README, \"Installing\") e ricollegare lo strumento";
        case LinkFailureKind::kOpenFailed:
            return "impossibile aprire il dispositivo USB dello strumento";
        case LinkFailureKind::kTransferFailed:
            return "trasferimento USB fallito";
        case LinkFailureKind::kTimedOut:
            return "lo strumento non ha risposto in tempo";
        case LinkFailureKind::kShortReply:
            return "risposta dello strumento incompleta";
        case LinkFailureKind::kReconfigureRefused:
            return "trasferimento USB fallito e riconfigurazione rifiutata";
    }
    return "";
}

}  // namespace

std::string UsbFailureReason(const LinkFailure& failure) {
    if (!failure.failed()) return "";
    std::string text = std::string("Motivo: ") + KindText(failure.kind);
    if (!failure.text.empty()) text += " (" + failure.text + ")";
    return text;
}
