#include "app/window/AboutPage.h"

#include "app/window/AboutLayout.h"
#include "app/window/WidgetFactory.h"

#include <QEvent>
#include <QFile>

using widgets::make;

namespace {

constexpr int kPanelHeight = 280;
constexpr int kPhotoInset = 25;
constexpr int kPhotoSize = 154;

QString resourceText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace

AboutPage::AboutPage(QWidget* page, AboutPageControls& controls)
    : QObject(page), m_page(page), m_controls(controls) {
    page->setFocusPolicy(Qt::ClickFocus);
    controls.pAbout = make<QWidget>(page, "pAbout", QRect(0, 0, 700, kPanelHeight));
    controls.pPhoto = make<QFrame>(controls.pAbout, "pPhoto",
                                   QRect(kPhotoInset, kPhotoInset, kPhotoSize, kPhotoSize));
    controls.pPhoto->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    controls.iPhoto = make<QLabel>(controls.pPhoto, "iPhoto", QRect(2, 2, 150, 150));
    controls.iPhoto->setScaledContents(true);
    controls.iPhoto->setPixmap(QPixmap(QStringLiteral(":/about/photo.jpg")));
    controls.reAbout = make<QTextBrowser>(controls.pAbout, "reAbout", QRect(200, 15, 440, 250));
    controls.reAbout->setReadOnly(true);
    controls.reAbout->setOpenExternalLinks(true);
    controls.reAbout->setFrameStyle(QFrame::NoFrame);
    controls.mChangelog =
        make<QPlainTextEdit>(page, "mChangelog", QRect(8, kPanelHeight, 680, 200));
    controls.mChangelog->setReadOnly(true);
    controls.mChangelog->setLineWrapMode(QPlainTextEdit::NoWrap);
    controls.pAbout->installEventFilter(this);
    controls.reAbout->installEventFilter(this);
    controls.mChangelog->installEventFilter(this);
    page->installEventFilter(this);
}

void AboutPage::loadTexts() {
    m_controls.reAbout->setHtml(resourceText(QStringLiteral(":/about/about.html")));
    m_controls.mChangelog->setPlainText(resourceText(QStringLiteral(":/about/changelog.txt")));
}

void AboutPage::pAboutResize() {
    const AboutPageControls& c = m_controls;
    const QPoint at =
        aboutlayout::textPosition({c.pAbout->width(), c.pAbout->height(), c.pPhoto->x(),
                                   c.pPhoto->width(), c.reAbout->width(), c.reAbout->height()});
    c.reAbout->move(at);
}

void AboutPage::reAboutEnter() {
    m_page->setFocus(Qt::OtherFocusReason);
}

void AboutPage::mChangelogEnter() {
    m_controls.reAbout->setFocus(Qt::OtherFocusReason);
}

bool AboutPage::eventFilter(QObject* watched, QEvent* event) {
    const AboutPageControls& c = m_controls;
    if (event->type() == QEvent::Resize) {
        if (watched == m_page) {
            // The top panel spans the page; the change history fills the rest.
            c.pAbout->resize(m_page->width(), kPanelHeight);
            c.mChangelog->setGeometry(8, kPanelHeight, std::max(0, m_page->width() - 16),
                                      std::max(0, m_page->height() - kPanelHeight - 8));
        } else if (watched == c.pAbout) {
            pAboutResize();
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == c.pAbout) {
        emit pAboutClicked();
    } else if (event->type() == QEvent::FocusIn) {
        if (watched == c.reAbout) {
            reAboutEnter();
        } else if (watched == c.mChangelog) {
            mChangelogEnter();
        }
    }
    return QObject::eventFilter(watched, event);
}
