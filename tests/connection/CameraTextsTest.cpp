// The Info page against the simulated camera: rows made at connect from the
// camera's capabilities, the manual-lens walk, and the clock adjustment
// with an injected computer clock.
#include "ConnectionTestSupport.h"

#include "camera/CameraTypes.h"
#include "connection/CameraTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace orv;
using vsim::SimControl;

namespace {

template <typename T> std::vector<T*> rowsOf(QWidget* group) {
    const QList<T*> found = group->findChildren<T*>(Qt::FindDirectChildrenOnly);
    return std::vector<T*>(found.begin(), found.end());
}

QStringList labelTexts(QWidget* group) {
    QStringList texts;
    for (const QLabel* label : rowsOf<QLabel>(group)) {
        texts << label->text();
    }
    return texts;
}

} // namespace

class CameraTextsTest : public ConnectionTest {
protected:
    CameraTexts& texts() { return connection->cameraTexts(); }
    const InfoPageControls& info() const { return controls.info; }
    std::vector<QLineEdit*> edits() const { return rowsOf<QLineEdit>(info().gbTexts); }
    std::vector<QCheckBox*> enableBoxes() const { return rowsOf<QCheckBox>(info().gbTexts); }
};

TEST_F(CameraTextsTest, ConnectMakesARowForEveryWritableTextAndNameElement) {
    connectTo("Y800");
    const QStringList expected = {
        "User comment",         "Artist name",          "Copyright info",
        "Shooting bank name A", "Shooting bank name B", "Shooting bank name C",
        "Shooting bank name D", "WB preset name 1",     "WB preset name 2",
        "WB preset name 3",     "WB preset name 4",     "Custom bank name A",
        "Custom bank name B",   "Custom bank name C",   "Custom bank name D"};
    EXPECT_EQ(labelTexts(info().gbTexts), expected);
    EXPECT_EQ(texts().textRowCount(), 15);
    EXPECT_EQ(info().gbTexts->height(), 24 * 15 + 45);
    EXPECT_FALSE(info().gbTexts->isHidden());
    EXPECT_EQ(info().bSaveToCam->y(), 24 * 15 + 16);

    const std::vector<QLineEdit*> e = edits();
    ASSERT_EQ(e.size(), 15u);
    // A name padded with blanks to 19 characters shows trimmed and takes 19.
    EXPECT_EQ(e[7]->text(), QStringLiteral("PRESET 1"));
    EXPECT_EQ(e[7]->maxLength(), 19);
    EXPECT_EQ(e[11]->maxLength(), 19);
    EXPECT_EQ(e[0]->maxLength(), 40);
    EXPECT_EQ(e[3]->maxLength(), 40);
    EXPECT_EQ(e[7]->geometry(), QRect(152, 16 + 24 * 7 - 3, 166, 21));

    // Only the user comment and the copyright have an enable switch.
    const std::vector<QCheckBox*> boxes = enableBoxes();
    ASSERT_EQ(boxes.size(), 15u);
    EXPECT_FALSE(boxes[0]->isHidden());
    EXPECT_EQ(boxes[0]->toolTip(), QStringLiteral("Enable User comment"));
    EXPECT_TRUE(boxes[1]->isHidden());
    EXPECT_FALSE(boxes[2]->isHidden());
    EXPECT_TRUE(boxes[3]->isHidden());

    EXPECT_EQ(info().lCamNameVal->text(), QStringLiteral("Orvel Y800"));
    EXPECT_EQ(info().lLensNameVal->x(), info().lCamNameVal->geometry().right() + 1 + 10);
    EXPECT_EQ(info().lCamSerialVal->text(), session->serialText());
    EXPECT_TRUE(info().bAdjustTime->isEnabled());
    EXPECT_FALSE(info().gbManualLens->isHidden());
    EXPECT_EQ(info().gbManualLens->height(), 273);
    EXPECT_EQ(info().gbInfo->width(), 518);
}

TEST_F(CameraTextsTest, ACameraWithoutLensDataOrWithFewerBanks) {
    // The basic model keeps two custom banks and no manual-lens data.
    connectTo("YF");
    const QStringList labels = labelTexts(info().gbTexts);
    EXPECT_EQ(labels.count(QStringLiteral("Custom bank name A")), 1);
    EXPECT_EQ(labels.count(QStringLiteral("Custom bank name B")), 1);
    EXPECT_FALSE(labels.contains(QStringLiteral("Custom bank name C")));
    EXPECT_EQ(texts().textRowCount(), 13);
    EXPECT_FALSE(texts().hasLensRows());
    EXPECT_TRUE(info().gbManualLens->isHidden());
    EXPECT_EQ(info().gbInfo->width(), 329);
}

