#pragma once
// TIntEdit: a one-line edit for whole numbers. Typed characters other than
// digits, "+", "-", backspace and Enter are discarded with a beep; pasted
// text is not filtered, and Value() then reads 0.
#include <QLineEdit>

#include <cstdint>
#include <functional>

class TIntEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kDefaultWidth = 33;

    explicit TIntEdit(QWidget* parent = nullptr);

    // The text as a decimal 64-bit integer; 0 when it is not one.
    int64_t Value() const;
    void setValue(int64_t value);

    // The sound of a refused key (the system beep unless a test sets one).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // Whether a typed character passes the filter.
    static bool accepts(QChar typed);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::function<void()> m_beep;
};
