#pragma once
// The records of the open workspace and the state every command shares: the workspace file, the
// `saved` flag, the moving-average filter (flag and half width) and which record, if any, is being
// logged live. Display-free; the main window owns one, shows it and asks it before it changes it.
//
// Rules kept here, so that no command can forget them:
// - Every change of the records clears `saved`; a successful Save or Open sets it.
// - Each record has an id that never changes while it is in the sequence and is never reused, so a
//   view that shows a record can find it again (or learn that it is gone) after inserts, removals
//   and replacements. Index-based calls take the current index.
// - The live record receives live samples and nothing else does: AppendLiveSample writes only into
//   the live record and refuses when there is none. Replacing all records (download, open) ends
//   live logging in the model; removing the live record ends it too. The caller stops the meter's
//   live mode first (MainFrame::StopLiveLogging) so that the meter and the model agree.
// - Structural changes (ReplaceAll, InsertFront, Append, Remove, Open) notify the subscribers after
//   the change; edits of one record do not.

#include <wx/string.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "data/Preferences.h"
#include "data/Storage.h"

class RecordSequence {
public:
    using RecordId = std::uint64_t;
    static constexpr RecordId kNoRecord = 0;

    RecordSequence() = default;
    RecordSequence(const RecordSequence&) = delete;
    RecordSequence& operator=(const RecordSequence&) = delete;

    // --- Reading ---
    const std::vector<Storage>& Records() const { return records_; }
    std::size_t Size() const { return records_.size(); }
    bool Empty() const { return records_.empty(); }
    bool Valid(int index) const { return index >= 0 && std::size_t(index) < records_.size(); }
    // index must be Valid.
    const Storage& At(int index) const { return records_[std::size_t(index)]; }
    // The id of record `index`, or kNoRecord for an index that is not valid.
    RecordId IdAt(int index) const;
    // The current index of the record with this id, or -1 when it is no longer in the sequence.
    int IndexOf(RecordId id) const;

    // --- Whole sequence ---
    // After a download: the records become these; live logging ends, `saved` is cleared, the
    // workspace file is kept (a later Save writes there).
    void ReplaceAll(std::vector<Storage> records);
    // Record at the front (live logging) or at the end; `saved` is cleared.
    void InsertFront(Storage record);
    void Append(Storage record);
    // Removes record `index`; false (nothing changed) for an invalid index. Removing the live
    // record ends live logging in the model.
    bool Remove(int index);

    // --- Edits of one record; each returns false and changes nothing for an invalid index ---
    // An empty title becomes "-".
    bool Rename(int index, const wxString& title);
    bool SetInfo(int index, const wxString& info);
    bool SetBoxText(int index, const wxString& text);
    // The text box position; `saved` is cleared only when the position really changes.
    bool SetBoxPosition(int index, int x, int y);
    // Sets the target flow from text as a person typed it ("12.5" or "12,5"); text that is not a
    // finite number a float can hold ("abc", "inf", "nan", "1e999") changes nothing and returns
    // false.
    bool SetTargetFlow(int index, const wxString& text);
    // The measuring cursor's last readings; not kept by the workspace file, so `saved` stays.
    bool SetFlowReading(int index, const wxString& text);
    bool SetPressureReading(int index, const wxString& text);

    // --- Filter ---
    bool FilterOn() const { return filterOn_; }
    int FilterWidth() const { return filterWidth_; }
    // A negative width is taken as 0.
    void SetFilterWidth(int halfWidth);
    // The filter flag becomes `on` and record `index` is smoothed or restored with the current
    // width (a record already in that state is left alone). False for an invalid index, and then
    // the flag is not touched either.
    bool SetFilter(int index, bool on);

    // --- Live logging ---
    bool LiveRunning() const { return liveId_ != kNoRecord; }
    // Index of the live record, or -1.
    int LiveIndex() const { return IndexOf(liveId_); }
    // Inserts the new live record at the front and makes it the live one; `saved` is cleared.
    void StartLive(Storage record);
    // The live record stays in the sequence as an ordinary record.
    void EndLive() { liveId_ = kNoRecord; }
    // One raw meter sample into the live record; false (nothing written anywhere) when live
    // logging is not running. Clears `saved`.
    bool AppendLiveSample(int flowRaw, int pressureRaw);

    // --- Workspace file and `saved` ---
    const wxString& Path() const { return path_; }
    void SetPath(const wxString& path) { path_ = path; }
    bool Saved() const { return saved_; }
    void SetSaved(bool saved) { saved_ = saved; }
    // True when there are records that a replacement or closing would lose without a save.
    bool WouldLoseUnsaved() const { return !saved_ && !records_.empty(); }

    // Writes every record to `path` (each with its own flow unit); on success the
    // workspace file becomes `path` and `saved` is set. On failure nothing changes and `error`
    // says why.
    bool Save(const wxString& path, wxString* error = nullptr);
    // Reads a workspace file. On success the records become the file's, the workspace file becomes
    // `path`, `saved` is set, the filter flag is cleared, live logging ends and `prefs` receives
    // the file's units. On failure nothing changes (records, path, saved, prefs) and `error` says
    // why. A file damaged after whole records opens those, leaves the workspace file empty and
    // `saved` cleared (a save asks for a name instead of overwriting the damaged file) and
    // `warning` tells the user what was left out; it is emptied otherwise.
    bool Open(const wxString& path, Preferences& prefs, wxString* error = nullptr,
              wxString* warning = nullptr);

    // --- Change notification ---
    using Listener = std::function<void()>;
    // Called after every structural change; returns a token for Unsubscribe.
    int Subscribe(Listener listener);
    void Unsubscribe(int token);

private:
    Storage* Edit(int index);
    void ReplaceRecords(std::vector<Storage> records);
    RecordId NextId() { return ++lastId_; }
    void Notify();

    std::vector<Storage> records_;
    std::vector<RecordId> ids_;  // parallel to records_
    RecordId lastId_ = kNoRecord;
    RecordId liveId_ = kNoRecord;
    wxString path_;
    bool saved_ = false;
    bool filterOn_ = false;
    int filterWidth_ = 2;
    std::map<int, Listener> listeners_;
    int nextToken_ = 0;
};
