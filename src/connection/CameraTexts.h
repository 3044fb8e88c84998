#pragma once
// The Info page while a camera is connected: what identifies the camera,
// its writable texts, the manual-lens data and the camera clock. The rows
// are made when the connection opens and removed when it ends; "Save to
// camera" writes them back and "Adjust" sets the camera clock from the
// computer's.
#include "connection/ManualLensRows.h"
#include "connection/TextRows.h"
#include "widgets/WindowControls.h"

#include <QDateTime>
#include <QObject>

#include <functional>

class CameraSession;

class CameraTexts : public QObject {
    Q_OBJECT
public:
    using Now = std::function<QDateTime()>;
    using Sleep = std::function<void(int ms)>;

    CameraTexts(InfoPageControls info, CameraSession& session, QObject* parent = nullptr);

    // Save, Adjust and the hidden Refresh buttons.
    void connectControls();

    // Rows from the connected camera's capabilities; nothing at all unless
    // a connection is open and the camera lists capabilities.
    void MakeTextComps();
    void FreeTextComps();
    void bRefreshClick() { MakeTextComps(); }
    void bSaveToCamClick();
    void bSaveManualLensClick();
    // Blocks the window for up to a second, waiting for the whole second.
    void bAdjustTimeClick();

    // The computer clock and the wait before the clock is written; tests
    // give their own so that nothing really sleeps.
    void setClock(Now now, Sleep sleep);

    int textRowCount() const { return m_texts.count(); }
    bool hasLensRows() const { return m_lens.exists(); }

private:
    void showIdentity();
    void placeSaveButton();

    InfoPageControls m_info;
    CameraSession& m_session;
    TextRows m_texts;
    ManualLensRows m_lens;
    Now m_now;
    Sleep m_sleep;
};
