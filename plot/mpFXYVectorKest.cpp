#include "plot/mpFXYVectorKest.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpFXYVectorKest, mpFXYKest);

mpFXYVectorKest::mpFXYVectorKest(const wxString& n, int f) : mpFXYKest(n, f) {}

void mpFXYVectorKest::ExtendData(const std::vector<float>& xs, const std::vector<float>& ys) {
    store_.Extend(xs, ys, {}, std::nullopt);
}

void mpFXYVectorKest::SetData(const std::vector<float>& xs, const std::vector<float>& ys) {
    store_.Set(xs, ys, {}, std::nullopt);
}
