// The record sequence without a display: ids that follow records, the saved flag, the edits, the
// filter, the live record and the workspace file.
#include <gtest/gtest.h>

#include <functional>

#include "data/RecordSequence.h"
#include "tests/unit/data/TempDir.h"

namespace {

Storage Record(const wxString& title, int samples = 3) {
    Storage r("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    r.title = title;
    for (int i = 1; i <= samples; ++i) r.AddRawSample(60 * i, 0);
    return r;
}

std::vector<wxString> Titles(const RecordSequence& s) {
    std::vector<wxString> out;
    for (const Storage& r : s.Records()) out.push_back(r.title);
    return out;
}

RecordSequence& Filled(RecordSequence& s, std::initializer_list<const char*> titles) {
    std::vector<Storage> records;
    for (const char* t : titles) records.push_back(Record(t));
    s.ReplaceAll(std::move(records));
    s.SetSaved(true);
    return s;
}

TEST(RecordSequence, IdsFollowTheirRecordsThroughInsertsAndRemovals) {
    RecordSequence s;
    Filled(s, {"A", "B", "C"});
    const auto b = s.IdAt(1);
    const auto c = s.IdAt(2);
    s.InsertFront(Record("N"));
    EXPECT_EQ(s.IndexOf(b), 2);
    EXPECT_TRUE(s.Remove(2));
    EXPECT_EQ(s.IndexOf(b), -1);
    EXPECT_EQ(s.IndexOf(c), 2);
    EXPECT_EQ(Titles(s), (std::vector<wxString>{"N", "A", "C"}));

    // A replacement gives new ids: a view must not take a downloaded record for the old one.
    const auto a = s.IdAt(1);
    Filled(s, {"A", "B"});
    EXPECT_EQ(s.IndexOf(a), -1);
    EXPECT_NE(s.IdAt(0), s.IdAt(1));
    EXPECT_EQ(s.IdAt(5), RecordSequence::kNoRecord);
    EXPECT_EQ(s.IndexOf(RecordSequence::kNoRecord), -1);
}

TEST(RecordSequence, EveryChangeClearsSavedAndAnInvalidIndexChangesNothing) {
    struct Case {
        const char* name;
        std::function<bool(RecordSequence&, int)> run;
    };
    const Case cases[] = {
        {"Remove", [](RecordSequence& s, int i) { return s.Remove(i); }},
        {"Rename", [](RecordSequence& s, int i) { return s.Rename(i, "X"); }},
        {"SetInfo", [](RecordSequence& s, int i) { return s.SetInfo(i, "X"); }},
        {"SetBoxText", [](RecordSequence& s, int i) { return s.SetBoxText(i, "X"); }},
        {"SetBoxPosition", [](RecordSequence& s, int i) { return s.SetBoxPosition(i, 7, 8); }},
        {"SetTargetFlow", [](RecordSequence& s, int i) { return s.SetTargetFlow(i, "12.5"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordSequence s;
        Filled(s, {"A", "B"});
        EXPECT_FALSE(c.run(s, 2));
        EXPECT_FALSE(c.run(s, -1));
        EXPECT_TRUE(s.Saved());
        EXPECT_EQ(Titles(s), (std::vector<wxString>{"A", "B"}));
        EXPECT_TRUE(c.run(s, 1));
        EXPECT_FALSE(s.Saved());
        EXPECT_TRUE(s.WouldLoseUnsaved());
    }
    RecordSequence s;
    Filled(s, {"A"});
    s.InsertFront(Record("F"));
    EXPECT_FALSE(s.Saved());
    s.SetSaved(true);
    s.Append(Record("E"));
    EXPECT_FALSE(s.Saved());
    s.SetSaved(true);
    s.ReplaceAll({Record("D")});
    EXPECT_FALSE(s.Saved());
}

TEST(RecordSequence, EditsStoreWhatTheCommandsPromise) {
    RecordSequence s;
    Filled(s, {"A", "B"});
    s.Rename(1, "");
    EXPECT_EQ(s.At(1).title, "-");
    s.SetInfo(1, "");
    EXPECT_EQ(s.At(1).info, "");
    s.SetBoxText(1, "uno\ndue");
    EXPECT_EQ(s.At(1).boxText, "uno\ndue");
    EXPECT_EQ(s.At(0).title, "A");

    // The measuring readings are not in the file: they leave `saved` alone.
    s.SetSaved(true);
    EXPECT_TRUE(s.SetFlowReading(0, "152"));
    EXPECT_TRUE(s.SetPressureReading(0, "3.46"));
    EXPECT_EQ(s.At(0).flowReading, "152");
    EXPECT_EQ(s.At(0).pressureReading, "3.46");
    EXPECT_TRUE(s.Saved());
    // A box reported where it already is changes nothing.
    EXPECT_TRUE(s.SetBoxPosition(0, 0, 0));
    EXPECT_TRUE(s.Saved());
}

TEST(RecordSequence, TargetFlowTakesOnlyFiniteNumbers) {
    struct Case {
        const char* text;
        bool taken;
        float value;
    };
    const Case cases[] = {{"450.5", true, 450.5f}, {" 30 ", true, 30.0f}, {"0", true, 0.0f},
                          {"abc", false, 7.0f},    {"", false, 7.0f},     {"inf", false, 7.0f},
                          {"-inf", false, 7.0f},   {"nan", false, 7.0f},  {"1e999", false, 7.0f},
                          {"1e39", false, 7.0f},   {"12x", false, 7.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RecordSequence s;
        Filled(s, {"A"});
        s.SetTargetFlow(0, "7");
        s.SetSaved(true);
        EXPECT_EQ(s.SetTargetFlow(0, c.text), c.taken);
        EXPECT_FLOAT_EQ(s.At(0).GetTargetFlow(), c.value);
        EXPECT_EQ(s.Saved(), !c.taken);
    }
}

TEST(RecordSequence, FilterSmoothsAndRestoresOneRecordWithTheWidth) {
    RecordSequence s;
    Storage spiky("7/03/2011 9:05:30", 1000, 1, 0, 0, 1);
    for (int i = 0; i < 9; ++i) spiky.AddSample(float(i), i % 2 ? 90.0f : 0.0f, 1.0f, float(i));
    s.ReplaceAll({spiky, spiky});
    const std::vector<float> raw = s.At(0).flow;
    EXPECT_FALSE(s.FilterOn());
    EXPECT_FALSE(s.SetFilter(2, true));
    EXPECT_FALSE(s.FilterOn());

    s.SetFilterWidth(1);
    EXPECT_TRUE(s.SetFilter(0, true));
    EXPECT_TRUE(s.FilterOn());
    EXPECT_TRUE(s.At(0).filtered);
    EXPECT_FLOAT_EQ(s.At(0).flow[1], 30.0f);  // (0 + 90 + 0) / 3
    EXPECT_EQ(s.At(1).flow, raw);
    EXPECT_TRUE(s.SetFilter(0, false));
    EXPECT_EQ(s.At(0).flow, raw);
    EXPECT_FALSE(s.FilterOn());

    s.SetFilterWidth(-3);
    EXPECT_EQ(s.FilterWidth(), 0);
}

TEST(RecordSequence, LiveSamplesGoToTheLiveRecordOnly) {
    RecordSequence s;
    EXPECT_FALSE(s.AppendLiveSample(60, 0));  // no live record, empty list: refused, no crash
    Filled(s, {"A", "B"});
    EXPECT_FALSE(s.AppendLiveSample(60, 0));
    EXPECT_EQ(s.At(0).GetLength(), 3);
    EXPECT_TRUE(s.Saved());

    s.StartLive(Record("Dal vivo 3", 0));
    EXPECT_TRUE(s.LiveRunning());
    EXPECT_EQ(s.LiveIndex(), 0);
    EXPECT_TRUE(s.AppendLiveSample(120, 0));
    EXPECT_TRUE(s.AppendLiveSample(120, 0));
    EXPECT_EQ(s.At(0).GetLength(), 2);
    EXPECT_FLOAT_EQ(s.At(0).time.back(), 2.0f);
    EXPECT_EQ(s.At(1).GetLength(), 3);

    // Removing another record leaves the live one live.
    s.Remove(2);
    EXPECT_EQ(s.LiveIndex(), 0);
    // Removing the live record ends live logging: later samples go nowhere.
    s.Remove(0);
    EXPECT_FALSE(s.LiveRunning());
    EXPECT_FALSE(s.AppendLiveSample(120, 0));
    EXPECT_EQ(Titles(s), (std::vector<wxString>{"A"}));
    EXPECT_EQ(s.At(0).GetLength(), 3);

    // A replacement (download, open) ends it too.
    s.StartLive(Record("Dal vivo 2", 0));
    s.ReplaceAll({Record("Memoria 1")});
    EXPECT_FALSE(s.LiveRunning());
    EXPECT_FALSE(s.AppendLiveSample(120, 0));
    EXPECT_EQ(s.At(0).GetLength(), 3);

    // After EndLive the record stays and takes no more samples.
    s.StartLive(Record("Dal vivo 2", 0));
    s.AppendLiveSample(60, 0);
    s.EndLive();
    EXPECT_FALSE(s.AppendLiveSample(60, 0));
    EXPECT_EQ(s.At(0).GetLength(), 1);
    EXPECT_EQ(s.LiveIndex(), -1);
}

TEST(RecordSequence, SaveAndOpenKeepThePathAndTheSavedFlag) {
    TempDir dir;
    RecordSequence s;
    Filled(s, {"Uno", "Due"});
    s.SetSaved(false);
    Preferences prefs;
    prefs.flowUnit = 0;
    const wxString path = dir.File("lavoro.orv");
    wxString error;
    ASSERT_TRUE(s.Save(path, &error)) << error;
    EXPECT_TRUE(s.Saved());
    EXPECT_EQ(s.Path(), path);

    // A failed save changes nothing.
    s.Rename(0, "Cambiato");
    EXPECT_FALSE(s.Save(dir.File("no/such/folder/x.orv"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(s.Path(), path);
    EXPECT_FALSE(s.Saved());

    RecordSequence t;
    int notified = 0;
    t.Subscribe([&] { ++notified; });
    t.StartLive(Record("Dal vivo 1", 0));
    notified = 0;
    Preferences read;
    read.flowUnit = 3;
    ASSERT_TRUE(t.Open(path, read, &error)) << error;
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(Titles(t), (std::vector<wxString>{"Uno", "Due"}));
    EXPECT_TRUE(t.Saved());
    EXPECT_FALSE(t.LiveRunning());
    EXPECT_EQ(t.Path(), path);
    EXPECT_EQ(read.flowUnit, 0);

    // A file that cannot be read leaves records, path, saved and preferences alone.
    t.Rename(1, "Mio");
    read.flowUnit = 3;
    error.clear();
    EXPECT_FALSE(t.Open(dir.File("missing.orv"), read, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Titles(t), (std::vector<wxString>{"Uno", "Mio"}));
    EXPECT_EQ(t.Path(), path);
    EXPECT_FALSE(t.Saved());
    EXPECT_EQ(read.flowUnit, 3);
    EXPECT_EQ(notified, 1);
}

TEST(RecordSequence, SubscribersHearOfStructuralChangesOnly) {
    RecordSequence s;
    int a = 0, b = 0;
    const int tokenA = s.Subscribe([&] { ++a; });
    s.Subscribe([&] { ++b; });
    s.Append(Record("A"));
    s.InsertFront(Record("B"));
    s.Rename(0, "C");
    s.SetTargetFlow(0, "3");
    s.SetFilter(0, true);
    EXPECT_EQ(a, 2);
    s.Unsubscribe(tokenA);
    s.Remove(0);
    s.ReplaceAll({});
    EXPECT_EQ(a, 2);
    EXPECT_EQ(b, 4);
    EXPECT_FALSE(s.WouldLoseUnsaved());  // nothing left to lose
}

}  // namespace
