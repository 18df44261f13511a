#include "entrantfindmodel.h"

#include "replaysession.h"
#include "sjisdecoder.h"
#include "stringtable.h"
#include "uitext.h"

#include <QRegularExpression>

#include <algorithm>

namespace ostrel {

int EntrantNumbered(const ReplaySession &session, const QString &text)
{
    static const QRegularExpression numbered(QStringLiteral("^\\s*#(\\d{1,9})\\s*$"));
    const QRegularExpressionMatch match = numbered.match(text);
    if (!match.hasMatch())
        return -1;
    const int entrant = match.captured(1).toInt();
    return session.Model().EntrantAt(entrant) ? entrant : -1;
}

EntrantFindModel::EntrantFindModel(const ReplaySession &session, QObject *parent)
    : QAbstractTableModel(parent), session_(session)
{
}

void EntrantFindModel::Find(const QString &text)
{
    beginResetModel();
    text_ = text;
    // No text finds nothing, without building the search.
    entrants_ = text.isEmpty() ? std::vector<int>() : session_.Search().Find(text);
    const int numbered = EntrantNumbered(session_, text);
    if (numbered >= 0) {
        std::erase(entrants_, numbered);
        entrants_.insert(entrants_.begin(), numbered);
    }
    endResetModel();
}

int EntrantFindModel::EntrantOf(int row) const
{
    return row >= 0 && std::size_t(row) < entrants_.size() ? entrants_[std::size_t(row)] : -1;
}

void EntrantFindModel::RefreshInPlay()
{
    if (!entrants_.empty())
        emit dataChanged(index(0, InPlayColumn), index(rowCount() - 1, InPlayColumn), {Qt::DisplayRole});
}

int EntrantFindModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(entrants_.size());
}

int EntrantFindModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant EntrantFindModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    // A load may have replaced the entrants since the text was found.
    const int entrant = EntrantOf(index.row());
    const Entrant *shown = session_.Model().EntrantAt(entrant);
    if (!shown)
        return {};
    switch (index.column()) {
    case IndexColumn:
        return QStringLiteral("#%1").arg(entrant);
    case EmblemColumn:
        return DecodeSjisForDisplay(shown->Emblem.View());
    case NameColumn:
        return DecodeSjisForDisplay(shown->Doller.View());
    case OwnerColumn:
        return DecodeSjisForDisplay(shown->Owner.View());
    case InPlayColumn:
        return UiText(shown->Status < 0 ? IdsFindInPlay : IdsFindOut);
    default:
        return {};
    }
}

QVariant EntrantFindModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case IndexColumn:
        return UiText(IdsFindIndexColumn);
    case EmblemColumn:
        return UiText(IdsSummaryEmblem);
    case NameColumn:
        return UiText(IdsSummaryName);
    case OwnerColumn:
        return UiText(IdsSummaryOwner);
    case InPlayColumn:
        return UiText(IdsFindInPlayColumn);
    default:
        return {};
    }
}

} // namespace ostrel
