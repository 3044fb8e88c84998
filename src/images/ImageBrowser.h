#pragma once
// The "Images" group's directory, prefix and number handlers: the
// directory in force, the folder scan behind the running number, stepping
// through the received files and the four type indicators.
#include "images/NamingState.h"

#include <QObject>
#include <QString>

#include <memory>

class LogSink;
struct ImageGroupControls;

// The two questions the directory field asks; a dialog in the window, a
// script in tests.
class DirectoryQuestions {
public:
    virtual ~DirectoryQuestions() = default;
    // "Directory not exist! Do you want to create it?"; true for Yes.
    virtual bool askCreate(const QString& directory) = 0;
    // The folder chooser, starting at `start` (empty: the platform's
    // choice); an empty text when the user cancels.
    virtual QString chooseDirectory(const QString& start) = 0;
};

std::unique_ptr<DirectoryQuestions> makeDirectoryDialogs(QWidget* parent);

class ImageBrowser : public QObject {
    Q_OBJECT
public:
    ImageBrowser(const ImageGroupControls& controls, NamingState& naming, LogSink& log,
                 std::unique_ptr<DirectoryQuestions> questions, QObject* parent = nullptr);
    ~ImageBrowser() override;

    // After the settings were read: the prefix in force follows the field.
    void takePrefixFromField();
    // Every activation of the window: directory in force, scan, indicators.
    void activate();

    void eImageDirExit();
    void bbOpenImageDirClick();
    void eImgPrefixChange();
    void eImgPrefixExit();
    // Enter moves on to the number stepper.
    void eImgPrefixKeyPress(int key);
    // step: -1 down, +1 up.
    void udActImgClick(int step);
    // The last number again (double click on the number, click on "Prefix:").
    void showLastNumber();
    void RefrImgTypes();

    // The JPEG of the shown number, as found on disk; empty when there is none.
    QString shownJpeg() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectControls();
    void showNumber();
    QString fieldDirectory() const;
    bool offerToCreate(const QString& directory);

    const ImageGroupControls& m_c;
    NamingState& m_naming;
    LogSink& m_log;
    std::unique_ptr<DirectoryQuestions> m_questions;
    bool m_inDirectoryExit = false;
};
