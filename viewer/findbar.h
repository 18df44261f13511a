#pragma once

#include <QFrame>

class QLabel;
class QLineEdit;
class QToolButton;
class QTreeView;

namespace ostrel {

class EntrantFindModel;
class ReplaySession;

// The find bar over the top of the map pane: a text field, the number of
// matches and, below them, the matching entrants. It finds as the user
// types; Enter, or a double click on a row, asks to follow the entrant of
// the current row (the first when none is current); Esc closes the bar.
// Closed it is hidden and takes no room, so the panes never move; open it
// covers the top of its parent and follows its size.
class FindBar : public QFrame {
    Q_OBJECT

public:
    FindBar(const ReplaySession &session, QWidget *parent);

    // Shows the bar with its text selected, ready for typing.
    void Open();
    void Close();
    // Finds the text again (another tournament was loaded).
    void FindAgain();
    // The position shown has changed.
    void RefreshInPlay();

    QLineEdit *Query;
    QLabel *Count;
    QToolButton *CloseButton;
    QTreeView *Results;
    EntrantFindModel *Found;

    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void FollowRequested(int entrant);

private:
    void OnTextEdited(const QString &text);
    void FollowRow(int row);
    void FollowCurrent();
    // Keeps the bar over the top of its parent, as tall as its rows need.
    void Place();

    const ReplaySession &session_;
};

} // namespace ostrel
