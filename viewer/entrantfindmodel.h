#pragma once

#include <QAbstractTableModel>
#include <QString>

#include <vector>

namespace ostrel {

class ReplaySession;

// The entrants a find text matches, a row each: its index, emblem, name,
// owner and whether it is in play at the position shown. Only indices are
// kept; a row's texts are decoded when a view asks for them, so a view over
// 32,000 results costs what it shows.
class EntrantFindModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { IndexColumn, EmblemColumn, NameColumn, OwnerColumn, InPlayColumn, ColumnCount };

    explicit EntrantFindModel(const ReplaySession &session, QObject *parent = nullptr);

    // Finds text anew: "#N" names entrant N, listed first, then come the
    // entrants whose name, owner or emblem contains the text, ascending.
    void Find(const QString &text);
    const QString &Text() const { return text_; }
    const std::vector<int> &Entrants() const { return entrants_; }
    // The entrant of a row; -1 outside the rows.
    int EntrantOf(int row) const;
    // The position shown has changed: the in-play column is read again.
    void RefreshInPlay();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const ReplaySession &session_;
    QString text_;
    std::vector<int> entrants_;
};

// The entrant that text names as "#N", or -1 when it names none of the
// session's entrants.
int EntrantNumbered(const ReplaySession &session, const QString &text);

} // namespace ostrel
