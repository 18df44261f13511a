#include "headlessviewer.h"

#include "scriptloader.h"
#include "stringtable.h"

#include <cstdio>
#include <cstdlib>

void RecordedBattleList::DeleteRow(int row)
{
    rows.erase(rows.begin() + row);
    // As in a list view, the selection goes with its row and moves up with
    // the rows below the deleted one.
    if (selected == row)
        selected = -1;
    else if (selected > row)
        --selected;
}

void RecordedBattleList::SetTurnsAndResult(int row, const std::string &turns, const std::string &result)
{
    rows[std::size_t(row)][TurnsColumn] = turns;
    rows[std::size_t(row)][ResultColumn] = result;
}

HeadlessViewer::HeadlessViewer() : engine_(model_, grid_, *this) {}

bool HeadlessViewer::Open(const QString &path)
{
    playing_ = false;
    return Loaded(ScriptLoader(model_, *this).LoadScript(path));
}

bool HeadlessViewer::Open(std::FILE *file)
{
    playing_ = false;
    return Loaded(ScriptLoader(model_, *this).Load(file));
}

// After a load: rebuild the map and enable the controls, as the window does.
bool HeadlessViewer::Loaded(bool success)
{
    if (!success)
        return false;
    grid_.Build(model_.Header, model_.Entrants);
    grid_.DrawAll();
    sliderEnabled_ = true;
    sliderMax_ = int(model_.Steps.size()) + 1;
    if (sliderPosition_ > sliderMax_)
        SetSliderPosition(sliderMax_);
    return true;
}

bool HeadlessViewer::MoveSlider(int position)
{
    if (!sliderEnabled_)
        return false;
    lastSeekRan_ = false;
    SetSliderPosition(std::clamp(position, 0, sliderMax_));
    return lastSeekRan_;
}

void HeadlessViewer::SetSliderPosition(int position)
{
    if (position == sliderPosition_)
        return;
    sliderPosition_ = position;
    SliderChanged();
}

// The slider's change handler, guarded against re-entry.
void HeadlessViewer::SliderChanged()
{
    if (seekBusy_)
        return;
    seekBusy_ = true;
    lastSeekRan_ = engine_.SeekTo(sliderPosition_);
    seekBusy_ = false;
}

void HeadlessViewer::ReleaseModelReferences()
{
    engine_.ReleaseHighlight();
    grid_.ReleaseEntrants();
}

void HeadlessViewer::MemoryFailure()
{
    std::fprintf(stderr, "%s: %s\n", StringTableText(IdsLoaderCaption), StringTableText(IdsMemoryFailure));
    std::exit(1);
}

void HeadlessViewer::RefreshBattleList(int position, const ReplayStep *reference)
{
    ::RefreshBattleList(model_, position, sliderMax_, reference, battleList_, battleListMemo_);
}
