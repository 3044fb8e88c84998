#include "app/window/SequencerDialog.h"

#include "app/window/SequenceSettingsMapping.h"
#include "sequencer/Bracketing.h"
#include "sequencer/Sequencer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <cmath>

namespace {

constexpr double kMaxSeconds = SavedSequence::kMaxTime_ms / 1000.0;

// Owned by `parent`, as every control of the dialog.
QDoubleSpinBox* secondsBox(QWidget* parent, double lowest) {
    auto* box = new QDoubleSpinBox(parent);
    box->setRange(lowest, kMaxSeconds);
    box->setDecimals(1);
    box->setSuffix(QStringLiteral(" s"));
    return box;
}

QTimeEdit* timeBox(QWidget* parent) {
    auto* edit = new QTimeEdit(parent);
    edit->setDisplayFormat(QStringLiteral("HH:mm:ss"));
    return edit;
}

int milliseconds(const QDoubleSpinBox* box) {
    return static_cast<int>(std::lround(box->value() * 1000));
}

} // namespace

SequencerDialog::SequencerDialog(Sequencer& sequencer, QWidget* parent)
    : QDialog(parent), m_sequencer(sequencer) {
    setObjectName(QStringLiteral("fSequencer"));
    setWindowTitle(QStringLiteral("Sequencer"));
    setModal(false);
    auto* layout = new QVBoxLayout(this); // owned by the dialog
    layout->addWidget(buildInterval());
    layout->addWidget(buildShot());
    auto* timeoutRow = new QFormLayout(); // owned by the dialog's layout
    m_f.sbFileTimeout = new QSpinBox(this);
    m_f.sbFileTimeout->setRange(1, SavedSequence::kMaxTimeout_s);
    m_f.sbFileTimeout->setSuffix(QStringLiteral(" s"));
    m_f.sbFileTimeout->setToolTip(QStringLiteral("Longest wait for a shot's files"));
    timeoutRow->addRow(QStringLiteral("File ti&me-out:"), m_f.sbFileTimeout);
    layout->addLayout(timeoutRow);
    auto* buttons = new QHBoxLayout(); // owned by the dialog's layout
    m_f.bStart = new QPushButton(QStringLiteral("&Start"), this);
    m_f.bStop = new QPushButton(QStringLiteral("St&op"), this);
    buttons->addWidget(m_f.bStart);
    buttons->addWidget(m_f.bStop);
    buttons->addStretch();
    layout->addLayout(buttons);
    m_f.lStatus = new QLabel(QStringLiteral("Not running"), this);
    layout->addWidget(m_f.lStatus);

    connect(m_f.bStart, &QPushButton::clicked, this, &SequencerDialog::bStartClick);
    connect(m_f.bStop, &QPushButton::clicked, this, &SequencerDialog::bStopClick);
    connect(&m_sequencer, &Sequencer::progress, this, &SequencerDialog::showProgress);
    connect(&m_sequencer, &Sequencer::finished, this, &SequencerDialog::ended);
    for (QAbstractButton* b :
         {static_cast<QAbstractButton*>(m_f.chUnlimited),
          static_cast<QAbstractButton*>(m_f.rbDelay), static_cast<QAbstractButton*>(m_f.chStop)}) {
        connect(b, &QAbstractButton::toggled, this, &SequencerDialog::follow);
    }
    connect(m_f.cbKind, &QComboBox::currentIndexChanged, this, &SequencerDialog::follow);
    setValues(SavedSequence());
}

QWidget* SequencerDialog::buildInterval() {
    auto* group = new QGroupBox(QStringLiteral("Interval shooting"), this);
    auto* form = new QFormLayout(group); // owned by the group
    m_f.sbFrames = new QSpinBox(group);
    m_f.sbFrames->setRange(1, SavedSequence::kMaxFrames);
    m_f.chUnlimited = new QCheckBox(QStringLiteral("&Unlimited"), group);
    auto* frames = new QHBoxLayout(); // owned by the form
    frames->addWidget(m_f.sbFrames);
    frames->addWidget(m_f.chUnlimited);
    // A layout cannot be a label's buddy: Alt+F goes to the spin box.
    auto* framesLabel = new QLabel(QStringLiteral("&Frames:"), group);
    framesLabel->setBuddy(m_f.sbFrames);
    form->addRow(framesLabel, frames);
    m_f.sbInterval = secondsBox(group, 0);
    m_f.sbInterval->setToolTip(QStringLiteral("From one shot's start to the next one's"));
    form->addRow(QStringLiteral("&Interval:"), m_f.sbInterval);
    m_f.rbDelay = new QRadioButton(QStringLiteral("Start &after:"), group);
    m_f.sbDelay = secondsBox(group, 0);
    form->addRow(m_f.rbDelay, m_f.sbDelay);
    m_f.rbAtTime = new QRadioButton(QStringLiteral("Start a&t:"), group);
    m_f.teStart = timeBox(group);
    form->addRow(m_f.rbAtTime, m_f.teStart);
    m_f.chStop = new QCheckBox(QStringLiteral("Sto&p at:"), group);
    m_f.teStop = timeBox(group);
    m_f.teStop->setToolTip(
        QStringLiteral("No shot after this time (before the start: the next day)"));
    form->addRow(m_f.chStop, m_f.teStop);
    return group;
}

