#pragma once

#include "clipexport.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QRadioButton;
class QSpinBox;

namespace ostrel {

struct ReplayModel;

// What the window offers the Export clip dialog.
struct ClipDialogSetup {
    int SliderMax = 0;
    int First = 0;            // the range proposed
    int Last = 0;
    double WindowScale = 1.0; // the map's zoom in the window
    QRect InView;             // the part of the map in view, at WindowScale
    bool CanOverlay = false;  // an entrant is followed
};

// The choices of a clip: the range, each position's time, the scale (the
// window's zoom or a width), the area (the whole arena or the part in view),
// the follow overlay and the format, with a live estimate of the frames and
// the size. A clip the format cannot hold cannot be accepted.
class ClipDialog : public QDialog {
    Q_OBJECT

public:
    ClipDialog(const ReplayModel &model, QSize mapSize, const ClipDialogSetup &setup, QWidget *parent = nullptr);

    // The clip chosen, without its overlay.
    ClipRequest Request() const;
    bool IncludeOverlay() const;

    QSpinBox *First;
    QSpinBox *Last;
    QComboBox *Time;
    QRadioButton *WindowZoom;
    QRadioButton *TargetWidth;
    QSpinBox *Width;
    QRadioButton *WholeArena;
    QRadioButton *InView;
    QCheckBox *Overlay;
    QComboBox *Format;
    QLabel *Estimate;
    QLabel *Warning;
    QDialogButtonBox *Buttons;

private:
    void Update();

    const ReplayModel &model_;
    QSize mapSize_;
    ClipDialogSetup setup_;
};

} // namespace ostrel
