#include "gotodialog.h"

#include "replaysession.h"
#include "uitext.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <limits>

namespace ostrel {

std::optional<GoToRequest> ParseGoTo(const QString &text, bool turnChosen)
{
    QString typed = text.normalized(QString::NormalizationForm_KC).trimmed();
    bool turn = turnChosen;
    if (typed.startsWith(QLatin1Char('t'), Qt::CaseInsensitive)) {
        turn = true;
        typed = typed.mid(1).trimmed();
    }
    bool number = false;
    const long long value = typed.toLongLong(&number);
    if (!number)
        return std::nullopt;
    return GoToRequest{value, turn};
}

int GoToPosition(const ReplaySession &session, const GoToRequest &request)
{
    const int end = session.SliderMax();
    if (!request.IsTurn)
        return int(std::clamp<long long>(request.Value, 0, end));
    // Turns only grow along the steps, but a file may say otherwise: the
    // first position that reaches the turn is the answer either way.
    for (int p = 0; p <= end; ++p) {
        const ReplayStep *step = session.Engine().ShownStep(p);
        if (step && step->Turn >= request.Value)
            return p;
    }
    return end;
}

GoToDialog::GoToDialog(int endPosition, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(UiText(IdsGoTo));
    auto *prompt = new QLabel(UiText(IdsGoToPrompt).arg(endPosition));
    prompt->setWordWrap(true);
    Target = new QLineEdit;
    AsPosition = new QRadioButton(UiText(IdsGoToPosition));
    AsTurn = new QRadioButton(UiText(IdsGoToTurn));
    AsPosition->setChecked(true);
    problem_ = new QLabel;
    problem_->setStyleSheet(QStringLiteral("color: #c00000"));
    problem_->hide();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &GoToDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &GoToDialog::reject);

    auto *choice = new QHBoxLayout;
    choice->addWidget(AsPosition);
    choice->addWidget(AsTurn);
    choice->addStretch(1);
    auto *column = new QVBoxLayout(this);
    column->addWidget(prompt);
    column->addWidget(Target);
    column->addLayout(choice);
    column->addWidget(problem_);
    column->addWidget(buttons);
}

std::optional<GoToRequest> GoToDialog::Request() const
{
    return ParseGoTo(Target->text(), AsTurn->isChecked());
}

void GoToDialog::accept()
{
    if (Request()) {
        QDialog::accept();
        return;
    }
    problem_->setText(UiText(IdsGoToNotANumber));
    problem_->show();
    Target->setFocus();
    Target->selectAll();
}

} // namespace ostrel
