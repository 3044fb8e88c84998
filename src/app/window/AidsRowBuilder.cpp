#include "app/window/AidsRowBuilder.h"

#include "app/window/MainPageGeometry.h"
#include "app/window/WidgetFactory.h"

#include <QMenu>

#include <utility>

using widgets::make;

namespace mainpage {
namespace {

struct Choice {
    const char* text;
    int value;
};

QToolButton* toggle(QWidget* row, const char* name, int left, int width, const char* caption,
                    const char* hint) {
    auto* button = make<QToolButton>(row, name, QRect(left, 0, width, kAidsRowHeight), hint);
    button->setText(QString::fromLatin1(caption));
    button->setCheckable(true);
    return button;
}

// A submenu of exclusive, checkable entries carrying their values.
QActionGroup* choices(QMenu* menu, const char* title, std::initializer_list<Choice> entries,
                      int selected) {
    QMenu* sub = menu->addMenu(QString::fromLatin1(title));
    auto* group = new QActionGroup(sub); // owned by the submenu
    group->setExclusive(true);
    for (const Choice& choice : entries) {
        QAction* action = sub->addAction(QString::fromLatin1(choice.text));
        action->setCheckable(true);
        action->setData(choice.value);
        action->setChecked(choice.value == selected);
        group->addAction(action);
    }
    return group;
}

QToolButton* menuButton(QWidget* row, const char* name, int left, int width, const char* caption,
                        const char* hint) {
    auto* button = make<QToolButton>(row, name, QRect(left, 0, width, kAidsRowHeight), hint);
    button->setText(QString::fromLatin1(caption));
    button->setPopupMode(QToolButton::InstantPopup);
    button->setMenu(new QMenu(button)); // owned by the button
    return button;
}

void buildGuidesMenu(LiveViewAidControls& a) {
    QMenu* menu = a.bGuides->menu();
    a.agGuides = new QActionGroup(menu); // owned by the menu
    a.agGuides->setExclusive(false);
    const std::pair<const char*, int> guides[] = {
        {"&Thirds", 1}, {"&Golden ratio", 2}, {"Centre &cross", 4}, {"&Diagonals", 8}};
    for (const auto& [text, bit] : guides) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setCheckable(true);
        action->setData(bit);
        a.agGuides->addAction(action);
    }
}

void buildOptionsMenu(LiveViewAidControls& a) {
    QMenu* menu = a.bAidOptions->menu();
    a.agHistogramKind = choices(menu, "&Histogram", {{"&Luminance", 0}, {"&RGB", 1}}, 0);
    a.agZebraLevel = choices(menu, "&Zebra level",
                             {{"&90%", 90}, {"9&5%", 95}, {"9&8%", 98}, {"&100%", 100}}, 98);
    a.agShadowLevel =
        choices(menu, "&Shadow zebras", {{"&Off", 0}, {"&2%", 2}, {"&5%", 5}, {"&10%", 10}}, 0);
    a.agPeakingColour =
        choices(menu, "Peaking &colour", {{"&Red", 0}, {"&Green", 1}, {"&White", 2}}, 0);
    a.agPeakingThreshold =
        choices(menu, "Peaking &threshold", {{"&Low", 24}, {"&Medium", 40}, {"&High", 60}}, 40);
}

} // namespace

void buildAidsRow(QWidget* group, LiveViewAidControls& a) {
    a.pAids =
        make<QWidget>(group, "pAids", QRect(kLiveViewLeft, 0, kLiveViewWidth + 30, kAidsRowHeight));
    QWidget* row = a.pAids;
    auto* caption = make<QLabel>(row, "lAids", QRect(0, 3, 30, 17));
    caption->setText(QStringLiteral("Aids"));
    a.sbHistogram = toggle(row, "sbHistogram", 30, 40, "Hist", "Histogram");
    a.sbWaveform = toggle(row, "sbWaveform", 72, 42, "Wave", "Waveform: luminance by column");
    a.sbZebras = toggle(row, "sbZebras", 116, 44, "Zebra", "Zebra stripes over highlights");
    a.sbPeaking = toggle(row, "sbPeaking", 162, 40, "Peak", "Focus peaking");
    a.sbFalseColour = toggle(row, "sbFalseColour", 204, 62, "False col.", "False colour");
    a.sbSpot = toggle(row, "sbSpot", 268, 38, "Spot", "Spot meter under the mouse pointer");
    a.bGuides = menuButton(row, "bGuides", 308, 54, "Guides", "Composition guides");
    buildGuidesMenu(a);
    a.sbMagnify = toggle(row, "sbMagnify", 364, 58, "Magnify",
                         "Zoom to 100% at the AF point (Ctrl+click on the live image: there);\r\n"
                         "again: back to the previous zoom");
    a.bAidOptions =
        menuButton(row, "bAidOptions", 424, 54, "Levels", "Levels and colours of the aids");
    buildOptionsMenu(a);
    a.lAidReadings = make<QLabel>(row, "lAidReadings", QRect(482, 3, 170, 17),
                                  "Clipped shadows | clipped highlights; spot meter");
}

} // namespace mainpage
