#pragma once
// A primary-axis series over float sequences: time-ordered samples draw a few segments per pixel
// column and measure by binary search.
#include <vector>

#include "plot/SeriesStore.h"
#include "plot/mpFXY.h"

class mpFXYVector : public mpFXY {
public:
    explicit mpFXYVector(const wxString& name = wxEmptyString, int flags = mpNAME_TOP_CENTRE);

    void SetData(const std::vector<float>& xs, const std::vector<float>& ys, double extraY);
    void SetData(const std::vector<float>& xs, const std::vector<float>& ys,
                 const std::vector<float>& zs, double extraY);
    // As SetData, for sequences that only grew at their ends since the last SetData or
    // ExtendData: only the new samples are taken.
    void ExtendData(const std::vector<float>& xs, const std::vector<float>& ys,
                    const std::vector<float>& zs, double extraY);

    void Rewind() override { store_.Rewind(); }
    bool GetNextXY(double& x, double& y) override { return store_.GetNextXY(x, y); }
    bool GetXYZ(double& x, double& y, double& z, int index) override {
        return store_.GetXYZ(x, y, z, index, 0.0);
    }
    int GetCount() override { return store_.Count(); }
    bool FindNearest(double x, double& sx, double& sy, double& sz) override {
        return store_.FindNearest(x, sx, sy, sz, 0.0);
    }

    double GetMinX() override { return store_.Bounds().minX; }
    double GetMaxX() override { return store_.Bounds().maxX; }
    double GetMinY() override { return store_.Bounds().minY; }
    double GetMaxY() override { return store_.Bounds().maxY; }

    const std::vector<float>& GetXs() const { return store_.Xs(); }
    const std::vector<float>& GetYs() const { return store_.Ys(); }

protected:
    SeriesSamples Samples() override { return store_.Samples(); }

private:
    SeriesStore store_;

    wxDECLARE_DYNAMIC_CLASS(mpFXYVector);
};
