#pragma once
// Why a request to the meter failed: the link's status, what kind of failure it was, the libusb
// result or errno and libusb's own text. Callers word it for their reader (ReasonText for the
// technician's tools and logs; LinkFailureTexts holds each kind's words in both languages).

#include <string>

enum LinkStatus : int {
    LINK_OPEN_FAILED = 0,
    // A transfer on a path without the retry (memory reads, live samples, clock setting) failed or
    // came back short.
    LINK_TRANSFER_FAILED = 2,
    LINK_NOT_FOUND = 3,
    LINK_OK = 4,
    LINK_RECONFIGURE_FAILED = 5,
    LINK_RETRY_FAILED = 6,
};

enum class LinkFailureKind {
    kNone,
    kNoMeter,             // nothing with 04d8:fffd on the bus, or the meter left it
    kPermissionDenied,    // the device node cannot be opened by this user
    kOpenFailed,          // another reason the open failed
    kTransferFailed,      // libusb reported an error, or no bytes moved
    kTimedOut,            // the meter did not answer within the request's time-out
    kShortReply,          // a memory chunk came back shorter than asked
    kReconfigureRefused,  // a transfer failed and SET_CONFIGURATION was refused too
    kCount,               // not a kind: how many there are, so tables over the kinds can be checked
};

struct LinkFailure {
    LinkStatus status = LINK_OK;
    LinkFailureKind kind = LinkFailureKind::kNone;
    int code = 0;      // the negative libusb result, or the errno of a failed open; 0 if none
    std::string text;  // libusb's text (usb_strerror), or the link's own words

    bool failed() const { return kind != LinkFailureKind::kNone; }
};

// One English line: what went wrong and what to do about it; empty when nothing failed.
std::string ReasonText(const LinkFailure& failure);
