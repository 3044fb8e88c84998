#pragma once
// TumEdit: a one-line edit that shows its text with its own alignment
// (right or centred) while it does not have the focus and left-aligned
// while it is being edited, so a long prefix is readable at its end and
// typed from its start. Disabled, it shows grey text on its own background.
#include <QColor>
#include <QLineEdit>

class TumEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TumEdit(QWidget* parent = nullptr);

    // Alignment while not focused (left, right or centre; mirrored for
    // right-to-left text as Qt mirrors it).
    Qt::Alignment Alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    QColor ColorDisabled() const { return m_colorDisabled; }
    void setColorDisabled(const QColor& color);

    bool focused() const { return m_focused; }

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void applyLook();

    Qt::Alignment m_alignment = Qt::AlignLeft;
    QColor m_colorDisabled;
    bool m_focused = false;
};
