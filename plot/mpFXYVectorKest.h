#pragma once
// A second-axis series over float sequences; its third value reads -1 (no z sequence).
#include <vector>

#include "plot/SeriesStore.h"
#include "plot/mpFXYKest.h"

class mpFXYVectorKest : public mpFXYKest {
public:
    explicit mpFXYVectorKest(const wxString& name = wxEmptyString, int flags = 0);

    void SetData(const std::vector<float>& xs, const std::vector<float>& ys);
    // As SetData, for sequences that only grew at their ends since the last SetData or ExtendData.
    void ExtendData(const std::vector<float>& xs, const std::vector<float>& ys);

    void Rewind() override { store_.Rewind(); }
    bool GetNextXY(double& x, double& y) override { return store_.GetNextXY(x, y); }
    bool GetXYZ(double& x, double& y, double& z, int index) override {
        return store_.GetXYZ(x, y, z, index, -1.0);
    }
    int GetCount() override { return store_.Count(); }
    bool FindNearest(double x, double& sx, double& sy, double& sz) override {
        return store_.FindNearest(x, sx, sy, sz, -1.0);
    }

    double GetMinX() override { return store_.Bounds().minX; }
    double GetMaxX() override { return store_.Bounds().maxX; }
    double GetMinY() override { return store_.Bounds().minY; }
    double GetMaxY() override { return store_.Bounds().maxY; }

protected:
    SeriesSamples Samples() override { return store_.Samples(); }

private:
    SeriesStore store_;

    wxDECLARE_DYNAMIC_CLASS(mpFXYVectorKest);
};
