#pragma once
// The base fixture every test folder shares: a fresh simulator world, a
// temporary directory for settings and received files, a recording log
// sink and a fake clock, all new for each test. The one QApplication of the
// run comes from QtTestMain.
#include "FakeClock.h"
#include "RecordingLogSink.h"
#include "SimControl.h"

#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class VantoraTest : public ::testing::Test {
protected:
    VantoraTest() { vsim::SimControl::reset(); }
    ~VantoraTest() override { vsim::SimControl::reset(); }

    // A settings file of this test alone.
    QString settingsFile() const { return m_dir.filePath(QStringLiteral("Vantora.ini")); }
    QString tempPath(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    RecordingLogSink m_sink;
    FakeClock m_clock;
};
