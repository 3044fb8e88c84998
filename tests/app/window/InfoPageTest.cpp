// The Info page of the running window against the simulated camera: what
// is edited there reaches the camera, and Stop takes the rows away.
#include "ConnectedWindow.h"

#include "camera/CameraTypes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

using namespace orv;
using vsim::SimControl;

namespace {

template <typename T> std::vector<T*> childrenOf(QWidget* group) {
    const QList<T*> found = group->findChildren<T*>(Qt::FindDirectChildrenOnly);
    return std::vector<T*>(found.begin(), found.end());
}

// The edit of the row whose label reads `label`.
QLineEdit* rowEdit(QWidget* group, const QString& label) {
    const std::vector<QLabel*> labels = childrenOf<QLabel>(group);
    const std::vector<QLineEdit*> edits = childrenOf<QLineEdit>(group);
    for (size_t i = 0; i < labels.size() && i < edits.size(); ++i) {
        if (labels[i]->text() == label) {
            return edits[i];
        }
    }
    return nullptr;
}

QCheckBox* rowEnableBox(QWidget* group, const QString& label) {
    const std::vector<QLabel*> labels = childrenOf<QLabel>(group);
    const std::vector<QCheckBox*> boxes = childrenOf<QCheckBox>(group);
    for (size_t i = 0; i < labels.size() && i < boxes.size(); ++i) {
        if (labels[i]->text() == label) {
            return boxes[i];
        }
    }
    return nullptr;
}

} // namespace

class InfoPageTest : public ConnectedWindowTest {
protected:
    QGroupBox* texts() { return c().info.gbTexts; }
};

TEST_F(InfoPageTest, SavedTextsReachTheCamera) {
    const std::string artist(50, 'a');
    connectTo("Y800");
    ASSERT_TRUE(SimControl::setText(m_camera, kCapArtistName, artist));
    c().info.bRefresh->click(); // the hidden refresh reads the camera again
    c().pages.PageControl->setCurrentIndex(static_cast<int>(Page::Info));

    QLineEdit* comment = rowEdit(texts(), QStringLiteral("User comment"));
    QLineEdit* preset = rowEdit(texts(), QStringLiteral("WB preset name 2"));
    QCheckBox* enable = rowEnableBox(texts(), QStringLiteral("User comment"));
    ASSERT_TRUE(comment && preset && enable);
    // A text longer than a plain row's 40 characters is shown whole.
    EXPECT_EQ(rowEdit(texts(), QStringLiteral("Artist name"))->text().toStdString(), artist);
    comment->setText(QStringLiteral("Quillon studio, hall B"));
    enable->setChecked(true);
    preset->setText(QStringLiteral("DAYLIGHT"));
    rowEdit(texts(), QStringLiteral("Copyright info"))->setText(QStringLiteral("\u00A9 2026 Mira"));
    c().info.bSaveToCam->click();

    EXPECT_EQ(SimControl::getText(m_camera, kCapUserComment), "Quillon studio, hall B");
    EXPECT_TRUE(SimControl::getBoolean(m_camera, kCapEnableComment));
    EXPECT_FALSE(SimControl::getBoolean(m_camera, kCapEnableCopyright));
    EXPECT_EQ(SimControl::getText(m_camera, kCapCopyrightInfo), "\xC2\xA9 2026 Mira");
    EXPECT_EQ(SimControl::getText(m_camera, kCapArtistName), artist);
    // Each name goes into its own element; the camera pads it to its field.
    const std::vector<std::string> presets = SimControl::getTextArray(m_camera, kCapWbPresetName);
    ASSERT_EQ(presets.size(), 4u);
    EXPECT_EQ(presets[0], "PRESET 1           ");
    EXPECT_EQ(presets[1], "DAYLIGHT           ");
    EXPECT_EQ(presets[3], "PRESET 4           ");

    // Read again, the saved values come back, the padded field still limited.
    c().info.bRefresh->click();
    preset = rowEdit(texts(), QStringLiteral("WB preset name 2"));
    ASSERT_NE(preset, nullptr);
    EXPECT_EQ(preset->text(), QStringLiteral("DAYLIGHT"));
    EXPECT_EQ(preset->maxLength(), 19);
    EXPECT_TRUE(rowEnableBox(texts(), QStringLiteral("User comment"))->isChecked());
}

TEST_F(InfoPageTest, SavedLensRowsReachTheCameraAndStopRemovesEveryRow) {
    connectTo("Y800");
    QGroupBox* lenses = c().info.gbManualLens;
    const std::vector<QComboBox*> combos = childrenOf<QComboBox>(lenses);
    const std::vector<QRadioButton*> radios = childrenOf<QRadioButton>(lenses);
    ASSERT_EQ(combos.size(), 18u);
    ASSERT_EQ(radios.size(), 9u);
    combos[10]->setCurrentIndex(combos[10]->findText(QStringLiteral("35 mm")));
    combos[11]->setCurrentIndex(combos[11]->findText(QStringLiteral("f/2")));
    radios[5]->setChecked(true);
    c().info.bSaveManualLens->click();

    EXPECT_EQ(SimControl::getUnsigned(m_camera, kCapManualLensNo), 5u);
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, kCapManualFocalLength), 7u); // 35 mm
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, kCapManualAperture), 4u);    // f/2
    SimControl::setUnsigned(m_camera, kCapManualLensNo, 0);
    EXPECT_EQ(SimControl::getEnumIndex(m_camera, kCapManualFocalLength), 8u); // still 50 mm

    c().camera.bDSLRDisconn->click();
    EXPECT_TRUE(childrenOf<QLineEdit>(texts()).empty());
    EXPECT_TRUE(childrenOf<QComboBox>(lenses).empty());
    EXPECT_TRUE(texts()->isHidden());
    EXPECT_TRUE(lenses->isHidden());
    EXPECT_EQ(c().info.gbInfo->width(), 329);
    EXPECT_FALSE(c().info.bAdjustTime->isEnabled());
    EXPECT_TRUE(c().info.lCamTimeVal->text().isEmpty());
}