TEST_F(CameraTextsTest, WithoutAConnectionNothingChanges) {
    const int camera = SimControl::attach("Y800");
    listCameras({"Y800"});
    info().gbTexts->resize(info().gbTexts->width(), 77);
    SimControl::clearCallLog();
    texts().MakeTextComps();
    EXPECT_EQ(info().gbTexts->height(), 77);
    EXPECT_TRUE(info().gbTexts->isHidden());
    EXPECT_FALSE(info().bAdjustTime->isEnabled());
    EXPECT_TRUE(edits().empty());
    EXPECT_TRUE(SimControl::callLog().empty());

    // Nor after Stop, which removed every row.
    ASSERT_GT(camera, 0);
    connection->bDSLRConnectClick();
    ASSERT_EQ(texts().textRowCount(), 15);
    connection->bDSLRDisconnClick();
    EXPECT_TRUE(edits().empty());
    EXPECT_TRUE(rowsOf<QComboBox>(info().gbManualLens).empty());
    EXPECT_EQ(info().gbTexts->height(), 45);
    EXPECT_TRUE(info().gbManualLens->isHidden());
    EXPECT_EQ(info().gbInfo->width(), 329);
    EXPECT_FALSE(info().bAdjustTime->isEnabled());
    texts().MakeTextComps();
    EXPECT_TRUE(edits().empty());
}

TEST_F(CameraTextsTest, LensRowsReadEveryLensAndLeaveTheCameraOnItsOwn) {
    const int camera = SimControl::attach("Y800");
    SimControl::setUnsigned(camera, kCapManualLensNo, 3);
    SimControl::setEnumIndex(camera, kCapManualFocalLength, 9); // 85 mm
    SimControl::setEnumIndex(camera, kCapManualAperture, 6);    // f/2.8
    SimControl::setUnsigned(camera, kCapManualLensNo, 2);
    listCameras({"Y800"});
    connection->bDSLRConnectClick();

    const std::vector<QComboBox*> combos = rowsOf<QComboBox>(info().gbManualLens);
    const std::vector<QRadioButton*> radios = rowsOf<QRadioButton>(info().gbManualLens);
    ASSERT_EQ(combos.size(), 18u);
    ASSERT_EQ(radios.size(), 9u);
    EXPECT_EQ(combos[0]->itemText(0), QStringLiteral("N/A"));
    EXPECT_EQ(combos[0]->currentText(), QStringLiteral("50 mm")); // lens 1 from the factory
    EXPECT_EQ(combos[1]->currentText(), QStringLiteral("f/1.8"));
    EXPECT_EQ(combos[6]->currentText(), QStringLiteral("85 mm"));
    EXPECT_EQ(combos[7]->currentText(), QStringLiteral("f/2.8"));
    EXPECT_EQ(combos[2]->currentText(), QStringLiteral("N/A"));
    EXPECT_TRUE(radios[2]->isChecked());
    EXPECT_EQ(rowsOf<QLabel>(info().gbManualLens).back()->text(), QStringLiteral("9."));
    EXPECT_EQ(SimControl::getUnsigned(camera, kCapManualLensNo), 2u);

    // No radio button checked: the camera ends on lens number 0.
    radios[2]->setAutoExclusive(false);
    radios[2]->setChecked(false);
    combos[16]->setCurrentIndex(combos[16]->findText(QStringLiteral("300 mm")));
    info().bSaveManualLens->click();
    EXPECT_EQ(SimControl::getUnsigned(camera, kCapManualLensNo), 0u);
    EXPECT_TRUE(info().bSaveManualLens->isEnabled());
    SimControl::setUnsigned(camera, kCapManualLensNo, 8);
    EXPECT_EQ(SimControl::getEnumIndex(camera, kCapManualFocalLength), 14u); // 300 mm
    SimControl::setUnsigned(camera, kCapManualLensNo, 3);
    EXPECT_EQ(SimControl::getEnumIndex(camera, kCapManualAperture), 6u);
}

TEST_F(CameraTextsTest, AdjustWritesTheNextWholeSecond) {
    const int camera = connectTo("Y800");
    std::vector<int> slept;
    QDateTime now(QDate(2026, 3, 14), QTime(12, 0, 0, 990));
    texts().setClock([&] { return now; }, [&](int ms) { slept.push_back(ms); });
    info().bAdjustTime->click();
    EXPECT_TRUE(slept.empty());
    const orv::DateTimeRecord written = SimControl::getDateTime(camera, kCapClockDateTime);
    EXPECT_EQ(written.year, 2026);
    EXPECT_EQ(written.month, 2); // the camera counts months from 0
    EXPECT_EQ(written.day, 14);
    EXPECT_EQ(written.hour, 12);
    EXPECT_EQ(written.minute, 0);
    EXPECT_EQ(written.second, 1);
    EXPECT_EQ(info().lCamTimeVal->text(), QStringLiteral("2026.03.14. 12:00:01"));

    now = QDateTime(QDate(2026, 3, 14), QTime(12, 30, 0, 100));
    info().bAdjustTime->click();
    EXPECT_EQ(slept, std::vector<int>{875});
    EXPECT_EQ(SimControl::getDateTime(camera, kCapClockDateTime).minute, 30);
    EXPECT_EQ(SimControl::getDateTime(camera, kCapClockDateTime).second, 1);
    // The camera's clock runs on from there.
    SimControl::skipTime(61000);
    EXPECT_EQ(SimControl::getDateTime(camera, kCapClockDateTime).minute, 31);
    EXPECT_EQ(SimControl::getDateTime(camera, kCapClockDateTime).second, 2);
}
