#pragma once
// The "About" page: the photo panel, the about text and the change history.
// Keeps the about text centred beside the photo when the panel changes size
// and passes the focus on from the two read-only texts, so neither shows a
// caret.
#include "widgets/WindowControls.h"

#include <QObject>

class AboutPage : public QObject {
    Q_OBJECT
public:
    // Builds the page's controls on `page` and fills `controls`.
    AboutPage(QWidget* page, AboutPageControls& controls);

    // Loads the about text and the change history from the resources.
    void loadTexts();

    void pAboutResize();

signals:
    // A click on the top panel (the photo included).
    void pAboutClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reAboutEnter();
    void mChangelogEnter();

    QWidget* m_page;
    AboutPageControls& m_controls;
};
