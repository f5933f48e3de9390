#include "plot/mpFXYVector.h"

wxIMPLEMENT_DYNAMIC_CLASS(mpFXYVector, mpFXY);

mpFXYVector::mpFXYVector(const wxString& n, int f) : mpFXY(n, f) {}

void mpFXYVector::SetData(const std::vector<float>& xs, const std::vector<float>& ys,
                          double extraY) {
    store_.Set(xs, ys, {}, extraY);
}

void mpFXYVector::ExtendData(const std::vector<float>& xs, const std::vector<float>& ys,
                             const std::vector<float>& zs, double extraY) {
    store_.Extend(xs, ys, zs, extraY);
}

void mpFXYVector::SetData(const std::vector<float>& xs, const std::vector<float>& ys,
                          const std::vector<float>& zs, double extraY) {
    store_.Set(xs, ys, zs, extraY);
}