QWidget* SequencerDialog::buildShot() {
    auto* group = new QGroupBox(QStringLiteral("Each shot"), this);
    auto* form = new QFormLayout(group); // owned by the group
    m_f.cbKind = new QComboBox(group);
    m_f.cbKind->addItems({QStringLiteral("Single picture"), QStringLiteral("Exposure bracket"),
                          QStringLiteral("Bulb exposure")});
    form->addRow(QStringLiteral("&Each shot:"), m_f.cbKind);
    m_f.sbBracketFrames = new QSpinBox(group);
    m_f.sbBracketFrames->setRange(2, SavedSequence::kMaxBracketFrames);
    m_f.sbBracketFrames->setToolTip(
        QStringLiteral("The base exposure first, then darker and brighter in turn"));
    form->addRow(QStringLiteral("B&racket frames:"), m_f.sbBracketFrames);
    m_f.cbBracketStep = new QComboBox(group);
    for (double step : bracketing::stepChoices()) {
        m_f.cbBracketStep->addItem(QString::fromStdString(bracketing::stepText(step)) +
                                   QStringLiteral(" EV"));
    }
    m_f.cbBracketStep->setToolTip(
        QStringLiteral("In M the shutter speed moves, otherwise the exposure compensation"));
    form->addRow(QStringLiteral("E&V step:"), m_f.cbBracketStep);
    m_f.sbBulbLength = secondsBox(group, SavedSequence::kMinBulb_ms / 1000.0);
    m_f.sbBulbLength->setToolTip(QStringLiteral("Needs the shutter speed Bulb"));
    form->addRow(QStringLiteral("&Bulb length:"), m_f.sbBulbLength);
    return group;
}

SavedSequence SequencerDialog::values() const {
    SavedSequence v;
    v.frames = m_f.sbFrames->value();
    v.unlimited = m_f.chUnlimited->isChecked();
    v.interval_ms = milliseconds(m_f.sbInterval);
    v.startAtTime = m_f.rbAtTime->isChecked();
    v.startDelay_ms = milliseconds(m_f.sbDelay);
    v.startTime = m_f.teStart->time();
    v.stopAtTime = m_f.chStop->isChecked();
    v.stopTime = m_f.teStop->time();
    v.kind = m_f.cbKind->currentIndex();
    v.bracketFrames = m_f.sbBracketFrames->value();
    v.bracketStep = m_f.cbBracketStep->currentIndex();
    v.bulbLength_ms = milliseconds(m_f.sbBulbLength);
    v.fileTimeout_s = m_f.sbFileTimeout->value();
    return v;
}

void SequencerDialog::setValues(const SavedSequence& v) {
    m_f.sbFrames->setValue(v.frames);
    m_f.chUnlimited->setChecked(v.unlimited);
    m_f.sbInterval->setValue(v.interval_ms / 1000.0);
    m_f.rbAtTime->setChecked(v.startAtTime);
    m_f.rbDelay->setChecked(!v.startAtTime);
    m_f.sbDelay->setValue(v.startDelay_ms / 1000.0);
    m_f.teStart->setTime(v.startTime);
    m_f.chStop->setChecked(v.stopAtTime);
    m_f.teStop->setTime(v.stopTime);
    m_f.cbKind->setCurrentIndex(v.kind);
    m_f.sbBracketFrames->setValue(v.bracketFrames);
    m_f.cbBracketStep->setCurrentIndex(v.bracketStep);
    m_f.sbBulbLength->setValue(v.bulbLength_ms / 1000.0);
    m_f.sbFileTimeout->setValue(v.fileTimeout_s);
    follow();
}

void SequencerDialog::bStartClick() {
    if (!m_sequencer.start(sequenceFromSaved(values(), QTime::currentTime()))) {
        m_f.lStatus->setText(QStringLiteral("Not started: the log says why"));
    }
    follow();
}

void SequencerDialog::bStopClick() {
    m_sequencer.stop();
}

// Only what the chosen kind and start use is open for input.
void SequencerDialog::follow() {
    const bool idle = !m_sequencer.running();
    const int kind = m_f.cbKind->currentIndex();
    m_f.sbFrames->setEnabled(idle && !m_f.chUnlimited->isChecked());
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_f.chUnlimited, m_f.sbInterval, m_f.rbDelay, m_f.rbAtTime,
                                         m_f.chStop, m_f.cbKind, m_f.sbFileTimeout, m_f.bStart}) {
        w->setEnabled(idle);
    }
    m_f.sbDelay->setEnabled(idle && m_f.rbDelay->isChecked());
    m_f.teStart->setEnabled(idle && !m_f.rbDelay->isChecked());
    m_f.teStop->setEnabled(idle && m_f.chStop->isChecked());
    m_f.sbBracketFrames->setEnabled(idle && kind == 1);
    m_f.cbBracketStep->setEnabled(idle && kind == 1);
    m_f.sbBulbLength->setEnabled(idle && kind == 2);
    m_f.bStop->setEnabled(!idle);
}

void SequencerDialog::showProgress(int shot, int total, qint64 msToNext) {
    m_f.lStatus->setText(sequenceStatusText(m_sequencer.phase(), shot, total, msToNext));
}

void SequencerDialog::ended() {
    m_f.lStatus->setText(QStringLiteral("Ended after %1 shot%2")
                             .arg(m_sequencer.shotsTaken())
                             .arg(m_sequencer.shotsTaken() == 1 ? "" : "s"));
    follow();
}
