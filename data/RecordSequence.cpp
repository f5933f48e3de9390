#include "data/RecordSequence.h"

#include <wx/filename.h>

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "data/BaseOnly.h"
#include "data/Workspace.h"

RecordSequence::RecordId RecordSequence::IdAt(int index) const {
    return Valid(index) ? ids_[std::size_t(index)] : kNoRecord;
}

int RecordSequence::IndexOf(RecordId id) const {
    if (id == kNoRecord) return -1;
    const auto it = std::find(ids_.begin(), ids_.end(), id);
    return it == ids_.end() ? -1 : int(it - ids_.begin());
}

void RecordSequence::ReplaceRecords(std::vector<Storage> records) {
    records_ = std::move(records);
    ids_.clear();
    for (std::size_t i = 0; i < records_.size(); ++i) ids_.push_back(NextId());
    liveId_ = kNoRecord;
    filterOn_ = false;
}

void RecordSequence::ReplaceAll(std::vector<Storage> records) {
    ReplaceRecords(std::move(records));
    saved_ = false;
    Notify();
}

void RecordSequence::InsertFront(Storage record) {
    records_.insert(records_.begin(), std::move(record));
    ids_.insert(ids_.begin(), NextId());
    saved_ = false;
    Notify();
}

void RecordSequence::Append(Storage record) {
    records_.push_back(std::move(record));
    ids_.push_back(NextId());
    saved_ = false;
    Notify();
}

bool RecordSequence::Remove(int index) {
    if (!Valid(index)) return false;
    if (ids_[std::size_t(index)] == liveId_) liveId_ = kNoRecord;
    records_.erase(records_.begin() + index);
    ids_.erase(ids_.begin() + index);
    saved_ = false;
    Notify();
    return true;
}

Storage* RecordSequence::Edit(int index) {
    return Valid(index) ? &records_[std::size_t(index)] : nullptr;
}

bool RecordSequence::Rename(int index, const wxString& title) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    r->title = title.empty() ? wxString("-") : title;
    saved_ = false;
    return true;
}

bool RecordSequence::SetInfo(int index, const wxString& info) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    r->info = info;
    saved_ = false;
    return true;
}

bool RecordSequence::SetBoxText(int index, const wxString& text) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    r->boxText = text;
    saved_ = false;
    return true;
}

bool RecordSequence::SetBoxPosition(int index, int x, int y) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    if (r->boxX == x && r->boxY == y) return true;
    r->boxX = x;
    r->boxY = y;
    saved_ = false;
    return true;
}

bool RecordSequence::SetTargetFlow(int index, const wxString& text) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    double value = 0.0;
    const wxString trimmed = wxString(text).Trim().Trim(false);
    if (!trimmed.ToCDouble(&value) && !trimmed.ToDouble(&value)) return false;
    // "inf", "nan" and values beyond a float would collapse the graph's range and be saved as text
    // no reader takes back.
    if (!std::isfinite(value) || std::fabs(value) > double(FLT_MAX)) return false;
    r->SetTargetFlow(float(value));
    saved_ = false;
    return true;
}

bool RecordSequence::SetFlowReading(int index, const wxString& text) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    r->flowReading = text;
    return true;
}

bool RecordSequence::SetPressureReading(int index, const wxString& text) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    r->pressureReading = text;
    return true;
}

void RecordSequence::SetFilterWidth(int halfWidth) { filterWidth_ = std::max(halfWidth, 0); }

bool RecordSequence::SetFilter(int index, bool on) {
    Storage* r = Edit(index);
    if (r == nullptr) return false;
    filterOn_ = on;
    r->Smooth(on, filterWidth_);
    return true;
}

void RecordSequence::StartLive(Storage record) {
    InsertFront(std::move(record));
    liveId_ = ids_.front();
}

bool RecordSequence::AppendLiveSample(int flowRaw, int pressureRaw) {
    Storage* r = Edit(LiveIndex());
    if (r == nullptr) return false;
    r->AddRawSample(flowRaw, pressureRaw);
    saved_ = false;
    return true;
}

bool RecordSequence::Save(const wxString& path, wxString* error) {
    if (!WriteWorkspace(path, records_, error)) return false;
    path_ = path;
    saved_ = true;
    return true;
}

bool RecordSequence::Open(const wxString& path, Preferences& prefs, wxString* error,
                          wxString* warning) {
    if (warning != nullptr) warning->clear();
    // The file's units reach the caller's preferences only when records could be read.
    Preferences read = prefs;
    WorkspaceReadResult result = ReadWorkspace(path, read);
    if (!result.Ok()) {
        if (error != nullptr) *error = result.error;
        return false;
    }
    if (result.Damaged() && warning != nullptr)
        *warning = DamagedWorkspaceWarning(result, wxFileName(path).GetFullName());
    prefs = read;
    ReplaceRecords(std::move(result.records));
    if (result.Damaged()) {
        path_.clear();
        saved_ = false;
    } else {
        path_ = path;
        saved_ = true;
    }
    Notify();
    return true;
}

int RecordSequence::Subscribe(Listener listener) {
    const int token = ++nextToken_;
    listeners_[token] = std::move(listener);
    return token;
}

void RecordSequence::Unsubscribe(int token) { listeners_.erase(token); }

void RecordSequence::Notify() {
    // A listener may unsubscribe itself or another; call a copy.
    const auto listeners = listeners_;
    for (const auto& [token, listener] : listeners)
        if (listener) listener();
}
