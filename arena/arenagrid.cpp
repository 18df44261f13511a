#include "arenagrid.h"

#include <algorithm>

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
    for (CellLook &look : looks_) {
        look.Fill = MapBackgroundColor;
        look.Inks.clear();
    }
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

const ArenaGrid::CellLook *ArenaGrid::LookAt(int64_t column, int64_t row) const
{
    if (!built_ || column < -1 || row < -1 || column > columns_ || row > rows_)
        return nullptr;
    return &looks_[std::size_t(row + 1) * std::size_t(columns_ + 2) + std::size_t(column + 1)];
}

const Entrant *ArenaGrid::EntrantAt(int index) const
{
    return entrants_ && index >= 0 && index < entrantCount_ ? &(*entrants_)[std::size_t(index)] : nullptr;
}

// A fill covers the interior only: the labels drawn before it stay visible
// only where they cross the grid lines.
void ArenaGrid::Fill(int column, int row, QRgb colour)
{
    CellLook *look = LookAt(column, row);
    if (!look)
        return;
    look->Fill = colour;
    std::erase_if(look->Inks, [this](const Ink &ink) { return masks_[ink.Mask].Pieces[ink.Piece].Lines.empty(); });
    for (Ink &ink : look->Inks)
        ink.LinesOnly = true;
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
        CellLook *look = LookAt(int64_t(entrant.X) + pieces[p].Dc, int64_t(entrant.Y) + pieces[p].Dr);
        if (!look)
            continue;
        std::erase_if(look->Inks, [&](const Ink &ink) { return ink.Mask == mask && ink.Piece == p; });
        look->Inks.push_back({mask, uint16_t(p), false, colour});
    }
}
