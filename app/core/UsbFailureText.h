#pragma once
// The line a failure message adds when the link knows why it failed, in the interface's
// language (UTF-8); empty when nothing failed.

#include <string>

#include "meter/LinkFailure.h"

std::string UsbFailureReason(const LinkFailure& failure);
