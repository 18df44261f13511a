#include "clipdialog.h"

#include "replaysession.h"
#include "scaledmap.h"
#include "uitext.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace ostrel {

namespace {

constexpr qint64 LargeClipBytes = 20 * 1000 * 1000;
constexpr int DefaultMs = 100;

QWidget *Row(std::initializer_list<QWidget *> widgets)
{
    auto *row = new QWidget;
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return row;
}

} // namespace

ClipDialog::ClipDialog(const ReplayModel &model, QSize mapSize, const ClipDialogSetup &setup, QWidget *parent)
    : QDialog(parent), model_(model), mapSize_(mapSize), setup_(setup)
{
    setWindowTitle(UiText(IdsExportClip));
    First = new QSpinBox;
    Last = new QSpinBox;
    for (QSpinBox *box : {First, Last})
        box->setRange(0, setup.SliderMax);
    First->setValue(setup.First);
    Last->setValue(setup.Last);

    Time = new QComboBox;
    Time->addItem(UiText(IdsClipTimeMs).arg(DefaultMs), DefaultMs);
    Time->addItem(UiText(IdsClipTimeFast).arg(ReplaySession::FastPeriod), ReplaySession::FastPeriod);
    Time->addItem(UiText(IdsClipTimePlay).arg(ReplaySession::SlowPeriod), ReplaySession::SlowPeriod);

    WindowZoom = new QRadioButton(UiText(IdsClipWindowZoom).arg(std::lround(setup.WindowScale * 100)));
    TargetWidth = new QRadioButton(UiText(IdsClipWidth));
    WindowZoom->setChecked(true);
    // The two sit in different rows, so they are made one choice here.
    auto *scales = new QButtonGroup(this);
    scales->addButton(WindowZoom);
    scales->addButton(TargetWidth);
    Width = new QSpinBox;
    Width->setRange(16, 65535);
    Width->setValue(ScaledMapSize(mapSize, setup.WindowScale).width());
    Width->setMinimumWidth(Width->fontMetrics().horizontalAdvance(QStringLiteral("000000")) + 40);

    WholeArena = new QRadioButton(UiText(IdsClipWholeArena));
    InView = new QRadioButton(UiText(IdsClipInView));
    WholeArena->setChecked(true);
    InView->setEnabled(!setup.InView.isEmpty());

    Overlay = new QCheckBox(UiText(IdsClipOverlay));
    Overlay->setEnabled(setup.CanOverlay);
    Overlay->setChecked(setup.CanOverlay);

    Format = new QComboBox;
    Format->addItem(UiText(IdsClipWebP), int(ClipFormat::WebP));
    Format->addItem(UiText(IdsClipGif), int(ClipFormat::Gif));

    Estimate = new QLabel;
    Warning = new QLabel;
    Warning->setStyleSheet(QStringLiteral("color: #b00000"));
    Warning->setWordWrap(true);
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto *form = new QFormLayout;
    form->addRow(UiText(IdsClipPositions), Row({First, new QLabel(QStringLiteral("–")), Last}));
    form->addRow(UiText(IdsClipTime), Time);
    auto *scale = new QVBoxLayout;
    scale->addWidget(WindowZoom);
    scale->addWidget(Row({TargetWidth, Width}));
    form->addRow(UiText(IdsClipScale), scale);
    form->addRow(UiText(IdsClipArea), Row({WholeArena, InView}));
    form->addRow(QString(), Overlay);
    form->addRow(UiText(IdsClipFormat), Format);
    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(Estimate);
    column->addWidget(Warning);
    column->addWidget(Buttons);

    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QSpinBox *box : {First, Last, Width})
        connect(box, &QSpinBox::valueChanged, this, &ClipDialog::Update);
    for (QComboBox *box : {Time, Format})
        connect(box, &QComboBox::currentIndexChanged, this, &ClipDialog::Update);
    for (QRadioButton *button : {WindowZoom, TargetWidth, WholeArena, InView})
        connect(button, &QRadioButton::toggled, this, &ClipDialog::Update);
    connect(Width, &QSpinBox::valueChanged, this, [this] { TargetWidth->setChecked(true); });
    connect(Overlay, &QCheckBox::toggled, this, &ClipDialog::Update);
    Update();
}

ClipRequest ClipDialog::Request() const
{
    ClipRequest request;
    request.First = First->value();
    request.Last = Last->value();
    request.MsPerPosition = Time->currentData().toInt();
    request.Scale = WindowZoom->isChecked() ? setup_.WindowScale : double(Width->value()) / mapSize_.width();
    if (InView->isChecked()) {
        // The part in view, at the scale chosen.
        const double factor = request.Scale / setup_.WindowScale;
        const QRectF view(setup_.InView);
        request.Area = QRectF(view.topLeft() * factor, view.size() * factor).toAlignedRect();
    }
    request.Format = ClipFormat(Format->currentData().toInt());
    return request;
}

bool ClipDialog::IncludeOverlay() const
{
    return Overlay->isEnabled() && Overlay->isChecked();
}

void ClipDialog::Update()
{
    const ClipRequest request = Request();
    const QSize frame = ClipFrameSize(request, mapSize_);
    const qint64 bytes = EstimateClipBytes(model_, request, mapSize_);
    Estimate->setText(UiText(IdsClipEstimate)
                          .arg(std::max(0, request.Last - request.First + 1))
                          .arg(frame.width())
                          .arg(frame.height())
                          .arg(QLocale().formattedDataSize(bytes)));
    const ClipOutcome::Status status = CheckClip(request, mapSize_);
    QStringList warnings;
    if (status == ClipOutcome::TooLarge)
        warnings << UiText(IdsClipTooLarge).arg(LargestSide(request.Format));
    else if (status == ClipOutcome::NoRange)
        warnings << UiText(IdsClipNoRange);
    if (status == ClipOutcome::Written && bytes > LargeClipBytes)
        warnings << UiText(IdsClipLarge);
    // Only the map's own colours at 100 % are sure to fit a GIF's palette.
    if (status == ClipOutcome::Written && request.Format == ClipFormat::Gif
        && (request.Scale != 1.0 || IncludeOverlay()))
        warnings << UiText(IdsClipGifInexact);
    Warning->setText(warnings.join(QLatin1Char('\n')));
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(status == ClipOutcome::Written);
}

} // namespace ostrel
