#pragma once
// The steps of a camera connection that need no window: load the model's
// module, open the camera's source, start the session with its log line,
// and at the end unlock the camera, close the module and end the session.
// The window's Start and Stop run these between their widget steps; the
// command-line tethering mode runs them as they are. Failures are reported
// as error lines and kept as the pending error code.
#include <cstdint>
#include <string>

class CameraLink;
class CameraSession;
class LogSink;

class CameraConnector {
public:
    // Pending error codes.
    static constexpr uint8_t kErrorNoInternet = 1;
    static constexpr uint8_t kErrorCameraNotAvailable = 6;
    static constexpr uint8_t kErrorModuleMissing = 12;

    CameraConnector(CameraSession& session, LogSink& log);

    // The module of model `name`; on failure the missing file is reported.
    bool openModule(const std::string& name);
    // The source of the session's camera (its ordinal from beginConnect);
    // on failure it is reported and the module closed again.
    bool openSource(const std::string& name);
    // Says that control started and opens the session.
    void startSession();
    // All three in order; true when the session is open.
    bool connect(const std::string& name);
    // Unlocks the camera, says that control stopped, closes the module and
    // then the session. Nothing when no session is open.
    void disconnect();

    uint8_t pendingErrorCode() const { return m_pendingErrorCode; }
    void setPendingErrorCode(uint8_t code) { m_pendingErrorCode = code; }
    // Writes the pending error's message as an error line.
    void reportError();
    const std::string& lastErrorText() const { return m_lastErrorText; }

private:
    CameraLink& link() const;

    CameraSession& m_session;
    LogSink& m_log;
    uint8_t m_pendingErrorCode = 0;
    std::string m_lastErrorText;
};

// Message of a pending error code; `moduleFileName` completes the
// missing-module message.
std::string ErrorCodeMessage(uint8_t code, const std::string& moduleFileName);
