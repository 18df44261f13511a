#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QRadioButton;

namespace ostrel {

class ReplaySession;

// Where Go to leads: a replay position, or a turn.
struct GoToRequest {
    long long Value = 0;
    bool IsTurn = false;
    bool operator==(const GoToRequest &) const = default;
};

// Reads what the user typed: a whole number, as a position, or as a turn
// when turnChosen or when it starts with "t" ("t123", "T 123"). Full-width
// digits and letters count as their ASCII forms. nullopt when no number is
// there.
std::optional<GoToRequest> ParseGoTo(const QString &text, bool turnChosen);

// The position a request leads to, within 0 to the end position: a position
// clamped into the range; for a turn, the first position whose step has
// that turn or, when no step has it, a later one (the end position past the
// last turn).
int GoToPosition(const ReplaySession &session, const GoToRequest &request);

// Asks for a position or a turn: a line to type in and the choice between
// the two. OK is refused, with a word in the dialog, while the line holds
// no number.
class GoToDialog : public QDialog {
    Q_OBJECT

public:
    GoToDialog(int endPosition, QWidget *parent = nullptr);

    // What was typed; nullopt while it is not a number.
    std::optional<GoToRequest> Request() const;

    QLineEdit *Target;
    QRadioButton *AsPosition;
    QRadioButton *AsTurn;

    void accept() override;

private:
    QLabel *problem_;
};

} // namespace ostrel
