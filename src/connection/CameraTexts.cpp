#include "connection/CameraTexts.h"

#include "camera/CameraLink.h"
#include "camera/CapabilityValues.h"
#include "camera/SourceShortcuts.h"
#include "connection/CameraClock.h"
#include "connection/InfoRowLayout.h"
#include "session/CameraSession.h"

#include <QFontMetrics>

#include <chrono>
#include <thread>

using namespace inforows;

namespace {
constexpr int kLensNameGap = 10;
}

CameraTexts::CameraTexts(InfoPageControls info, CameraSession& session, QObject* parent)
    : QObject(parent), m_info(info), m_session(session), m_texts(info.gbTexts, session.link()),
      m_lens(info.gbManualLens, session.link()), m_now([] { return QDateTime::currentDateTime(); }),
      m_sleep([](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }) {}

void CameraTexts::connectControls() {
    const InfoPageControls& c = m_info;
    if (c.bSaveToCam == nullptr) {
        return;
    }
    connect(c.bSaveToCam, &QPushButton::clicked, this, &CameraTexts::bSaveToCamClick);
    connect(c.bSaveManualLens, &QPushButton::clicked, this, &CameraTexts::bSaveManualLensClick);
    connect(c.bAdjustTime, &QPushButton::clicked, this, &CameraTexts::bAdjustTimeClick);
    connect(c.bRefresh, &QPushButton::clicked, this, &CameraTexts::bRefreshClick);
    connect(c.Button2, &QPushButton::clicked, this, &CameraTexts::bRefreshClick);
}

void CameraTexts::setClock(Now now, Sleep sleep) {
    m_now = std::move(now);
    m_sleep = std::move(sleep);
}

void CameraTexts::MakeTextComps() {
    const CamObject* source = m_session.link().CurrentSource();
    if (!m_session.connected() || source == nullptr || source->capabilities().empty() ||
        m_info.gbTexts == nullptr) {
        return;
    }
    FreeTextComps();
    const int rows = m_texts.make();
    m_info.gbTexts->resize(m_info.gbTexts->width(), textsGroupHeight(rows));
    placeSaveButton();
    m_info.bAdjustTime->setEnabled(true);
    showIdentity();
    m_info.gbTexts->setVisible(rows > 0);
    if (m_lens.make()) {
        m_info.gbManualLens->resize(m_info.gbManualLens->width(), kManualLensHeight);
        m_info.gbInfo->resize(kWideInfoWidth, m_info.gbInfo->height());
        m_info.gbManualLens->show();
    }
}

// The lens name follows the camera name at a small gap.
void CameraTexts::showIdentity() {
    QLabel* name = m_info.lCamNameVal;
    name->setText(QStringLiteral("Orvel ") + QString::fromStdString(m_session.cameraName()));
    name->resize(QFontMetrics(name->font()).horizontalAdvance(name->text()), name->height());
    QLabel* lens = m_info.lLensNameVal;
    lens->setText(QString::fromStdString(m_session.lensText()));
    const int lensLeft = name->x() + name->width() + kLensNameGap;
    lens->setGeometry(lensLeft, lens->y(), std::max(0, kNarrowInfoWidth - 8 - lensLeft),
                      lens->height());
    m_info.lCamSerialVal->setText(m_session.serialText());
    m_info.lCamFirmwareVal->setText(m_session.firmwareText());
}

void CameraTexts::placeSaveButton() {
    QPushButton* save = m_info.bSaveToCam;
    save->move(save->x(), saveButtonTop(m_info.gbTexts->height()));
}

void CameraTexts::FreeTextComps() {
    if (m_info.gbTexts == nullptr) {
        return;
    }
    m_texts.free();
    m_lens.free();
    m_info.gbTexts->resize(m_info.gbTexts->width(), textsGroupHeight(0));
    placeSaveButton();
    m_info.bAdjustTime->setEnabled(false);
    m_info.lLensNameVal->clear();
    m_info.lCamTimeVal->clear();
    m_info.gbTexts->hide();
    m_info.gbManualLens->hide();
    m_info.gbInfo->resize(kNarrowInfoWidth, m_info.gbInfo->height());
}

void CameraTexts::bSaveToCamClick() {
    if (m_session.connected()) {
        m_texts.save();
    }
}

void CameraTexts::bSaveManualLensClick() {
    if (!m_session.connected() || m_info.bSaveManualLens == nullptr) {
        return;
    }
    m_info.bSaveManualLens->setEnabled(false);
    m_lens.save();
    m_info.bSaveManualLens->setEnabled(true);
}

void CameraTexts::bAdjustTimeClick() {
    if (!m_session.connected()) {
        return;
    }
    const ClockAdjustPlan plan = PlanClockAdjust(m_now());
    if (plan.sleep_ms > 0) {
        m_sleep(plan.sleep_ms);
    }
    CameraLink& link = m_session.link();
    link.values().setDateTime(link.CurrentSource(), orv::kCapClockDateTime,
                              ClockRecordOf(plan.target));
    m_info.lPCTimeVal->setText(ComputerClockText(m_now()));
    m_info.lCamTimeVal->setText(QString::fromStdString(link.shortcuts().clockText()));
}
