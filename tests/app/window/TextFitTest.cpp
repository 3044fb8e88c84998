// No text of the Main page is clipped: every list item, check box caption
// and label fits its control, at the window's font and with every font
// 25 % larger (a desktop set to 125 %), where the fixed geometry stays.
#include "WindowTestSupport.h"

#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

// Labels filled at run time, checked with the texts they show: the shots
// left in the camera's buffer, a picture's size while it loads and after,
// and the live image's size and frame rate.
const std::map<QString, QStringList>& runTimeTexts() {
    static const std::map<QString, QStringList> texts{
        {QStringLiteral("lRemainPic"), {QStringLiteral("100")}},
        {QStringLiteral("lImageInfo"),
         {QStringLiteral("Loading..."), QStringLiteral("4288x2848"),
          QStringLiteral("640x424 30 fps")}},
    };
    return texts;
}

// lCamInfo shows the camera and lens names as the camera reports them; it
// spans the whole group and its end may be cut, as a status line's may.
bool mayBeCut(const QWidget& control) {
    return control.objectName() == QLatin1String("lCamInfo");
}

int comboNeeds(const QComboBox& combo) {
    const QFontMetrics metrics(combo.font());
    int widest = 0;
    for (int i = 0; i < combo.count(); ++i) {
        widest = std::max(widest, metrics.horizontalAdvance(combo.itemText(i)));
    }
    QStyleOptionComboBox option;
    option.initFrom(&combo);
    option.editable = combo.isEditable();
    option.frame = combo.hasFrame();
    const QSize contents(widest, metrics.height());
    return combo.style()->sizeFromContents(QStyle::CT_ComboBox, &option, contents, &combo).width();
}

int checkBoxNeeds(const QCheckBox& box) {
    const QFontMetrics metrics(box.font());
    QStyleOptionButton option;
    option.initFrom(&box);
    option.text = box.text();
    const QSize contents = metrics.size(Qt::TextShowMnemonic, box.text());
    return box.style()->sizeFromContents(QStyle::CT_CheckBox, &option, contents, &box).width();
}

int labelNeeds(const QLabel& label, const QStringList& texts) {
    const QMargins margins = label.contentsMargins();
    int widest = 0;
    for (const QString& text : texts) {
        widest = std::max(widest, QFontMetrics(label.font()).size(0, text).width());
    }
    return widest + margins.left() + margins.right() + 2 * label.margin() +
           std::max(0, label.indent());
}

// What each control of `page` needs. Lists the camera fills at connect are
// empty here and need nothing: their items are the camera's words, whose
// length no fixed layout can promise to hold (the open list shows them
// whole). Labels without text show pictures.
std::vector<std::pair<const QWidget*, int>> needs(const QWidget& page) {
    std::vector<std::pair<const QWidget*, int>> out;
    for (const QComboBox* combo : page.findChildren<QComboBox*>()) {
        if (combo->count() > 0) {
            out.emplace_back(combo, comboNeeds(*combo));
        }
    }
    for (const QCheckBox* box : page.findChildren<QCheckBox*>()) {
        out.emplace_back(box, checkBoxNeeds(*box));
    }
    for (const QLabel* label : page.findChildren<QLabel*>()) {
        const auto runTime = runTimeTexts().find(label->objectName());
        const QStringList texts =
            runTime != runTimeTexts().end() ? runTime->second : QStringList{label->text()};
        if (!texts.join(QString()).isEmpty() && !mayBeCut(*label)) {
            out.emplace_back(label, labelNeeds(*label, texts));
        }
    }
    return out;
}

std::vector<std::string> clipped(const QWidget& page) {
    std::vector<std::string> out;
    for (const auto& [control, width] : needs(page)) {
        if (width > control->width()) {
            out.push_back(control->objectName().toStdString() + " needs " + std::to_string(width) +
                          " px, has " + std::to_string(control->width()));
        }
    }
    return out;
}

// Every font of the window 25 % larger: the window's own, and those that
// controls set for themselves (a pixel-sized font does not follow the
// desktop's scaling and is kept).
void scaleFonts(TfMain& window, double factor) {
    std::vector<std::pair<QWidget*, QFont>> own;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->testAttribute(Qt::WA_SetFont) && widget->font().pointSizeF() > 0) {
            own.emplace_back(widget, widget->font());
        }
    }
    QFont font = window.font();
    font.setPointSizeF(font.pointSizeF() * factor);
    window.setFont(font);
    for (auto& [widget, ownFont] : own) {
        ownFont.setPointSizeF(ownFont.pointSizeF() * factor);
        widget->setFont(ownFont);
    }
}

class TextFitTest : public WindowTest {
protected:
    TfMain window{services()};
};

TEST_F(TextFitTest, EveryTextOfTheMainPageFitsAtTheWindowsFont) {
    const std::vector<std::string> none;
    EXPECT_EQ(clipped(*window.controls().pages.tsMain), none);
}

TEST_F(TextFitTest, EveryTextOfTheMainPageFitsAt125Percent) {
    const double before = window.controls().shooting.cbRawCompress->font().pointSizeF();
    scaleFonts(window, 1.25);
    ASSERT_DOUBLE_EQ(window.controls().shooting.cbRawCompress->font().pointSizeF(), before * 1.25);
    const std::vector<std::string> none;
    EXPECT_EQ(clipped(*window.controls().pages.tsMain), none);
}

} // namespace
