#pragma once
// Each failure kind's words, in English for hvx-probe and the logs and in Italian for the
// program's window. One row holds both, so that neither language falls behind when a kind is
// added or reworded; the two need not say the same thing word for word.

#include "meter/LinkFailure.h"

struct LinkFailureTexts {
    LinkFailureKind kind;
    const char* english;
    const char* italian;
};

// The row of `kind`: both texts empty for kNone (and for a value that is no kind).
const LinkFailureTexts& TextsFor(LinkFailureKind kind);
