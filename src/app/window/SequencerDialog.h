#pragma once
// The Shoot menu's sequencer dialog: interval shooting (frames or
// unlimited, interval, start delay or start time, optional stop time), what
// each shot is (single, bracket with frames and EV step, bulb with its
// length), the file time-out, Start, Stop and a status line. Non-modal, so
// the window stays in use while a sequence runs; the inputs are locked
// meanwhile, as the running sequence keeps the values it started with.
#include "app/AppSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTimeEdit;
class Sequencer;

class SequencerDialog : public QDialog {
    Q_OBJECT
public:
    // All owned by the dialog.
    struct Fields {
        QSpinBox* sbFrames = nullptr;
        QCheckBox* chUnlimited = nullptr;
        QDoubleSpinBox* sbInterval = nullptr; // seconds
        QRadioButton* rbDelay = nullptr;
        QDoubleSpinBox* sbDelay = nullptr; // seconds
        QRadioButton* rbAtTime = nullptr;
        QTimeEdit* teStart = nullptr;
        QCheckBox* chStop = nullptr;
        QTimeEdit* teStop = nullptr;
        QComboBox* cbKind = nullptr; // single, bracket, bulb
        QSpinBox* sbBracketFrames = nullptr;
        QComboBox* cbBracketStep = nullptr;
        QDoubleSpinBox* sbBulbLength = nullptr; // seconds
        QSpinBox* sbFileTimeout = nullptr;      // seconds
        QPushButton* bStart = nullptr;
        QPushButton* bStop = nullptr;
        QLabel* lStatus = nullptr;
    };

    SequencerDialog(Sequencer& sequencer, QWidget* parent);

    const Fields& fields() const { return m_f; }
    SavedSequence values() const;
    void setValues(const SavedSequence& values);

    void bStartClick();
    void bStopClick();

private:
    QWidget* buildInterval();
    QWidget* buildShot();
    void follow();
    void showProgress(int shot, int total, qint64 msToNext);
    void ended();

    Sequencer& m_sequencer;
    Fields m_f;
};
