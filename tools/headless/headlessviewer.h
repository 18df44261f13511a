#pragma once

#include "arenagrid.h"
#include "battlelist.h"
#include "loaderhost.h"
#include "replaymodel.h"
#include "replayview.h"
#include "stepengine.h"

#include <QString>

#include <cstdio>

#include <memory>
#include <string>
#include <vector>

// A battle list kept in memory: the rows and the selection as a list view
// would hold them after the same calls.
class RecordedBattleList : public BattleListControl {
public:
    int RowCount() const override { return int(rows.size()); }
    void AppendRow(const Row &cells) override { rows.push_back(cells); }
    void DeleteRow(int row) override;
    void SetTurnsAndResult(int row, const std::string &turns, const std::string &result) override;
    void SelectRow(int row) override { selected = row; }
    void ShowSelectionAlways(bool) override {}
    void BeginUpdate() override {}
    void EndUpdate() override {}
    void Clear() { rows.clear(); selected = -1; }

    std::vector<Row> rows;
    int selected = -1;
};

// The viewer without a window: the same loader, engine, map and battle list,
// with the window's slider, digest and playback flag kept as plain state, and
// the loader's messages collected instead of shown. Command-line tools drive
// it through the actions a user takes in the window.
class HeadlessViewer : public LoaderHost, public ReplayView {
public:
    HeadlessViewer();

    // What a successful Open does (load, rebuild the map, enable the
    // controls); on failure nothing more. Returns the loader's result.
    bool Open(const QString &path);
    // The same for a file that is already open (fuzzers read from memory).
    bool Open(std::FILE *file);
    // Moves the slider to position, clamped into its range, as a user would;
    // a disabled slider does not move. True when a seek ran.
    bool MoveSlider(int position);
    // The Quit button's reset to the start.
    void Reset() { engine_.ResetToStart(); }

    const ReplayModel &Model() const { return model_; }
    const StepEngine &Engine() const { return engine_; }
    const ArenaGrid &Grid() const { return grid_; }
    const RecordedBattleList &BattleList() const { return battleList_; }
    const std::vector<std::string> &Digest() const { return digest_; }
    const std::vector<int> &Messages() const { return messages_; }
    int SliderPosition() const { return sliderPosition_; }
    int SliderMaxValue() const { return sliderMax_; }

    // LoaderHost
    void ResetToStart() override { engine_.ResetToStart(); }
    void ReleaseModelReferences() override;
    void ShowLoaderMessage(int id) override { messages_.push_back(id); }
    [[noreturn]] void MemoryFailure() override;

    // ReplayView
    void ClearDigest() override { digest_.clear(); }
    void AppendDigestLine(std::string_view line) override { digest_.emplace_back(line); }
    void PresentMap() override {}
    void RepaintMapNow() override {}
    void RefreshBattleList(int position, const ReplayStep *reference) override;
    void ClearBattleList() override { battleList_.Clear(); }
    void StopPlaying() override { playing_ = false; }
    void SetSliderPosition(int position) override;
    int SliderMax() const override { return sliderMax_; }

private:
    bool Loaded(bool success);
    void SliderChanged();

    ReplayModel model_;
    ArenaGrid grid_;
    StepEngine engine_;
    RecordedBattleList battleList_;
    BattleListMemo battleListMemo_;
    std::vector<std::string> digest_;
    std::vector<int> messages_;
    int sliderPosition_ = 0;
    int sliderMax_ = 30;
    bool sliderEnabled_ = false;
    bool playing_ = false;
    bool seekBusy_ = false;
    bool lastSeekRan_ = false;
};
