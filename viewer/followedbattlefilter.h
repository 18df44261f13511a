#pragma once

#include <QSortFilterProxyModel>

#include <vector>

namespace ostrel {

// The battle rows narrowed to one entrant's battles: a proxy that, while it
// filters, passes only the rows of the battles it was given and otherwise
// passes every row unchanged. Rows keep their order and their texts; battle
// b stays row b of the source, so callers translate between the rows a view
// shows and the battles they are.
class FollowedBattleFilter : public QSortFilterProxyModel {
    Q_OBJECT

public:
    explicit FollowedBattleFilter(QObject *parent);

    // Shows only these battles (indices into the battle table, ascending),
    // or every row again. True when the rows shown changed.
    bool ShowOnly(std::vector<int> battles);
    bool ShowAll();
    bool Filtering() const { return filtering_; }

    // The view row of battle (a source row); while filtering, -1 when the
    // battle is hidden or has no row yet. Without filtering both are the
    // identity, whatever the value.
    int ViewRow(int battle) const;
    // The battle a view row shows; while filtering, -1 for a row that does
    // not exist.
    int BattleAt(int viewRow) const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;

private:
    bool filtering_ = false;
    std::vector<int> battles_;
};

} // namespace ostrel
