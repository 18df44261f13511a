#include "arenagrid.h"

#include <algorithm>

namespace ostrel {

void ArenaGrid::Build(const ScriptHeader &header, const std::vector<Entrant> &entrants)
{
    entrantCount_ = std::max(0, std::min<int>(header.EntrantCount, int(entrants.size())));
    entrants_ = &entrants;
    columns_ = std::max(0, header.Xsize);
    rows_ = std::max(0, header.Ysize);
    cells_.assign(std::size_t(columns_) * std::size_t(rows_), 0);
    looks_ = std::vector<CellLook>(std::size_t(columns_ + 2) * std::size_t(rows_ + 2));
    entrantMasks_.assign(std::size_t(entrantCount_), UINT32_MAX);
    built_ = true;
    drawn_ = false;
    for (int i = 0; i < entrantCount_; ++i)
        SetCell(entrants[std::size_t(i)].X, entrants[std::size_t(i)].Y, i + 1);
}

void ArenaGrid::ReleaseEntrants()
{
    entrants_ = nullptr;
    entrantCount_ = 0;
    entrantMasks_.clear();
    drawn_ = false;
}

void ArenaGrid::DrawAll()
{
    if (!built_)
        return;
    drawn_ = true;
    std::fill(looks_.begin(), looks_.end(), CellLook());
    moreInks_.clear();
    for (int i = 0; i < entrantCount_; ++i)
        DrawLabel(i, InitialLabelColor);
}

void ArenaGrid::RedrawCell(int column, int row, int index)
{
    if (!drawn_)
        return;
    if (index == -1)
        Fill(column, row, MapBackgroundColor);
    else if (EntrantAt(index))
        DrawLabel(index, LabelColor(*EntrantAt(index)));
}

void ArenaGrid::HighlightCell(int column, int row, int index)
{
    if (!drawn_)
        return;
    Fill(column, row, HighlightColor);
    if (EntrantAt(index))
        DrawLabel(index, LabelColor(*EntrantAt(index)));
}

QRgb ArenaGrid::LabelColor(const Entrant &entrant)
{
    if (entrant.Status >= 0)
        return (entrant.Status & 0x18) != 0 ? 0xFFFF0000 : 0xFF0000FF;  // red : blue
    if (entrant.HitPointRate <= 50)
        return 0xFFFF00FF;  // fuchsia
    if (entrant.HitPointRate <= 70)
        return 0xFF00FF00;  // lime
    if (entrant.HitPointRate <= 85)
        return 0xFF00FFFF;  // aqua
    if (entrant.HitPointRate <= 95)
        return 0xFFFFFF00;  // yellow
    return 0xFFFFFFFF;      // white
}

int32_t ArenaGrid::CellAt(int column, int row) const
{
    return built_ && Inside(column, row) ? cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)] : 0;
}

void ArenaGrid::SetCell(int column, int row, int32_t occupant)
{
    if (built_ && Inside(column, row))
        cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)] = occupant;
}

void ArenaGrid::Prefetch(int column, int row) const
{
    if (!built_ || !Inside(column, row))
        return;
    __builtin_prefetch(&cells_[std::size_t(row) * std::size_t(columns_) + std::size_t(column)], 1);
    __builtin_prefetch(&looks_[IndexOf(column, row)], 1);
}

void ArenaGrid::TrackChanges(bool on)
{
    tracking_ = on;
    changed_.clear();
}

void ArenaGrid::NoteChange(std::size_t index)
{
    if (tracking_)
        changed_.push_back(index);
}

std::vector<QPoint> ArenaGrid::TakeChangedTiles()
{
    std::vector<QPoint> tiles;
    tiles.reserve(changed_.size());
    const std::size_t stride = std::size_t(columns_ + 2);
    for (std::size_t index : changed_)
        tiles.emplace_back(int(index % stride) - 1, int(index / stride) - 1);
    changed_.clear();
    return tiles;
}

std::size_t ArenaGrid::IndexOf(int64_t column, int64_t row) const
{
    if (!built_ || column < -1 || row < -1 || column > columns_ || row > rows_)
        return SIZE_MAX;
    return std::size_t(row + 1) * std::size_t(columns_ + 2) + std::size_t(column + 1);
}

const ArenaGrid::CellLook *ArenaGrid::LookAt(int64_t column, int64_t row) const
{
    const std::size_t index = IndexOf(column, row);
    return index == SIZE_MAX ? nullptr : &looks_[index];
}

std::vector<ArenaGrid::Ink> ArenaGrid::TakeInks(std::size_t index)
{
    std::vector<Ink> inks;
    const CellLook &look = looks_[index];
    if (look.InkCount > 0)
        inks.push_back(look.First);
    if (look.InkCount > 1) {
        const auto more = moreInks_.find(index);
        inks.insert(inks.end(), more->second.begin(), more->second.end());
        moreInks_.erase(more);
    }
    return inks;
}

void ArenaGrid::PutInks(std::size_t index, const std::vector<Ink> &inks)
{
    CellLook &look = looks_[index];
    look.InkCount = uint8_t(std::min<std::size_t>(inks.size(), 2));
    if (!inks.empty())
        look.First = inks.front();
    if (inks.size() > 1)
        moreInks_[index].assign(inks.begin() + 1, inks.end());
}

const Entrant *ArenaGrid::EntrantAt(int index) const
{
    return entrants_ && index >= 0 && index < entrantCount_ ? &(*entrants_)[std::size_t(index)] : nullptr;
}

// A fill covers the interior only: the labels drawn before it stay visible
// only where they cross the grid lines.
void ArenaGrid::Fill(int column, int row, QRgb colour)
{
    const std::size_t index = IndexOf(column, row);
    if (index == SIZE_MAX)
        return;
    NoteChange(index);
    CellLook &look = looks_[index];
    look.Fill = colour;
    if (look.InkCount == 1 && !look.First.HasLines) {
        look.InkCount = 0;
        return;
    }
    std::vector<Ink> inks = TakeInks(index);
    std::erase_if(inks, [](const Ink &ink) { return !ink.HasLines; });
    for (Ink &ink : inks)
        ink.LinesOnly = true;
    PutInks(index, inks);
}

// Labels are placed by the entrant's own cell, whatever cell the caller named.
void ArenaGrid::DrawLabel(int index, QRgb colour)
{
    const Entrant &entrant = (*entrants_)[std::size_t(index)];
    uint32_t &mask = entrantMasks_[std::size_t(index)];
    if (mask == UINT32_MAX)
        mask = masks_.IdOf(entrant.Emblem.View());
    const std::vector<LabelPiece> &pieces = masks_[mask].Pieces;
    for (std::size_t p = 0; p < pieces.size(); ++p) {
        const std::size_t slot = IndexOf(int64_t(entrant.X) + pieces[p].Dc, int64_t(entrant.Y) + pieces[p].Dr);
        if (slot == SIZE_MAX)
            continue;
        NoteChange(slot);
        const Ink ink{mask, colour, uint16_t(p), false, !pieces[p].Lines.empty()};
        CellLook &cell = looks_[slot];
        if (cell.InkCount == 0 || (cell.InkCount == 1 && cell.First.SamePixels(ink))) {
            cell.First = ink;
            cell.InkCount = 1;
            continue;
        }
        std::vector<Ink> inks = TakeInks(slot);
        std::erase_if(inks, [&](const Ink &old) { return old.SamePixels(ink); });
        inks.push_back(ink);
        PutInks(slot, inks);
    }
}

} // namespace ostrel
